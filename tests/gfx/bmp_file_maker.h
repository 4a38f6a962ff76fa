// Builds BMP files byte by byte for the loader tests, so each test states exactly which header
// fields it bends.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace vantrell::test {

struct BmpFileLayout {
    int32_t width = 4;
    int32_t height = 2;
    uint32_t clrUsed = 0;  // 0 means a full table of 256 entries is written
    uint16_t bitCount = 8;
    uint32_t compression = 0;
    uint32_t infoBytes = 40;  // fields past the first 40 are written as zeros
    bool topDown = false;     // negative height, rows written top row first
    uint32_t gap = 0;         // bytes of 0xA5 between the colour table and the pixels
    uint32_t offBits = 0;     // 0: where the pixels really start (after the table and gap)
    int entries = -1;         // entries actually written; -1: as clrUsed says (0: 256)
    // Entry i is (blue, green, red, reserved) = (i, i + 1, i + 2, 0xEE) unless overridden.
    std::vector<uint8_t> colourBytes;
    std::vector<uint8_t> pixelBytes;  // stride x height; empty: byte k = k % 251
};

inline void PutLe(std::vector<uint8_t>& out, uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
}

inline std::vector<uint8_t> MakeBmp(const BmpFileLayout& s) {
    const int declared = s.clrUsed == 0 || s.clrUsed > 256 ? 256 : static_cast<int>(s.clrUsed);
    const int entries = s.entries >= 0 ? s.entries : declared;
    const int32_t stride = (s.width + 3) & ~3;
    const int64_t pixelCount = s.width > 0 && s.height > 0 ? int64_t{stride} * s.height : 0;
    const uint32_t pixelStart = 14 + s.infoBytes + entries * 4 + s.gap;
    std::vector<uint8_t> out{'B', 'M'};
    PutLe(out, static_cast<uint32_t>(pixelStart + pixelCount), 4);
    PutLe(out, 0, 4);
    PutLe(out, s.offBits != 0 ? s.offBits : pixelStart, 4);
    PutLe(out, s.infoBytes, 4);
    PutLe(out, static_cast<uint32_t>(s.width), 4);
    PutLe(out, static_cast<uint32_t>(s.topDown ? -s.height : s.height), 4);
    PutLe(out, 1, 2);
    PutLe(out, s.bitCount, 2);
    PutLe(out, s.compression, 4);
    PutLe(out, static_cast<uint32_t>(pixelCount), 4);
    PutLe(out, 0, 8);
    PutLe(out, s.clrUsed, 4);
    PutLe(out, 0, 4);
    out.resize(14 + std::max<uint32_t>(s.infoBytes, 40), 0);
    if (!s.colourBytes.empty()) {
        out.insert(out.end(), s.colourBytes.begin(), s.colourBytes.end());
    } else {
        for (int i = 0; i < entries; ++i) {
            out.insert(out.end(), {static_cast<uint8_t>(i), static_cast<uint8_t>(i + 1),
                                   static_cast<uint8_t>(i + 2), 0xEE});
        }
    }
    out.insert(out.end(), s.gap, 0xA5);
    // Pixels are given bottom row first, as the bitmap keeps them.
    std::vector<uint8_t> pixels = s.pixelBytes;
    if (pixels.empty()) {
        for (int64_t k = 0; k < pixelCount; ++k) {
            pixels.push_back(static_cast<uint8_t>(k % 251));
        }
    }
    if (s.topDown && pixelCount > 0) {
        for (int32_t r = s.height - 1; r >= 0; --r) {
            const auto row = pixels.begin() + int64_t{r} * stride;
            out.insert(out.end(), row, row + stride);
        }
    } else {
        out.insert(out.end(), pixels.begin(), pixels.end());
    }
    return out;
}

inline std::string WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

}  // namespace vantrell::test
