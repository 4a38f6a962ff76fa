// Up to two joysticks, ids 0 and 1, read the way the game needs them: the axis ranges once at
// start-up and the raw position with the buttons on every tick.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vantrell {

enum class JoystickResult : int32_t {
    Ok,
    NoDriver,    // no joystick support on this machine at all
    Unplugged,   // the id has no joystick attached
    OtherError,  // a passing failure: the caller keeps trying
};

// Raw axis ranges; x grows to the right and y grows as the stick is pulled back.
struct JoystickCaps {
    uint32_t xMin = 0;
    uint32_t xMax = 0;
    uint32_t yMin = 0;
    uint32_t yMax = 0;
};

// A pad's buttons as bits of JoystickPosition::buttons (bit n for value n). A plain joystick's
// buttons count from bit 0 in its own order.
enum class PadButton : uint8_t {
    A,
    B,
    X,
    Y,
    Back,
    Guide,
    Start,
    LeftStick,
    RightStick,
    LeftShoulder,
    RightShoulder,
    LeftTrigger,
    RightTrigger,
};
inline constexpr std::size_t kPadButtonCount =
    static_cast<std::size_t>(PadButton::RightTrigger) + 1;

constexpr uint32_t PadBit(PadButton button) {
    return 1u << static_cast<uint32_t>(button);
}

struct JoystickPosition {
    uint32_t x = 0;
    uint32_t y = 0;
    uint32_t buttons = 0;  // one bit per button held (PadButton for a pad)
    // The pad's Back (Select) button held: it steers nothing and asks to race again.
    bool back = false;
};

class Joysticks {
  public:
    virtual ~Joysticks() = default;

    // Fills caps and returns Ok, or returns the failure with caps unspecified.
    virtual JoystickResult Capabilities(int32_t id, JoystickCaps& caps) = 0;
    // Fills position and returns Ok, or returns the failure with position unspecified.
    virtual JoystickResult Position(int32_t id, JoystickPosition& position) = 0;
    // Whether the pad at id has its Start button held; false for a plain joystick or none.
    // Asked between ticks too (a paused game has no ticks), so asking changes nothing.
    virtual bool StartDown(int32_t /*id*/) { return false; }
};

}  // namespace vantrell
