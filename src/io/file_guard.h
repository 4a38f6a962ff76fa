// A C file that closes itself, so a reader can return from anywhere without leaking it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace vantrell {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Empty when the file could not be opened. A writer that must know whether closing worked
// takes the file back with release() and closes it itself.
using FileGuard = std::unique_ptr<std::FILE, FileCloser>;

inline FileGuard OpenFile(const std::filesystem::path& path, const char* mode) {
    return FileGuard(std::fopen(path.c_str(), mode));
}

// Opens a regular file for reading and gives its size in bytes. Empty when that is impossible,
// with `reason` (if given) saying why in words a user can act on: "no such file", "not a file"
// or "cannot be read: <the system's reason>".
FileGuard OpenToRead(const std::filesystem::path& path, int64_t* size, std::string* reason);

}  // namespace vantrell
