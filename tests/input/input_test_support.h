// Shared set-up for the input tests: a scripted keyboard and joysticks, and a polled player's
// controls flattened so that one EXPECT shows all six fields.
#pragma once

#include <array>
#include <cstdint>

#include "hosts/headless/scripted_input.h"
#include "input/control_code.h"
#include "input/control_state.h"
#include "input/input_config.h"

namespace vantrell::test {

using Fields = std::array<int32_t, 6>;  // forward, reverse, right, left, button, live

// The fields a reader sees from a tick's byte: each pair at +1/-1 or 0, the button at 1 or 0.
inline Fields FieldsOf(uint8_t byte) {
    const ControlState c = ControlsFromByte(byte);
    return {c.forward, c.reverse, c.right, c.left, c.button, c.live};
}

// Sets one of a player's device flags, as a test's starting point.
inline void SetFlag(InputConfig& input, int32_t player, int32_t PlayerAssignment::*flag,
                    int32_t value) {
    PlayerAssignment assignment = input.Player(player);
    assignment.*flag = value;
    input.SetAssignment(player, assignment);
}

inline constexpr JoystickCaps kFullRange{0, 65535, 0, 65535};
inline constexpr uint32_t kCentre = 32767;  // (0 + 65535) / 2
inline constexpr uint32_t kDead = 16383;    // 65535 / 4

// A joystick that calibrates on the full range and rests at its centre.
inline void PlugCentred(ScriptedJoysticks& sticks, int32_t id) {
    sticks.SetCapabilities(id, JoystickResult::Ok, kFullRange);
    sticks.SetPosition(id, {kCentre, kCentre, 0});
}

}  // namespace vantrell::test
