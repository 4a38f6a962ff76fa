// The page's keyboard, gamepads, timer and speed store behind the game's interfaces. The page
// (page/screen.js, page/host.js) keeps the key latches and reads the Gamepad API; these classes
// only ask it.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/joystick.h"
#include "platform/key_state.h"
#include "platform/speed_store.h"
#include "platform/tick_timer.h"

namespace vantrell::web {

class WebKeyState final : public KeyState {
  public:
    bool DownOrPressedSinceLastAsked(Key key) override;
};

// The first two gamepads the browser reports, as joysticks with axes 0..65535: the left stick,
// or the d-pad when the stick is at rest, steers; any other button is the button, and its bit
// (PadButton) is what the keys the player bound look for; Back (Select) asks to race again
// unless bound otherwise.
class WebJoysticks final : public Joysticks {
  public:
    JoystickResult Capabilities(int32_t id, JoystickCaps& caps) override;
    JoystickResult Position(int32_t id, JoystickPosition& position) override;
    bool StartDown(int32_t id) override;
};

// The page's fixed-step loop delivers the ticks as events; this starts and stops it.
class WebTickTimer final : public TickTimer {
  public:
    bool Start(int32_t periodMs) override;
    void Stop() override;
};

// The game speed in the browser's local storage.
class WebSpeedStore final : public SpeedStore {
  public:
    std::optional<int32_t> Load() override;
    void Store(int32_t periodMs) override;
};

}  // namespace vantrell::web
