// Shared set-up for the input tests: a scripted keyboard and joysticks, and a ControlState
// flattened so that one EXPECT shows all six fields.
#pragma once

#include <array>
#include <cstdint>

#include "input/control_state.h"
#include "hosts/headless/scripted_input.h"

namespace vantrell::test {

using Fields = std::array<int32_t, 6>;  // forward, reverse, right, left, button, live

inline Fields FieldsOf(const ControlState& c) {
    return {c.forward, c.reverse, c.right, c.left, c.button, c.live};
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
