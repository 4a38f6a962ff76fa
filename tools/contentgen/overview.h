// Review pictures: each stage from above with its numbered checkpoints, and the game icon.
#pragma once

#include <cstdint>
#include <vector>

#include "common/png_writer.h"
#include "course.h"
#include "palette.h"

namespace vantrell::contentgen {

// The course rows (with a margin of ramp) at the given scale, objects drawn, checkpoint boxes
// outlined and numbered 1..20 in passing order, the start marked.
tools::RgbImage DrawOverview(const Stage& stage, const std::vector<uint8_t>& picture,
                             const Palette& palette, int32_t scale);

// Draws text in a 3 x 5 pixel font (digits and capitals) with a dark outline.
void DrawLabel(tools::RgbImage& image, int32_t x, int32_t y, const char* text, int32_t scale,
               Rgb ink);

// The game icon as PNG bytes, size x size pixels (32 or 64).
std::vector<uint8_t> DrawIcon(int32_t size);

}  // namespace vantrell::contentgen
