#include "cli/band_picture.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "cli/cli_options.h"
#include "gfx/shown_band.h"

namespace vantrell::cli {

void CopyBand(const Bitmap8& frameBuffer, Bitmap8& band) {
    const BandRect rect = BandRectOf(frameBuffer.Width(), frameBuffer.Height());
    band.Resize(rect.width, rect.height);
    std::copy(frameBuffer.Colours(), frameBuffer.Colours() + 256, band.Colours());
    for (int32_t y = 0; y < rect.height; ++y) {
        const uint8_t* from = frameBuffer.PixelAddress(0, rect.top + y);
        uint8_t* to = band.PixelAddress(0, y);
        if (from != nullptr && to != nullptr) {
            std::memcpy(to, from, rect.width);
        }
    }
}

tools::RgbImage ShownBand(const Bitmap8& frameBuffer, int32_t width, int32_t height) {
    tools::RgbImage image(width, height);
    const std::vector<uint8_t> rgba = StretchBandRgba(frameBuffer, width, height);
    for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
        std::copy(rgba.begin() + i * 4, rgba.begin() + i * 4 + 3, image.pixels.begin() + i * 3);
    }
    return image;
}

ViewMode RequireViewMode(const CliOptions& options) {
    if (options.view.empty()) {
        return ViewMode::Original;
    }
    const std::optional<ViewMode> mode = ViewModeNamed(options.view);
    if (!mode) {
        throw CliError("--view " + options.view + ": unknown picture mode; give --view " +
                       "original, sharp2, sharp4 or wide");
    }
    return *mode;
}

}  // namespace vantrell::cli
