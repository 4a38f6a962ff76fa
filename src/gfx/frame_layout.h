// Where the driver's-eye view lives in the 8-bit frame buffer, for the game that draws it and
// every host or tool that shows it: one home for these numbers.
#pragma once

#include <cstdint>

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

}  // namespace vantrell
