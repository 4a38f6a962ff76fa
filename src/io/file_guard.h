// A C file that closes itself, so a reader can return from anywhere without leaking it.
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>

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

}  // namespace vantrell
