// The game's colour scheme: entries 0..9 and 246..255 are fixed static colours (the ones a
// 256-colour desktop reserves), entries 10..245 are the current stage's own colours.
#pragma once

#include <array>
#include <cstdint>

#include "gfx/bitmap8.h"

namespace vantrell {

constexpr int32_t kFirstStageColour = 10;
constexpr int32_t kLastStageColour = 245;
constexpr uint8_t kTransparent = 255;

struct PaletteEntry {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t flags = 0;
};
using Palette = std::array<PaletteEntry, 256>;
constexpr uint8_t kNoCollapse = 4;

// The twenty static colours, at their places 0..9 and 246..255 (other entries black).
const Palette& StaticColours();

// The palette a bitmap is shown through: the static colours around its own entries 10..245.
Palette MakePalette(const Bitmap8& bitmap);

// Gives target the static colours and source's entries 10..245; reserved bytes stay untouched.
void AdoptColours(Bitmap8& target, const Bitmap8& source);

}  // namespace vantrell
