// What a BMP file holds, read from its headers alone: enough to tell whether Bitmap8::LoadBmp
// can draw it, and how big it is, without loading the pixels.
#pragma once

#include <cstdint>
#include <string>

#include "io/file_bytes.h"

namespace vantrell {

struct BmpLayout {
    int32_t width = 0;
    int32_t height = 0;        // rows, positive whichever way they are stored
    bool topDown = false;      // the file stores the top row first
    int32_t colourCount = 0;   // entries in the colour table, 1..256
    int64_t colourOffset = 0;  // byte where the colour table starts
    int64_t pixelOffset = 0;   // byte where the pixel rows start (the data offset)
};

// Reads and checks the headers of a BMP file. True when LoadBmp would draw the picture; false
// when it would refuse it, with `reason` (if given) saying why in one line without the path.
bool ReadBmpLayout(const std::string& path, BmpLayout& layout, std::string* reason = nullptr);
// The same for a file's bytes held in memory.
bool ReadBmpLayout(ByteSpan file, BmpLayout& layout, std::string* reason = nullptr);

}  // namespace vantrell
