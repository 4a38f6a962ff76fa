// A run's time as the player reads it: the ticks the game counts, with the seconds they take at
// the standard speed beside them. Every place that shows a time in ticks to a player, and the
// tool's table, takes it from here, so the conversion lives once.
#pragma once

#include <cstdint>
#include <string>

namespace vantrell {

// Milliseconds a tick lasts at the standard speed (the fastest the speed bar offers).
inline constexpr int32_t kStandardTickMs = 16;

enum class TimeWords {
    Player,  // the player's language, through the translation system: "928（14.85秒）"
    Plain,   // the tool's fixed English, the same on every machine: "928 (14.85 s)"
};

// "14.85": the seconds `ticks` take at the standard speed, to the hundredth (rounded half up).
std::string SecondsAtStandardSpeed(int32_t ticks);

// The tick count with its seconds beside it.
std::string TicksWithSeconds(int32_t ticks, TimeWords words = TimeWords::Player);

}  // namespace vantrell
