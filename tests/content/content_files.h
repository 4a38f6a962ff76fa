// Helpers for the content tests: reading generated files and decoding their big-endian records.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vantrell::testing {

inline std::string GamePath(const std::string& name) {
    return std::string(VANTRELL_GAME_DIR) + "/" + name;
}

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline int32_t SignedBe16(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<int16_t>(static_cast<uint16_t>(b[at] << 8 | b[at + 1]));
}

inline uint32_t UnsignedBe16(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint32_t>(b[at] << 8 | b[at + 1]);
}

struct ObjectRecord {
    int32_t sprite;
    int32_t x;
    int32_t y;
};

inline std::vector<ObjectRecord> ReadObjects(int stage) {
    const std::vector<uint8_t> b = ReadBytes(GamePath("OBJ" + std::to_string(stage) + ".COD"));
    std::vector<ObjectRecord> out;
    for (size_t at = 0; at + 6 <= b.size(); at += 6) {
        out.push_back({SignedBe16(b, at), SignedBe16(b, at + 2), SignedBe16(b, at + 4)});
    }
    return out;
}

inline std::vector<std::pair<int32_t, int32_t>> ReadCheckpoints(int stage) {
    const std::vector<uint8_t> b = ReadBytes(GamePath("CHK" + std::to_string(stage) + ".COD"));
    std::vector<std::pair<int32_t, int32_t>> out;
    for (size_t at = 0; at + 4 <= b.size(); at += 4) {
        out.emplace_back(SignedBe16(b, at), SignedBe16(b, at + 2));
    }
    return out;
}

// Heights of CHR_H0.DAT as the game loads them (each value halved).
inline std::vector<int32_t> ReadProfiles() {
    const std::vector<uint8_t> b = ReadBytes(GamePath("CHR_H0.DAT"));
    std::vector<int32_t> out;
    for (size_t at = 0; at + 2 <= b.size(); at += 2) {
        out.push_back(static_cast<int32_t>(UnsignedBe16(b, at) >> 1));
    }
    return out;
}

}  // namespace vantrell::testing
