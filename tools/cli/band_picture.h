// The part of the frame buffer the window shows (BandRectOf: rows 108..227, 96 x 120, of the
// original's, the whole band of a finer mode) as pictures: an 8-bit copy with the frame
// buffer's colour table, or true colour stretched to a window size.
#pragma once

#include <cstdint>

#include "common/png_writer.h"
#include "gfx/bitmap8.h"
#include "gfx/frame_layout.h"

namespace vantrell::cli {

constexpr int32_t kShownWidth = kDefaultViewWidth;
constexpr int32_t kShownHeight = kDefaultViewHeight;

// Copies the band into `band` (resized to the band's size) with the frame buffer's colour table.
void CopyBand(const Bitmap8& frameBuffer, Bitmap8& band);

// The band in true colour, stretched with nearest neighbour to width x height.
tools::RgbImage ShownBand(const Bitmap8& frameBuffer, int32_t width = kShownWidth,
                          int32_t height = kShownHeight);

struct CliOptions;

// The picture mode --view names (the original when not given); refuses an unknown name.
ViewMode RequireViewMode(const CliOptions& options);

}  // namespace vantrell::cli
