#include <benchmark/benchmark.h>

#include <cstdint>

#include "craft/craft.h"
#include "input/control_state.h"
#include "world/terrain.h"

namespace vantrell {
namespace {

// Rolling hills with all three cell interpolations.
void FillHills(Terrain& terrain) {
    for (int32_t i = 0; i < kCornerCount; ++i) {
        for (int32_t j = 0; j < kCornerCount; ++j) {
            terrain.cornerHeights[i][j] = ((i * 7 + j * 3) % 11) * 6;
            terrain.cellTypes[i][j] = (i + j) % 3;
        }
    }
}

// Done once per stage load.
void BM_BuildHeightField(benchmark::State& state) {
    Terrain terrain;
    FillHills(terrain);
    for (auto _ : state) {
        terrain.BuildHeightField();
        benchmark::DoNotOptimize(terrain.Field()[FieldIndex(123, 45)]);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BuildHeightField)->Unit(benchmark::kMicrosecond);

// One tick of both craft racing over hills, thrusting and turning.
void BM_CraftPairStep(benchmark::State& state) {
    Terrain terrain;
    FillHills(terrain);
    terrain.BuildHeightField();
    ControlState controls1;
    ControlState controls2;
    controls1.forward = 1;
    controls1.right = 1;
    controls2.forward = 1;
    controls2.left = 1;
    CraftPair pair;
    pair.Init(&terrain);
    pair.Reset(1);
    for (auto _ : state) {
        pair.Step(0, controls1, controls2);
        benchmark::DoNotOptimize(pair.first.ground);
        benchmark::DoNotOptimize(pair.second.ground);
    }
}
BENCHMARK(BM_CraftPairStep);

// The lookup alone, over a spread of points including wrapped and off-field ones.
void BM_HeightAt(benchmark::State& state) {
    Terrain terrain;
    FillHills(terrain);
    terrain.BuildHeightField();
    int32_t x = -7;
    int32_t y = -230;
    for (auto _ : state) {
        benchmark::DoNotOptimize(terrain.HeightAt(x, y));
        x = x > 790 ? -400 : x + 13;
        y = y > 630 ? -230 : y + 7;
    }
}
BENCHMARK(BM_HeightAt);

}  // namespace
}  // namespace vantrell
