// One player's controls as one byte. A recording keeps one per race tick: 1 forward, 2 reverse,
// 4 left, 8 right. The input of a tick adds 16 for the button, which steers nothing and is never
// recorded.
#pragma once

#include <cstdint>

#include "input/control_state.h"

namespace vantrell {

constexpr uint8_t kRunForward = 1;
constexpr uint8_t kRunReverse = 2;
constexpr uint8_t kRunLeft = 4;
constexpr uint8_t kRunRight = 8;
constexpr uint8_t kControlButton = 16;

// Both players' controls for one tick: what the host samples once and hands to the race step,
// and what a recording or a script gives in its place.
struct TickInput {
    uint8_t player1 = 0;
    uint8_t player2 = 0;
};

// The byte of a player's controls; 0 when they are not live. The button is not recorded.
uint8_t EncodeControls(const ControlState& controls);

// Replays a byte into controls exactly as the keyboard would have set them; bytes the recorder
// never writes (3, 7, 11 and above) replay as no control.
void ReplayByte(uint8_t byte, ControlState& controls);

// A tick's byte for live controls: the recorded directions and the button. Opposite fields of a
// pair always hold opposite signs, so these bits keep everything a reader can test.
uint8_t ControlByte(const ControlState& controls);
// Live controls from a tick's byte, as the keys that made it would have set them.
ControlState ControlsFromByte(uint8_t byte);
// A recording's byte as a tick's input: bytes the recorder never writes give no control.
uint8_t RecordedControls(uint8_t byte);

}  // namespace vantrell
