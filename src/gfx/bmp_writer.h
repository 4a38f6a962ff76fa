// Writes 8-bit BMP files in exactly the layout Bitmap8::LoadBmp reads: 14-byte file header,
// 40-byte info header, 256 colour entries, bottom-up rows padded to the stride.
#pragma once

#include <string>

#include "gfx/bitmap8.h"

namespace vantrell {

// Writes the bitmap beside the target and renames it into place, so a failed save never leaves
// a half-written file. Returns false (with the old file untouched) on any error.
bool SaveBmp(const Bitmap8& bitmap, const std::string& path);

}  // namespace vantrell
