// A scratch game folder per test and small file helpers for the record tests.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "records/hiscore_table.h"

namespace vantrell::test {

class TempGameDir {
  public:
    TempGameDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vantrell-rec-XXXXXX");
        if (mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~TempGameDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempGameDir(const TempGameDir&) = delete;
    TempGameDir& operator=(const TempGameDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// prefix followed by the number; appended, since GCC 12 warns falsely on "literal" + string.
inline std::string Numbered(const std::string& prefix, int number) {
    std::string out = prefix;
    out += std::to_string(number);
    return out;
}

inline std::string AsBytes(const Recording& recording) {
    return std::string(reinterpret_cast<const char*>(recording.data()), recording.size());
}

// A recording whose bytes tell where they came from: byte i is (seed + i) mod 256.
inline Recording Pattern(uint8_t seed) {
    Recording recording{};
    for (std::size_t i = 0; i < recording.size(); ++i) {
        recording[i] = static_cast<uint8_t>(seed + i);
    }
    return recording;
}

}  // namespace vantrell::test
