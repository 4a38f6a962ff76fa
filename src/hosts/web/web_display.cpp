#include "hosts/web/web_display.h"

#include <emscripten.h>

#include "gfx/frame_layout.h"
#include "gfx/shown_band.h"
#include "race/frame_digest.h"

namespace vantrell::web {

namespace {

// The bodies are JavaScript, which the C++ formatter would break.
// clang-format off
EM_JS(void, PresentOnPage, (const uint8_t* rgba, int32_t width, int32_t height), {
    // A view of the program's memory: the canvas copies it, so nothing else need.
    VT.screen.present(HEAPU8.subarray(rgba, rgba + width * height * 4), width, height);
});

EM_JS(void, PaintStatusOnPage, (const char* text, int32_t widthUnits), {
    VT.screen.status(UTF8ToString(text), widthUnits);
});

EM_JS(void, SetCheckOnPage, (int32_t command, int32_t checked), {
    VT.ui.setCheck(command, checked != 0);
});
// clang-format on

}  // namespace

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
    StretchBandRgba(frameBuffer, kDefaultViewWidth, kDefaultViewHeight, rgba_);
    PresentOnPage(rgba_.data(), kDefaultViewWidth, kDefaultViewHeight);
}

void WebDisplay::PaintStatus(const std::string& text, int32_t widthUnits) {
    status_ = text;
    PaintStatusOnPage(text.c_str(), widthUnits);
}

void WebDisplay::SetMenuCheck(Command command, bool checked) {
    SetCheckOnPage(static_cast<int32_t>(command), checked ? 1 : 0);
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
