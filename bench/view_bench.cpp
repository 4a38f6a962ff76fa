#include <benchmark/benchmark.h>

#include <string>

#include "gfx/bitmap8.h"
#include "gfx/frame_layout.h"
#include "race/sharp_view.h"
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

// Rolling hills and a striped picture for the views to look at.
void MakeHills(Terrain& terrain, Bitmap8& picture) {
    for (int32_t i = 0; i < kCornerCount; ++i) {
        for (int32_t j = 0; j < kCornerCount; ++j) {
            terrain.cornerHeights[i][j] = ((i * 7 + j * 3) % 11) * 6;
            terrain.cellTypes[i][j] = (i + j) % 3;
        }
    }
    terrain.BuildHeightField();
    picture.Resize(400, 820);
    for (int64_t i = 0; i < picture.PixelBytes(); ++i) {
        picture.Pixels()[i] = static_cast<uint8_t>(10 + i % 200);
    }
}

// One view per tick over rolling hills, turning a step each frame.
void BM_RenderView(benchmark::State& state) {
    ViewTables tables;
    tables.BuildGroundTable();
    tables.BuildLiftTable();
    Terrain terrain;
    Bitmap8 picture;
    MakeHills(terrain, picture);
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

// The same in a finer picture mode (state.range(0) is the ViewMode), band cleared as the
// composer clears it.
void BM_RenderSharpView(benchmark::State& state) {
    const auto mode = static_cast<ViewMode>(state.range(0));
    const SharpViewTables& tables = SharpViewTables::Shared(mode);
    Terrain terrain;
    Bitmap8 picture;
    MakeHills(terrain, picture);
    Bitmap8 band;
    band.Resize(tables.shape.bandWidth, tables.shape.bandHeight);
    int32_t heading = 0;
    for (auto _ : state) {
        band.FillRect(0, 0, band.Width(), band.Height(), 0);
        RenderSharpView(tables, picture, terrain, band, 200, 200, heading,
                        terrain.HeightAt(200, 200));
        heading = (heading + 1) & 63;
        benchmark::DoNotOptimize(band.Pixels());
    }
    state.SetLabel(std::string(ViewModeName(mode)));
    state.SetItemsProcessed(state.iterations() * tables.rows * tables.columns);
}
BENCHMARK(BM_RenderSharpView)
    ->Arg(static_cast<int>(ViewMode::Sharp2))
    ->Arg(static_cast<int>(ViewMode::Sharp4))
    ->Arg(static_cast<int>(ViewMode::Wide))
    ->Unit(benchmark::kMicrosecond);

// Building one finer mode's tables (done once, at the first frame in that mode).
void BM_BuildSharpTables(benchmark::State& state) {
    for (auto _ : state) {
        const SharpViewTables tables(ViewMode::Wide);
        benchmark::DoNotOptimize(tables.liftSlope[0]);
    }
}
BENCHMARK(BM_BuildSharpTables)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrell
