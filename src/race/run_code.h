// The byte a recording keeps for each race tick: 1 forward, 2 reverse, 4 left, 8 right.
#pragma once

#include <cstdint>

#include "input/control_state.h"

namespace vantrell {

constexpr uint8_t kRunForward = 1;
constexpr uint8_t kRunReverse = 2;
constexpr uint8_t kRunLeft = 4;
constexpr uint8_t kRunRight = 8;

// The byte of a player's controls; 0 when they are not live. The button is not recorded.
uint8_t EncodeControls(const ControlState& controls);

// Replays a byte into controls exactly as the keyboard would have set them; bytes the recorder
// never writes (3, 7, 11 and above) replay as no control.
void ReplayByte(uint8_t byte, ControlState& controls);

}  // namespace vantrell
