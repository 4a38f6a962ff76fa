#include "io/file_guard.h"

#include <cerrno>
#include <cstring>
#include <system_error>

namespace vantrell {

FileGuard OpenToRead(const std::filesystem::path& path, int64_t* size, std::string* reason) {
    auto refuse = [&](const char* why) {
        if (reason != nullptr) {
            *reason = why;
        }
        return FileGuard();
    };
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return refuse("no such file");
    }
    // A folder opens for reading on some systems and then fails every read; say what it is.
    if (!error && status.type() != std::filesystem::file_type::regular) {
        return refuse("not a file");
    }
    FileGuard file = OpenFile(path, "rb");
    if (!file) {
        const int code = errno;
        if (reason != nullptr) {
            *reason = std::string("cannot be read: ") + std::strerror(code);
        }
        return file;
    }
    const auto bytes = std::filesystem::file_size(path, error);
    if (size != nullptr) {
        *size = error ? 0 : static_cast<int64_t>(bytes);
    }
    return file;
}

}  // namespace vantrell
