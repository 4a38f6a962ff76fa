// Where the driver's-eye view lives in the 8-bit frame buffer, for the game that draws it and
// every host or tool that shows it: one home for these numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vantrell {

inline constexpr int32_t kFrameWidth = 96;    // frame-buffer columns, the view's width
inline constexpr int32_t kFrameHeight = 416;  // frame-buffer rows the view may reach
// The band a window shows: rows kBandTop .. kBandTop + kBandHeight - 1, all 96 columns.
inline constexpr int32_t kBandTop = 108;
inline constexpr int32_t kBandHeight = 120;
inline constexpr int32_t kBandWidth = kFrameWidth;
// The default window's client area (256 x 360 outside) is 248 x 292: the band is stretched onto
// the 248 x 270 above the status strip.
inline constexpr int32_t kDefaultViewWidth = 248;
inline constexpr int32_t kDefaultViewHeight = 270;
// Rows the race clears to black before each view: the band and the rows the view may draw below.
inline constexpr int32_t kClearedRows = 160;

// The picture modes. The original view draws into the 96 x 416 frame buffer above; the others
// sample the same camera and perspective at `scale` times the columns and rows (and Wide sees
// further to each side as well) into a frame buffer that is the band itself. Only the picture
// differs: the race never sees which mode draws it.
enum class ViewMode : int32_t { Original, Sharp2, Sharp4, Wide };
inline constexpr int32_t kViewModeCount = 4;

// Columns (at the original's scale) Wide adds on each side of the original's 96: 16:9 at the
// default window's pixel shape.
inline constexpr int32_t kWideSideColumns = 45;
// The default window's view area in Wide: 16:9 at the original's height.
inline constexpr int32_t kWideViewWidth = 480;

struct ViewModeShape {
    int32_t scale;        // view rows and columns per original row and column
    int32_t sideColumns;  // original-scale columns added on each side
    int32_t bandWidth;    // the band's columns and rows
    int32_t bandHeight;
    int32_t shownWidth;  // the default window's view area
    int32_t shownHeight;
};

constexpr ViewModeShape ShapeOf(ViewMode mode) {
    switch (mode) {
        case ViewMode::Sharp2:
            return {2, 0, 2 * kBandWidth, 2 * kBandHeight, kDefaultViewWidth, kDefaultViewHeight};
        case ViewMode::Sharp4:
            return {4, 0, 4 * kBandWidth, 4 * kBandHeight, kDefaultViewWidth, kDefaultViewHeight};
        case ViewMode::Wide:
            return {4,
                    kWideSideColumns,
                    4 * (kBandWidth + 2 * kWideSideColumns),
                    4 * kBandHeight,
                    kWideViewWidth,
                    kDefaultViewHeight};
        case ViewMode::Original:
            break;
    }
    return {1, 0, kBandWidth, kBandHeight, kDefaultViewWidth, kDefaultViewHeight};
}

// The modes' names where they are typed or stored (the tool's --view, the settings).
constexpr std::string_view ViewModeName(ViewMode mode) {
    switch (mode) {
        case ViewMode::Sharp2:
            return "sharp2";
        case ViewMode::Sharp4:
            return "sharp4";
        case ViewMode::Wide:
            return "wide";
        case ViewMode::Original:
            break;
    }
    return "original";
}

constexpr std::optional<ViewMode> ViewModeNamed(std::string_view name) {
    for (int32_t i = 0; i < kViewModeCount; ++i) {
        if (ViewModeName(static_cast<ViewMode>(i)) == name) {
            return static_cast<ViewMode>(i);
        }
    }
    return std::nullopt;
}

// Where a frame buffer's band lies: the whole of a buffer the size of a finer mode's band,
// else rows kBandTop.. of the original's 96 columns (whatever the buffer's size, as the
// original has always been read).
struct BandRect {
    int32_t top;
    int32_t width;
    int32_t height;
};

constexpr BandRect BandRectOf(int32_t frameWidth, int32_t frameHeight) {
    for (const ViewMode mode : {ViewMode::Sharp2, ViewMode::Sharp4, ViewMode::Wide}) {
        const ViewModeShape shape = ShapeOf(mode);
        if (frameWidth == shape.bandWidth && frameHeight == shape.bandHeight) {
            return {0, frameWidth, frameHeight};
        }
    }
    return {kBandTop, kBandWidth, kBandHeight};
}

}  // namespace vantrell
