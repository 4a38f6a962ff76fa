// Joysticks and gamepads through SDL2 (no SDL video): game joystick ids 0 and 1 are the first
// two devices SDL lists, looked up afresh on every reading so that plugging a stick in or
// pulling it out takes effect at the next tick. A device SDL knows as a game controller (its
// built-in mappings, plus any in SDL_GAMECONTROLLERCONFIG) is read through that layer, so a
// common pad works without set-up: the left stick and the d-pad steer. A plain joystick's first
// two axes steer, and its first hat counts as its d-pad.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/joystick.h"

struct _SDL_Joystick;
struct _SDL_GameController;

namespace vantrell::desktop {

// SDL reports axes as -32768..32767; the game gets them shifted to 0..65535, so its
// calibration puts the centre at 32767 and the dead zone at a quarter of the range.
inline constexpr uint32_t kJoystickAxisMax = 65535;

constexpr uint32_t AxisToGame(int32_t sdlAxis) {
    return static_cast<uint32_t>(sdlAxis + 32768);
}

// What a pad offers the menus and dialogs: the d-pad or the left stick pushed past halfway, A to
// accept, B to go back, and the menu button (Guide, or Back and Start held together).
struct PadNavigation {
    bool up = false;
    bool down = false;
    bool left = false;
    bool right = false;
    bool accept = false;
    bool back = false;
    bool menu = false;

    bool Any() const { return up || down || left || right || accept || back || menu; }
};

class SdlJoysticks final : public Joysticks {
  public:
    static constexpr int32_t kIds = 2;

    // Starts the game-controller subsystem (and with it the joystick one); without it every
    // reading reports NoDriver.
    SdlJoysticks();
    ~SdlJoysticks() override;
    SdlJoysticks(const SdlJoysticks&) = delete;
    SdlJoysticks& operator=(const SdlJoysticks&) = delete;

    // Every stick has SDL's full axis range. The range is filled even for an id with no stick,
    // so that a stick plugged in later is calibrated correctly.
    JoystickResult Capabilities(int32_t id, JoystickCaps& caps) override;
    // A d-pad (or a plain joystick's hat) held in a direction reads as the stick pushed fully
    // that way, whatever the stick says; at rest the stick's own position counts.
    JoystickResult Position(int32_t id, JoystickPosition& position) override;

    // Back asks for a retry and Start for a pause only when let go alone: held together they
    // open the menu instead, so the first of the two to go down cannot have acted already.
    // Position's `back` and StartDown report that release once, soon after it.
    bool StartDown(int32_t id) override;
    // The pad at id read for the menus and dialogs; all false with no device there.
    PadNavigation Navigation(int32_t id);
    // The name SDL gives the device at id; empty when there is none.
    std::string Name(int32_t id);

    bool Available() const { return available_; }

  private:
    // Back and Start of one pad: which is held, whether both were held together since both
    // were last up, and when each was last let go alone (SDL milliseconds; 0 for not pending).
    struct BackStart {
        bool back = false;
        bool start = false;
        bool together = false;
        uint32_t backLetGo = 0;
        uint32_t startLetGo = 0;
    };
    struct Opened {
        _SDL_Joystick* stick = nullptr;
        _SDL_GameController* pad = nullptr;  // set when SDL knows the device as a pad
        BackStart chord;
    };

    // The open device for id after reading the devices, reopened when the device at that index
    // changed; null when SDL lists fewer devices (or on a bad id, or without SDL).
    Opened* Device(int32_t id);
    static void Close(Opened& device);
    // Reads Back and Start into the device's chord.
    static void ReadBackStart(Opened& device);
    // Takes a pending lone release (backLetGo or startLetGo), if it is recent.
    static bool TakeLetGo(uint32_t& letGo);

    bool available_ = false;
    std::array<Opened, kIds> open_{};
};

}  // namespace vantrell::desktop
