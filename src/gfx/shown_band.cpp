#include "gfx/shown_band.h"

#include <array>
#include <cstring>

#include "gfx/frame_layout.h"

namespace vantrell {

std::vector<uint8_t> StretchBandRgba(const Bitmap8& frameBuffer, int32_t width, int32_t height) {
    std::vector<uint8_t> rgba;
    StretchBandRgba(frameBuffer, width, height, rgba);
    return rgba;
}

namespace {

// The band at its own size, as a finer mode's page shows it (the browser scales it): one
// look-up a pixel, no divisions.
void CopyBandRgba(const Bitmap8& frameBuffer, const BandRect& band, std::vector<uint8_t>& rgba) {
    std::array<std::array<uint8_t, 4>, 256> colours{};
    for (size_t i = 0; i < colours.size(); ++i) {
        const RgbQuad& c = frameBuffer.Colours()[i];
        colours[i] = {c.red, c.green, c.blue, 255};
    }
    rgba.resize(static_cast<size_t>(band.width) * band.height * 4);
    uint8_t* out = rgba.data();
    for (int32_t y = 0; y < band.height; ++y) {
        const uint8_t* row = frameBuffer.PixelAddress(0, band.top + y);
        for (int32_t x = 0; x < band.width; ++x, out += 4) {
            std::memcpy(out, colours[row[x]].data(), 4);
        }
    }
}

}  // namespace

void StretchBandRgba(const Bitmap8& frameBuffer, int32_t width, int32_t height,
                     std::vector<uint8_t>& rgba) {
    const BandRect band = BandRectOf(frameBuffer.Width(), frameBuffer.Height());
    if (band.top == 0 && width == band.width && height == band.height) {
        CopyBandRgba(frameBuffer, band, rgba);
        return;
    }
    rgba.assign(static_cast<size_t>(width) * height * 4, 0);
    const RgbQuad* colours = frameBuffer.Colours();
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
