#include "common/file_bytes.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace vantrell::tools {

void WriteFileBytes(const std::string& path, const Bytes& bytes) {
    const std::string temp = path + ".part";
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (f == nullptr) {
        throw std::runtime_error(path + ": cannot create the file (check the folder exists)");
    }
    const size_t written = bytes.empty() ? 0 : std::fwrite(bytes.data(), 1, bytes.size(), f);
    const bool closed = std::fclose(f) == 0;
    if (written != bytes.size() || !closed) {
        std::remove(temp.c_str());
        throw std::runtime_error(path + ": write failed (disk full?)");
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::remove(temp.c_str());
        throw std::runtime_error(path + ": cannot move the new file into place: " + ec.message());
    }
}

void MakeDirectories(const std::string& path) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    if (ec) {
        throw std::runtime_error(path + ": cannot create the folder: " + ec.message());
    }
}

}  // namespace vantrell::tools
