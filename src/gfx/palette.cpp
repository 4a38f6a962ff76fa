#include "gfx/palette.h"

namespace vantrell {

namespace {

bool IsStatic(int32_t i) {
    return i < kFirstStageColour || i > kLastStageColour;
}

Palette BuildStaticColours() {
    // The customary reserved colours of a 256-colour display.
    static constexpr uint8_t kLow[10][3] = {
        {0, 0, 0},     {128, 0, 0},   {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
        {128, 0, 128}, {0, 128, 128}, {192, 192, 192}, {192, 220, 192}, {166, 202, 240}};
    static constexpr uint8_t kHigh[10][3] = {
        {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},   {0, 255, 0},
        {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255}, {255, 255, 255}};
    Palette p{};
    for (int32_t i = 0; i < 10; ++i) {
        p[i] = {kLow[i][0], kLow[i][1], kLow[i][2], 0};
        p[246 + i] = {kHigh[i][0], kHigh[i][1], kHigh[i][2], 0};
    }
    return p;
}

}  // namespace

const Palette& StaticColours() {
    static const Palette colours = BuildStaticColours();
    return colours;
}

Palette MakePalette(const Bitmap8& bitmap) {
    Palette p = StaticColours();
    for (int32_t i = kFirstStageColour; i <= kLastStageColour; ++i) {
        const RgbQuad& q = bitmap.Colours()[i];
        p[i] = {q.red, q.green, q.blue, kNoCollapse};
    }
    return p;
}

void AdoptColours(Bitmap8& target, const Bitmap8& source) {
    const Palette& fixed = StaticColours();
    for (int32_t i = 0; i < 256; ++i) {
        RgbQuad& q = target.Colours()[i];
        if (IsStatic(i)) {
            q.red = fixed[i].red;
            q.green = fixed[i].green;
            q.blue = fixed[i].blue;
        } else {
            const RgbQuad& s = source.Colours()[i];
            q.red = s.red;
            q.green = s.green;
            q.blue = s.blue;
        }
    }
}

}  // namespace vantrell
