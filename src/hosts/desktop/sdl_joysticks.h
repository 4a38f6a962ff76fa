// Joysticks through SDL2's joystick subsystem (no SDL video): game joystick ids 0 and 1 are the
// first two devices SDL lists, looked up afresh on every reading so that plugging a stick in or
// pulling it out takes effect at the next tick.
#pragma once

#include <array>
#include <cstdint>

#include "platform/joystick.h"

struct _SDL_Joystick;

namespace vantrell::desktop {

// SDL reports axes as -32768..32767; the game gets them shifted to 0..65535, so its
// calibration puts the centre at 32767 and the dead zone at a quarter of the range.
inline constexpr uint32_t kJoystickAxisMax = 65535;

constexpr uint32_t AxisToGame(int32_t sdlAxis) {
    return static_cast<uint32_t>(sdlAxis + 32768);
}

class SdlJoysticks final : public Joysticks {
  public:
    static constexpr int32_t kIds = 2;

    // Starts the joystick subsystem; without it every reading reports NoDriver.
    SdlJoysticks();
    ~SdlJoysticks() override;
    SdlJoysticks(const SdlJoysticks&) = delete;
    SdlJoysticks& operator=(const SdlJoysticks&) = delete;

    // Every stick has SDL's full axis range. The range is filled even for an id with no stick,
    // so that a stick plugged in later is calibrated correctly.
    JoystickResult Capabilities(int32_t id, JoystickCaps& caps) override;
    JoystickResult Position(int32_t id, JoystickPosition& position) override;

    bool Available() const { return available_; }

  private:
    // The open device for id, reopened when the device at that index changed; null when SDL
    // lists fewer devices.
    _SDL_Joystick* Device(int32_t id);

    bool available_ = false;
    std::array<_SDL_Joystick*, kIds> open_{};
};

}  // namespace vantrell::desktop
