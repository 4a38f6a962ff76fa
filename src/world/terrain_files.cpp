// Readers for the two terrain files: headerless big-endian 16-bit values, read byte by byte.
#include <cstdio>

#include "io/file_guard.h"
#include "world/terrain.h"

namespace vantrell {

namespace {

// Reads exactly `count` big-endian u16 values into `out`. Returns false if the file cannot be
// opened or ends early; `out` may then hold part of the data and must be discarded.
bool ReadBigEndianU16(const std::string& path, int32_t* out, int32_t count) {
    const FileGuard file = OpenFile(path, "rb");
    if (!file) {
        return false;
    }
    for (int32_t n = 0; n < count; ++n) {
        const int hi = std::fgetc(file.get());
        const int lo = std::fgetc(file.get());
        if (hi == EOF || lo == EOF) {
            return false;
        }
        out[n] = (hi << 8) | lo;
    }
    return true;
}

}  // namespace

int Terrain::LoadCornerHeights(const std::string& path) {
    std::array<int32_t, kCornerCount * kCornerCount> values;
    if (!ReadBigEndianU16(path, values.data(), kCornerCount * kCornerCount)) {
        return -1;
    }
    for (int32_t i = 0; i < kCornerCount; ++i) {
        for (int32_t j = 0; j < kCornerCount; ++j) {
            const int32_t h = values[i * kCornerCount + j];
            // Out-of-range corners become flat ground, not the maximum height.
            cornerHeights[i][j] = h > kMaxCornerHeight ? 0 : h;
        }
    }
    return 1;
}

int Terrain::LoadCellTypes(const std::string& path) {
    std::array<int32_t, kCellCount * kCellCount> values;
    if (!ReadBigEndianU16(path, values.data(), kCellCount * kCellCount)) {
        return -1;
    }
    for (int32_t i = 0; i < kCellCount; ++i) {
        for (int32_t j = 0; j < kCellCount; ++j) {
            cellTypes[i][j] = values[i * kCellCount + j];
        }
    }
    return 1;
}

}  // namespace vantrell
