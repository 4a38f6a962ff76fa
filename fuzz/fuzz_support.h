// What the fuzz targets share: the generated game directory, a private scratch folder for the
// files a reader must open by name, and a check that stops the run so libFuzzer keeps the input.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// A broken promise of the code under test is a finding, like a crash.
#define FUZZ_CHECK(condition)                                                            \
    do {                                                                                 \
        if (!(condition)) {                                                              \
            std::fprintf(stderr, "fuzz check failed at %s:%d: %s\n", __FILE__, __LINE__, \
                         #condition);                                                    \
            std::abort();                                                                \
        }                                                                                \
    } while (0)

namespace vantrell::fuzz {

// The game directory the build generated: $VANTRELL_GAME_DIR, else the release build's.
inline std::filesystem::path GameDir() {
    if (const char* dir = std::getenv("VANTRELL_GAME_DIR")) {
        return dir;
    }
    return VANTRELL_DEFAULT_GAME_DIR;
}

// One folder per fuzzing process, in memory where the machine has /dev/shm, removed at exit.
inline const std::filesystem::path& ScratchDir() {
    static const std::filesystem::path dir = [] {
        std::filesystem::path base = "/dev/shm";
        std::error_code error;
        if (!std::filesystem::is_directory(base, error)) {
            base = std::filesystem::temp_directory_path();
        }
        std::string pattern = (base / "vantrell-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(ScratchDir(), ignored);
        });
        return std::filesystem::path(pattern);
    }();
    return dir;
}

inline void WriteFile(const std::filesystem::path& path, const uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::perror(path.c_str());
        std::abort();
    }
    if (size > 0) {
        std::fwrite(data, 1, size, file);
    }
    std::fclose(file);
}

inline std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>());
}

// Game files the targets start from; a missing one means the content was never generated.
inline std::vector<uint8_t> GameFile(const std::string& name) {
    const std::filesystem::path path = GameDir() / name;
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        std::fprintf(stderr, "%s is missing: build the game content first\n", path.c_str());
        std::abort();
    }
    return ReadFile(path);
}

// Reads the input front to back; past its end every value is 0.
class InputReader {
  public:
    InputReader(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    uint16_t U16() {
        const uint16_t high = Byte();
        return static_cast<uint16_t>(high << 8 | Byte());
    }
    const uint8_t* Rest() const { return data_ + pos_; }
    std::size_t RestSize() const { return pos_ < size_ ? size_ - pos_ : 0; }

  private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

}  // namespace vantrell::fuzz
