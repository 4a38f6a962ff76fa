#include "io/file_bytes.h"

#include "io/file_guard.h"

namespace vantrell {

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::filesystem::path& path,
                                                  std::string* reason) {
    int64_t size = 0;
    const FileGuard file = OpenToRead(path, &size, reason);
    if (!file) {
        return std::nullopt;
    }
    if (size > kMaxGameFileBytes) {
        if (reason != nullptr) {
            *reason = "is " + std::to_string(size) + " bytes, too large for a game file";
        }
        return std::nullopt;
    }
    // Read to the end rather than trusting the size: a file may grow or shrink while we read.
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    size_t got = std::fread(bytes.data(), 1, bytes.size(), file.get());
    bytes.resize(got);
    uint8_t more[4096];
    while (bytes.size() <= static_cast<size_t>(kMaxGameFileBytes)) {
        const size_t extra = std::fread(more, 1, sizeof more, file.get());
        if (extra == 0) {
            break;
        }
        bytes.insert(bytes.end(), more, more + extra);
    }
    if (std::ferror(file.get()) != 0) {
        if (reason != nullptr) {
            *reason = "cannot be read to its end";
        }
        return std::nullopt;
    }
    return bytes;
}

}  // namespace vantrell
