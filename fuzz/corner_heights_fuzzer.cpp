// Terrain::LoadCornerHeights (MAP<n>.DAT) on any file, then the height field built from it: a
// refused file keeps the grid, an accepted one gives corners and heights within 0..128.
#include <algorithm>

#include "fuzz_support.h"
#include "world/terrain.h"

using namespace vantrell;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Terrain terrain;
    static bool ready = false;
    if (!ready) {
        // Cell types of every kind, so each interpolation meets the corners.
        for (int32_t i = 0; i < kCellCount; ++i) {
            for (int32_t j = 0; j < kCellCount; ++j) {
                terrain.cellTypes[i][j] = (i * 7 + j * 3) % 4;
            }
        }
        ready = true;
    }
    const auto before = terrain.cornerHeights;

    const int result = terrain.LoadCornerHeights(ByteSpan(data, size));
    const bool whole = size >= static_cast<size_t>(kCornerCount * kCornerCount * 2);
    FUZZ_CHECK(result == (whole ? 1 : -1));
    if (result == -1) {
        FUZZ_CHECK(terrain.cornerHeights == before);
        return 0;
    }
    for (int32_t i = 0; i < kCornerCount; ++i) {
        for (int32_t j = 0; j < kCornerCount; ++j) {
            const int32_t stored =
                data[2 * (i * kCornerCount + j)] << 8 | data[2 * (i * kCornerCount + j) + 1];
            FUZZ_CHECK(terrain.cornerHeights[i][j] == (stored > kMaxCornerHeight ? 0 : stored));
        }
    }

    terrain.BuildHeightField();
    const int32_t* field = terrain.Field();
    FUZZ_CHECK(fuzz::AllWithin(field, kFieldRows * kFieldWidth, 0, kMaxCornerHeight));
    // The lookup stays inside the field for any point a runaway could name.
    fuzz::InputReader reader(data, size);
    for (int k = 0; k < 8; ++k) {
        const int32_t x = static_cast<int16_t>(reader.U16()) * 3;
        const int32_t y = static_cast<int16_t>(reader.U16()) * 3;
        const int32_t h = terrain.HeightAt(x, y);
        FUZZ_CHECK(h >= 0 && h <= kMaxCornerHeight);
    }
    return 0;
}
