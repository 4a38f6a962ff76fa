// Who drives with what, and the controls both players hold this tick. Poll samples the
// assigned key sets and joysticks once a tick, just before the race step; the configuration
// dialog edits the assignment flags directly.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "input/control_code.h"
#include "input/control_state.h"
#include "platform/joystick.h"
#include "platform/key_state.h"

namespace vantrell {

// Raw stick values: a direction counts only beyond dead on either side of centre.
struct JoystickCalibration {
    int32_t centreX = 0;
    int32_t centreY = 0;
    int32_t deadX = 0;
    int32_t deadY = 0;
};

// One player's devices; a flag is on when greater than 0. Joystick 1 is platform id 0 and
// joystick 2 is id 1. Where both flags of a pair are on, the first wins.
struct PlayerAssignment {
    int32_t useCursorKeys = 0;
    int32_t useLetterKeys = 0;
    int32_t useJoystick1 = 0;
    int32_t useJoystick2 = 0;
};

// What a player can drive with.
enum class Device { CursorKeys, LetterKeys, Joystick1, Joystick2 };

// What a player's key does to their craft.
enum class DriveAction { Forward, Reverse, Left, Right, Button };

// What the keys outside the race's controls ask of the game; the hosts' key handlers answer them.
enum class GameKeyAction { Pause, Retry, FullScreen };

// A key's name as a keyboard shows it ("Up", "W", "Ctrl"), the same in every language.
const char* KeyName(Key key);

// The keys that ask for a game action, by their names ("F11", "Alt+Enter").
std::vector<std::string> GameKeyNames(GameKeyAction action);

// The game's first global object. It depends on nothing but the two sources handed to it,
// which must be ready to answer when it is constructed (it calibrates the joysticks there) and
// must outlive it.
class InputConfig {
  public:
    InputConfig(KeyState& keys, Joysticks& joysticks);

    // Samples both players' assigned devices once, for one tick. A joystick that reports no
    // driver or is unplugged has its flag switched off until the player picks it again.
    TickInput Poll();

    // Whether the Back button of a pad assigned to a player went down since the last call: the
    // player asks to race again. Asking clears it.
    bool TakeRetryRequest();
    // Whether the Start button of a pad assigned to a player went down since the last call:
    // the player asks to pause or resume. It reads the pads when asked, so it answers between
    // ticks too; asking clears it.
    bool TakePauseRequest();

    // The player (1 or 2) asks for a device, or to let go of it. A device held already, by this
    // player or the other, is let go; a joystick that is not ready cannot be taken. Taking one
    // lets go of the player's other device of the same kind (the other key set or joystick).
    void Choose(int32_t player, Device device);
    bool Uses(int32_t player, Device device) const;

    // Player 1 or 2's devices. Starts as cursor keys and joystick 1 for player 1, letter keys
    // for player 2.
    const PlayerAssignment& Player(int32_t player) const {
        return player == 1 ? player1_ : player2_;
    }
    void SetAssignment(int32_t player, const PlayerAssignment& assignment);

    // The keys that do `action` for player 1 or 2 now, through the key set the player drives
    // with; none when the player has no key set.
    std::vector<Key> KeysFor(int32_t player, DriveAction action) const;

    // Per joystick id: the controls dialog offers only ready ones.
    bool JoystickReady(int32_t id) const { return joystickReady_[id] > 0; }
    // Each id counts as ready while a joystick answers at it, so one pulled out can no longer
    // be chosen and one plugged in can. The controls dialog asks before it shows or takes a
    // choice; the poll never does.
    void RefreshJoystickReadiness();
    void SetJoystickReady(int32_t id, bool ready) { joystickReady_[id] = ready ? 1 : 0; }
    const JoystickCalibration& Calibration(int32_t id) const { return calibration_[id]; }

  private:
    int32_t& Flag(int32_t player, Device device);
    void Calibrate(int32_t id);
    void PollPlayer(PlayerAssignment& assignment, ControlState& controls);
    // 1 to keep the flag on, 0 to switch it off.
    int32_t ReadJoystick(int32_t id, ControlState& controls);

    KeyState& keys_;
    Joysticks& joysticks_;
    int32_t joystickReady_[2] = {1, 1};
    JoystickCalibration calibration_[2];
    bool backHeld_[2] = {false, false};
    bool retryRequested_ = false;
    bool startHeld_[2] = {false, false};
    PlayerAssignment player1_{1, 0, 1, 0};
    PlayerAssignment player2_{0, 1, 0, 0};
};

}  // namespace vantrell
