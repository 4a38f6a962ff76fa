// The race's words: its modes, the banners of the status strip and its fixed tick counts.
#pragma once

#include <cstdint>

#include "records/hiscore_table.h"  // kRecordingBytes

namespace vantrell {

enum RaceMode : int32_t {
    ModeDemo = 0,
    ModeSolo = 1,
    ModeVersus = 2,
    ModeFreeDrive = 4,
};

enum BannerCode : int32_t {
    BannerNone = 0,
    BannerTitle = 1,
    BannerDemo = 2,
    BannerReady = 3,
    BannerGo = 4,
    BannerGoal = 5,
    BannerTimeUp = 6,
};

constexpr int32_t kRaceTickLimit = kRecordingBytes;  // the time limit is a recording's length
constexpr int32_t kCountdownStart = 63;
constexpr int32_t kFinishLast = 63;
constexpr int32_t kMarkerBlinkStart = 5;
constexpr int32_t kDemoWaitStart = 500;
constexpr int32_t kMarkerFrame = 75;
constexpr int32_t kNoEffect = -1;

// Whether a tick composes and shows its frame. A race driven only for its outcome (checking,
// tracing or timing a run) skips it: the frame never feeds back into the race.
enum class Drawing { Frames, None };

}  // namespace vantrell
