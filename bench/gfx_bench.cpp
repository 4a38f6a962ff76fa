#include <cstring>

#include <benchmark/benchmark.h>

#include "gfx/bitmap8.h"

namespace vantrell {
namespace {

void Fill(Bitmap8& b, int32_t width, int32_t height) {
    b.Resize(width, height);
    for (int64_t k = 0; k < b.PixelBytes(); ++k) {
        b.Pixels()[k] = static_cast<uint8_t>(k % 256);  // a quarter of sprite rows keyed
    }
}

void BM_BlitKeyedSprite(benchmark::State& state) {
    Bitmap8 sheet;
    Fill(sheet, 256, 64);
    Bitmap8 stage;
    Fill(stage, 400, 820);
    for (auto _ : state) {
        sheet.BlitKeyed(&stage, 200, 400, 16, 16, 32, 16);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BlitKeyedSprite);

void BM_GrabAndPut16(benchmark::State& state) {
    Bitmap8 stage;
    Fill(stage, 400, 820);
    Bitmap8 save;
    for (auto _ : state) {
        save.GrabFrom(&stage, 200, 400);
        save.PutTo(&stage, 200, 400);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_GrabAndPut16);

void BM_FillViewBand(benchmark::State& state) {
    Bitmap8 frame;
    Fill(frame, 96, 416);
    for (auto _ : state) {
        frame.FillRect(0, 108, 96, 160, 0);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FillViewBand);

void BM_ReplaceColourStage(benchmark::State& state) {
    Bitmap8 stage;
    Fill(stage, 400, 820);
    for (auto _ : state) {
        stage.ReplaceColour(255, 10);
        stage.ReplaceColour(10, 255);  // put the key back so every pass does the same work
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ReplaceColourStage);

}  // namespace
}  // namespace vantrell
