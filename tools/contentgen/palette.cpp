#include "palette.h"

#include <algorithm>
#include <cmath>

namespace vantrell::contentgen {

namespace {

Rgb Scale(Rgb c, double f) {
    auto ch = [f](uint8_t v) {
        return static_cast<uint8_t>(std::clamp(std::lround(v * f), 0L, 255L));
    };
    return {ch(c.r), ch(c.g), ch(c.b)};
}

Rgb Mix(Rgb a, Rgb b, double t) {
    auto ch = [t](uint8_t x, uint8_t y) {
        return static_cast<uint8_t>(std::clamp(std::lround(x + (y - x) * t), 0L, 255L));
    };
    return {ch(a.r, b.r), ch(a.g, b.g), ch(a.b, b.b)};
}

// A ramp from dark to light through the given mid colour.
void Ramp(Palette& p, int32_t first, int32_t count, Rgb dark, Rgb mid, Rgb light) {
    for (int32_t i = 0; i < count; ++i) {
        const double t = count == 1 ? 0.5 : static_cast<double>(i) / (count - 1);
        p[static_cast<size_t>(first + i)] =
            t < 0.5 ? Mix(dark, mid, t * 2.0) : Mix(mid, light, t * 2.0 - 1.0);
    }
}

// Sixteen shades of a material: shade 9 is the colour of level ground in full light.
void MaterialRamp(Palette& p, int32_t material, Rgb base) {
    for (int32_t s = 0; s < kShades; ++s) {
        const double f = 0.5 + 0.5 * (s / 9.0);
        Rgb c = Scale(base, std::min(f, 1.0));
        if (f > 1.0) {
            c = Mix(c, Rgb{255, 250, 235}, (f - 1.0) * 0.55);
        }
        p[static_cast<size_t>(kMaterialBase + material * kShades + s)] = c;
    }
}

struct Theme {
    Rgb materials[kMaterialCount];
    Rgb accents[kAccentCount];
};

const Theme kThemes[5] = {
    // 0 Green vale: a sandy road through meadows, a lake around.
    {{{196, 172, 122},
      {182, 156, 106},
      {92, 156, 64},
      {120, 170, 70},
      {138, 134, 124},
      {214, 200, 150},
      {52, 110, 168},
      {72, 132, 186},
      {122, 112, 92},
      {226, 214, 90}},
     {{206, 48, 40},
      {240, 240, 236},
      {250, 246, 230},
      {40, 44, 40},
      {250, 230, 120},
      {40, 66, 40},
      {},
      {},
      {},
      {},
      {},
      {}}},
    // 1 Amber desert: asphalt between dunes and red sandstone.
    {{{92, 88, 86},
      {104, 100, 96},
      {222, 178, 110},
      {206, 150, 88},
      {176, 92, 60},
      {238, 206, 146},
      {214, 168, 100},
      {196, 146, 84},
      {160, 84, 54},
      {120, 140, 70}},
     {{220, 206, 60},
      {40, 36, 34},
      {246, 232, 120},
      {36, 34, 32},
      {246, 210, 80},
      {120, 80, 50},
      {},
      {},
      {},
      {},
      {},
      {}}},
    // 2 Frost ridge: packed ice between snowfields and dark rock.
    {{{150, 178, 204},
      {166, 192, 214},
      {224, 232, 240},
      {236, 240, 248},
      {84, 88, 100},
      {206, 222, 238},
      {96, 136, 176},
      {128, 164, 198},
      {100, 104, 120},
      {60, 110, 80}},
     {{40, 80, 200},
      {240, 244, 250},
      {250, 252, 255},
      {50, 60, 90},
      {120, 220, 250},
      {120, 140, 170},
      {},
      {},
      {},
      {},
      {},
      {}}},
    // 3 Harbour works: concrete and steel plates, the sea beyond.
    {{{118, 120, 124},
      {132, 134, 138},
      {150, 150, 142},
      {170, 168, 158},
      {108, 102, 96},
      {96, 120, 92},
      {30, 70, 110},
      {44, 90, 130},
      {90, 86, 84},
      {220, 170, 40}},
     {{236, 190, 30},
      {30, 30, 34},
      {240, 240, 240},
      {40, 40, 44},
      {236, 190, 30},
      {60, 60, 66},
      {},
      {},
      {},
      {},
      {},
      {}}},
    // 4 Ember canyon: basalt and ash, lava below.
    {{{112, 100, 94},
      {124, 110, 102},
      {96, 84, 80},
      {112, 98, 90},
      {92, 78, 76},
      {130, 122, 118},
      {210, 70, 20},
      {250, 150, 40},
      {104, 74, 62},
      {230, 110, 30}},
     {{240, 120, 30},
      {40, 30, 30},
      {250, 200, 120},
      {30, 24, 24},
      {255, 170, 60},
      {30, 24, 24},
      {},
      {},
      {},
      {},
      {},
      {}}},
};

}  // namespace

Palette StagePalette(int32_t stage) {
    Palette p{};
    // The usual static colours at 0..9 and 246..255; the game takes these from the system.
    const Rgb low[10] = {{0, 0, 0},       {128, 0, 0},    {0, 128, 0},   {128, 128, 0},
                         {0, 0, 128},     {128, 0, 128},  {0, 128, 128}, {192, 192, 192},
                         {192, 220, 192}, {166, 202, 240}};
    const Rgb high[10] = {{255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},
                          {0, 255, 0},     {255, 255, 0},   {0, 0, 255},     {255, 0, 255},
                          {0, 255, 255},   {255, 255, 255}};
    for (int i = 0; i < 10; ++i) {
        p[static_cast<size_t>(i)] = low[i];
        p[static_cast<size_t>(246 + i)] = high[i];
    }

    // Shared sprite block.
    p[kOutline] = {22, 20, 26};
    Ramp(p, kRedRamp, 8, {70, 8, 10}, {200, 36, 30}, {255, 170, 140});
    Ramp(p, kBlueRamp, 8, {10, 20, 80}, {40, 90, 220}, {170, 210, 255});
    Ramp(p, kGreyRamp, 8, {40, 42, 48}, {130, 134, 142}, {236, 238, 242});
    p[kBeacon] = {200, 80, 10};
    p[kBeacon + 1] = {250, 140, 20};
    p[kBeacon + 2] = {255, 220, 40};
    p[kBeacon + 3] = {255, 250, 180};
    p[kWhite] = {250, 250, 250};
    Ramp(p, kGreenRamp, 10, {14, 48, 22}, {44, 120, 44}, {150, 210, 100});
    Ramp(p, kBarkRamp, 4, {60, 36, 20}, {110, 74, 40}, {160, 120, 70});
    Ramp(p, kStoneRamp, 6, {62, 58, 54}, {130, 122, 112}, {206, 200, 188});
    Ramp(p, kRoofRamp, 4, {110, 40, 26}, {180, 76, 46}, {230, 130, 90});
    Ramp(p, kGlassRamp, 4, {20, 60, 90}, {60, 160, 200}, {190, 240, 255});
    Ramp(p, kIceRamp, 4, {150, 180, 210}, {200, 224, 244}, {248, 252, 255});
    p[kLavaRamp] = {200, 60, 16};
    p[kLavaRamp + 1] = {255, 170, 40};

    const Theme& t = kThemes[std::clamp(stage, 0, 4)];
    for (int32_t m = 0; m < kMaterialCount; ++m) {
        MaterialRamp(p, m, t.materials[m]);
    }
    for (int32_t a = 0; a < kAccentCount; ++a) {
        p[static_cast<size_t>(kAccentBase + a)] = t.accents[a];
    }
    return p;
}

}  // namespace vantrell::contentgen
