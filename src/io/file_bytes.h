// The one place the game turns a file into bytes. Every reader of game files parses bytes held
// in memory, so the same code serves every host, and the fuzzers feed it without touching disk.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vantrell {

using ByteSpan = std::span<const uint8_t>;

// Larger than any game file (the biggest picture a reader accepts is 16 MiB of pixels); a file
// beyond it is not ours, and reading it whole would only cost memory.
constexpr int64_t kMaxGameFileBytes = 32 * 1024 * 1024;

// The whole file, or nothing with `reason` (if given) saying why in words a user can act on
// (see OpenToRead; a file over kMaxGameFileBytes "is N bytes, too large for a game file").
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::filesystem::path& path,
                                                  std::string* reason = nullptr);

// A file's bytes, or none for a file that could not be read: to every reader a missing file is
// one too short to hold anything.
inline ByteSpan BytesOrNone(const std::optional<std::vector<uint8_t>>& file) {
    return file ? ByteSpan(*file) : ByteSpan();
}

}  // namespace vantrell
