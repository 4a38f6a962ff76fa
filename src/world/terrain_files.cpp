// Readers for the two terrain files: headerless big-endian 16-bit values.
#include "io/file_bytes.h"
#include "world/terrain.h"

namespace vantrell {

namespace {

// Exactly `count` big-endian u16 values from the front of `file`; false when it is shorter.
// Bytes past them are not ours to read and are ignored.
bool ReadBigEndianU16(ByteSpan file, int32_t* out, int32_t count) {
    if (file.size() < static_cast<size_t>(count) * 2) {
        return false;
    }
    for (int32_t n = 0; n < count; ++n) {
        out[n] = (file[2 * n] << 8) | file[2 * n + 1];
    }
    return true;
}

}  // namespace

int Terrain::LoadCornerHeights(ByteSpan file) {
    std::array<int32_t, kCornerCount * kCornerCount> values;
    if (!ReadBigEndianU16(file, values.data(), kCornerCount * kCornerCount)) {
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

int Terrain::LoadCellTypes(ByteSpan file) {
    std::array<int32_t, kCellCount * kCellCount> values;
    if (!ReadBigEndianU16(file, values.data(), kCellCount * kCellCount)) {
        return -1;
    }
    for (int32_t i = 0; i < kCellCount; ++i) {
        for (int32_t j = 0; j < kCellCount; ++j) {
            cellTypes[i][j] = values[i * kCellCount + j];
        }
    }
    return 1;
}

int Terrain::LoadCornerHeights(const std::string& path) {
    return LoadCornerHeights(BytesOrNone(ReadWholeFile(path)));
}

int Terrain::LoadCellTypes(const std::string& path) {
    return LoadCellTypes(BytesOrNone(ReadWholeFile(path)));
}

}  // namespace vantrell
