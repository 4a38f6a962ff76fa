#include "hosts/web/web_display.h"

#include "gfx/frame_layout.h"
#include "gfx/shown_band.h"
#include "hosts/web/web_bridge.h"
#include "race/frame_digest.h"

namespace vantrell::web {

void WebDisplay::Present(const Bitmap8& frameBuffer) {
    ++presents_;
    if (presents_ <= kLoggedFrames) {
        // The strip's text of the frame before is final now: a tick paints it after its frame.
        if (!frameDigests_.empty()) {
            frameStatus_.push_back(status_);
        }
        frameDigests_.push_back(BandDigest(frameBuffer));
    } else if (frameStatus_.size() < frameDigests_.size()) {
        frameStatus_.push_back(status_);
    }
    // The original as the window shows it; a finer mode's band at its own size, which the page
    // scales on the screen (a stretch here would only throw its detail away).
    const BandRect band = BandRectOf(frameBuffer.Width(), frameBuffer.Height());
    ViewModeShape shape = ShapeOf(ViewMode::Original);
    for (int32_t mode = 1; mode < kViewModeCount; ++mode) {
        const ViewModeShape finer = ShapeOf(static_cast<ViewMode>(mode));
        if (band.top == 0 && band.width == finer.bandWidth && band.height == finer.bandHeight) {
            shape = finer;
        }
    }
    const bool original = shape.scale == 1;
    const int32_t width = original ? kDefaultViewWidth : shape.bandWidth;
    const int32_t height = original ? kDefaultViewHeight : shape.bandHeight;
    StretchBandRgba(frameBuffer, width, height, rgba_);
    page::Present(rgba_.data(), width, height, shape.shownWidth);
}

void WebDisplay::PaintStatus(const std::string& text, int32_t widthUnits) {
    status_ = text;
    page::PaintStatus(text, widthUnits);
}

void WebDisplay::SetMenuCheck(Command command, bool checked) {
    page::SetCheck(static_cast<int32_t>(command), checked);
}

std::string WebDisplay::FrameLog() const {
    std::string log;
    for (size_t i = 0; i < frameDigests_.size(); ++i) {
        const std::string& status = i < frameStatus_.size() ? frameStatus_[i] : status_;
        log += "frame " + std::to_string(i + 1) + " " + frameDigests_[i] + " " + status + "\n";
    }
    return log;
}

}  // namespace vantrell::web
