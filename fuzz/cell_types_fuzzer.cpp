// Terrain::LoadCellTypes (TYPE_<n>.DAT) on any file, then the height field built from it over a
// stage's real corners: a refused file keeps the grid, row and column 40 are never written, and
// every interpolation stays between the corners (0..128).
#include <algorithm>

#include "fuzz_support.h"
#include "world/terrain.h"

using namespace vantrell;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Terrain terrain;
    static bool ready = false;
    if (!ready) {
        FUZZ_CHECK(terrain.LoadCornerHeights(fuzz::GameFile("MAP0.DAT")) == 1);
        for (int32_t i = 0; i < kCornerCount; ++i) {
            terrain.cellTypes[i][kCellCount] = 77;
            terrain.cellTypes[kCellCount][i] = 77;
        }
        ready = true;
    }
    const auto before = terrain.cellTypes;

    const int result = terrain.LoadCellTypes(ByteSpan(data, size));
    const bool whole = size >= static_cast<size_t>(kCellCount * kCellCount * 2);
    FUZZ_CHECK(result == (whole ? 1 : -1));
    if (result == -1) {
        FUZZ_CHECK(terrain.cellTypes == before);
        return 0;
    }
    for (int32_t i = 0; i < kCornerCount; ++i) {
        FUZZ_CHECK(terrain.cellTypes[i][kCellCount] == 77 &&
                   terrain.cellTypes[kCellCount][i] == 77);
    }
    terrain.BuildHeightField();
    const int32_t* field = terrain.Field();
    FUZZ_CHECK(fuzz::AllWithin(field, kFieldRows * kFieldWidth, 0, kMaxCornerHeight));
    return 0;
}
