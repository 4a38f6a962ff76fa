// Fingerprints for telling that another build of the game (another compiler, another machine,
// the browser) computes exactly what this one does: the tables built in floating point, and the
// pictures shown.
#pragma once

#include <string>

#include "gfx/bitmap8.h"

namespace vantrell {

// SHA-256, in hexadecimal, of the view tables and the heading tables as little-endian 32-bit
// integers (ground table, lift table, then cosines and sines).
std::string TablesDigest();

// SHA-256, in hexadecimal, of the band the window shows (rows 108..227 of the frame buffer, 96
// bytes a row, top row first) followed by the red, green and blue of its 256 colours.
std::string BandDigest(const Bitmap8& frameBuffer);

}  // namespace vantrell
