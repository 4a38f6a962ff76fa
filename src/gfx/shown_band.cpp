#include "gfx/shown_band.h"

#include "gfx/frame_layout.h"

namespace vantrell {

std::vector<uint8_t> StretchBandRgba(const Bitmap8& frameBuffer, int32_t width, int32_t height) {
    std::vector<uint8_t> rgba;
    StretchBandRgba(frameBuffer, width, height, rgba);
    return rgba;
}

void StretchBandRgba(const Bitmap8& frameBuffer, int32_t width, int32_t height,
                     std::vector<uint8_t>& rgba) {
    rgba.assign(static_cast<size_t>(width) * height * 4, 0);
    const RgbQuad* colours = frameBuffer.Colours();
    const BandRect band = BandRectOf(frameBuffer.Width(), frameBuffer.Height());
    uint8_t* out = rgba.data();
    for (int32_t y = 0; y < height; ++y, out += static_cast<size_t>(width) * 4) {
        const uint8_t* row = frameBuffer.PixelAddress(0, band.top + y * band.height / height);
        if (row == nullptr) {
            continue;
        }
        for (int32_t x = 0; x < width; ++x) {
            const RgbQuad& c = colours[row[x * band.width / width]];
            uint8_t* pixel = out + static_cast<size_t>(x) * 4;
            pixel[0] = c.red;
            pixel[1] = c.green;
            pixel[2] = c.blue;
            pixel[3] = 255;
        }
    }
}

}  // namespace vantrell
