// What the fuzz targets share: the generated game directory the fixed files come from, and a
// check that stops the run so libFuzzer keeps the input. Inputs go to the readers as bytes.
#pragma once

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

// Checks over a whole height field or picture: hundreds of thousands of comparisons whose
// coverage says nothing about the input, so they are not traced for the fuzzer (nor checked by
// the address sanitizer: they read whole blocks the game allocated).
#define FUZZ_UNTRACED __attribute__((noinline, no_sanitize("coverage", "address")))

FUZZ_UNTRACED inline bool AllWithin(const int32_t* values, std::size_t count, int32_t low,
                                    int32_t high) {
    bool within = true;
    for (std::size_t i = 0; i < count; ++i) {
        within &= values[i] >= low && values[i] <= high;
    }
    return within;
}

// The game directory the build generated: $VANTRELL_GAME_DIR, else the release build's.
inline std::filesystem::path GameDir() {
    if (const char* dir = std::getenv("VANTRELL_GAME_DIR")) {
        return dir;
    }
    return VANTRELL_DEFAULT_GAME_DIR;
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
