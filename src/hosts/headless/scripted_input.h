// Keyboard and joysticks driven by a script instead of hardware, for tests, vantrell-tool and
// the headless game. Nothing here reads the clock or the machine: the same script always gives
// the same readings.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/joystick.h"
#include "platform/key_state.h"

namespace vantrell {

class ScriptedKeyState final : public KeyState {
  public:
    // Holding a key also latches it, so a key put down and up again before the next query still
    // reads true once, as on a real keyboard.
    void SetDown(Key key, bool down);
    // Pressed and released between two queries: true at the next query only.
    void Tap(Key key);
    void ReleaseAll();

    bool DownOrPressedSinceLastAsked(Key key) override;

    // How often the key was asked about, to check who reads which keys.
    int32_t QueryCount(Key key) const;

  private:
    struct Held {
        bool down = false;
        bool pressedSince = false;
        int32_t queries = 0;
    };

    std::array<Held, kKeyCount> keys_{};
};

class ScriptedJoysticks final : public Joysticks {
  public:
    static constexpr int32_t kIds = 2;  // ids outside 0..kIds-1 report Unplugged

    // Every id starts unplugged. The scripted ranges and position are handed out even with a
    // failing result, as a careless driver might, so tests can prove the caller ignores them.
    void SetCapabilities(int32_t id, JoystickResult result, const JoystickCaps& caps);
    void SetPosition(int32_t id, const JoystickPosition& position,
                     JoystickResult result = JoystickResult::Ok);

    JoystickResult Capabilities(int32_t id, JoystickCaps& caps) override;
    JoystickResult Position(int32_t id, JoystickPosition& position) override;
    // A pad's Start button held or let go.
    void SetStartDown(int32_t id, bool down) {
        if (Valid(id)) {
            sticks_[id].startDown = down;
        }
    }
    bool StartDown(int32_t id) override { return Valid(id) && sticks_[id].startDown; }

    // Ids in the order their capabilities were asked for.
    const std::vector<int32_t>& CapabilityQueries() const { return capabilityQueries_; }
    int32_t PositionQueryCount(int32_t id) const;

  private:
    struct Stick {
        JoystickResult capsResult = JoystickResult::Unplugged;
        JoystickCaps caps;
        JoystickResult positionResult = JoystickResult::Unplugged;
        JoystickPosition position;
        int32_t positionQueries = 0;
        bool startDown = false;
    };
    static bool Valid(int32_t id) { return id >= 0 && id < kIds; }

    std::array<Stick, kIds> sticks_{};
    std::vector<int32_t> capabilityQueries_;
};

}  // namespace vantrell
