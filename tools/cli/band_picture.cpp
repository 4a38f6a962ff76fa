#include "cli/band_picture.h"

#include <algorithm>
#include <cstring>

namespace vantrell::cli {

void CopyBand(const Bitmap8& frameBuffer, Bitmap8& band) {
    band.Resize(kBandWidth, kBandHeight);
    std::copy(frameBuffer.Colours(), frameBuffer.Colours() + 256, band.Colours());
    for (int32_t y = 0; y < kBandHeight; ++y) {
        const uint8_t* from = frameBuffer.PixelAddress(0, kBandTop + y);
        uint8_t* to = band.PixelAddress(0, y);
        if (from != nullptr && to != nullptr) {
            std::memcpy(to, from, kBandWidth);
        }
    }
}

tools::RgbImage ShownBand(const Bitmap8& frameBuffer, int32_t width, int32_t height) {
    tools::RgbImage image(width, height);
    const RgbQuad* colours = frameBuffer.Colours();
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* row = frameBuffer.PixelAddress(0, kBandTop + y * kBandHeight / height);
        if (row == nullptr) {
            continue;
        }
        for (int32_t x = 0; x < width; ++x) {
            const RgbQuad& c = colours[row[x * kBandWidth / width]];
            image.Set(x, y, c.red, c.green, c.blue);
        }
    }
    return image;
}

}  // namespace vantrell::cli
