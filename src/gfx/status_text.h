// The status strip below the view: 22 black pixels across the client area and, for banners 1 to
// 6, one centred white line. Positions count 10 pixels per width unit: 1 unit per half-width and
// 2 per full-width character, which is the text's length in the Shift-JIS code page.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vantrell {

inline constexpr int32_t kStatusStripHeight = 22;
inline constexpr int32_t kStatusPixelsPerUnit = 10;

struct StatusText {
    std::string_view text;  // UTF-8; empty for a banner that shows nothing
    int32_t widthUnits = 0;
};

// The text of banner code 1..6; every other code (0, negative, 7 and above) has none.
StatusText BannerText(int32_t banner);

// The same text as a string made once before the game starts (empty for codes without one):
// the strip is painted inside a race tick, which must not allocate.
const std::string& BannerString(int32_t banner);

// Left edge of the text: (clientWidth - 10 * units) / 2, truncated toward zero. Negative when
// the window is narrower than the text, which is then clipped at the left edge.
constexpr int32_t StatusTextX(int32_t clientWidth, int32_t units) {
    return (clientWidth - kStatusPixelsPerUnit * units) / 2;
}
// Top of the strip and baseline row of the text for a client area clientHeight pixels high.
constexpr int32_t StatusStripTop(int32_t clientHeight) {
    return clientHeight - kStatusStripHeight;
}
constexpr int32_t StatusTextY(int32_t clientHeight) {
    return clientHeight - 21;
}

}  // namespace vantrell
