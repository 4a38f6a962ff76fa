#include <benchmark/benchmark.h>

#include "gfx/bitmap8.h"
#include "race/view.h"
#include "race/view_tables.h"
#include "world/terrain.h"

namespace vantrell {
namespace {

void BM_BuildViewTables(benchmark::State& state) {
    ViewTables tables;
    for (auto _ : state) {
        tables.BuildGroundTable();
        tables.BuildLiftTable();
        benchmark::DoNotOptimize(tables.liftTable[0]);
    }
}
BENCHMARK(BM_BuildViewTables)->Unit(benchmark::kMillisecond);

// One view per tick over rolling hills, turning a step each frame.
void BM_RenderView(benchmark::State& state) {
    ViewTables tables;
    tables.BuildGroundTable();
    tables.BuildLiftTable();
    Terrain terrain;
    for (int32_t i = 0; i < kCornerCount; ++i) {
        for (int32_t j = 0; j < kCornerCount; ++j) {
            terrain.cornerHeights[i][j] = ((i * 7 + j * 3) % 11) * 6;
            terrain.cellTypes[i][j] = (i + j) % 3;
        }
    }
    terrain.BuildHeightField();
    Bitmap8 picture;
    picture.Resize(400, 820);
    for (int64_t i = 0; i < picture.PixelBytes(); ++i) {
        picture.Pixels()[i] = static_cast<uint8_t>(10 + i % 200);
    }
    Bitmap8 frame;
    frame.Resize(96, 416);
    int32_t heading = 0;
    for (auto _ : state) {
        frame.FillRect(0, 108, 96, 160, 0);
        RenderView(tables, picture, terrain, frame, 200, 200, heading, terrain.HeightAt(200, 200));
        heading = (heading + 1) & 63;
        benchmark::DoNotOptimize(frame.Pixels());
    }
    state.SetItemsProcessed(state.iterations() * kViewRows * kViewColumns);
}
BENCHMARK(BM_RenderView)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vantrell
