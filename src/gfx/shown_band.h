// The band as a window shows it: stretched with nearest neighbour, separately in each
// direction, onto a client area of any size. The tool's pictures and the browser's canvas use
// this one mapping, so they agree pixel for pixel.
#pragma once

#include <cstdint>
#include <vector>

#include "gfx/bitmap8.h"

namespace vantrell {

// The frame buffer's band (BandRectOf: the original's rows 108..227, or a sharp mode's whole
// buffer) as red, green, blue and 255 for each of width x height pixels, top row first. Rows the
// frame buffer lacks stay transparent black.
std::vector<uint8_t> StretchBandRgba(const Bitmap8& frameBuffer, int32_t width, int32_t height);
// The same into `rgba`, reusing its storage: a host that shows every frame allocates nothing.
void StretchBandRgba(const Bitmap8& frameBuffer, int32_t width, int32_t height,
                     std::vector<uint8_t>& rgba);

}  // namespace vantrell
