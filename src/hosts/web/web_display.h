// The game picture on the page's canvas: the original band stretched onto the default window's
// view as the desktop window shows it (a finer mode's band at its own size), the status strip
// below, and the menu's check marks. It also keeps the fingerprints of the first frames, which
// must equal those of a native build.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/display.h"

namespace vantrell::web {

class WebDisplay final : public Display {
  public:
    static constexpr int32_t kLoggedFrames = 240;

    void Present(const Bitmap8& frameBuffer) override;
    void PaintStatus(const std::string& text, int32_t widthUnits) override;
    void SetMenuCheck(Command command, bool checked) override;

    // "frame K HEX TEXT" for each of the first frames shown, as `vantrell-tool digest` prints
    // them: the band's fingerprint and the strip's text once that tick had ended.
    std::string FrameLog() const;
    int32_t PresentCount() const { return presents_; }

  private:
    std::vector<uint8_t> rgba_;  // the stretched frame, kept between frames
    int32_t presents_ = 0;
    std::string status_;
    std::vector<std::string> frameDigests_;
    std::vector<std::string> frameStatus_;  // the strip's text as each logged frame's tick ended
};

}  // namespace vantrell::web
