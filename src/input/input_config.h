// Who drives with what, and the controls both players hold this tick. Poll samples the
// assigned key sets and joysticks once a tick, just before the race step; the configuration
// dialog edits the assignment flags directly.
#pragma once

#include <cstdint>

#include "input/control_code.h"
#include "input/control_state.h"
#include "input/key_bindings.h"
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

// The game's first global object. It depends on nothing but the two sources handed to it,
// which must be ready to answer when it is constructed (it calibrates the joysticks there) and
// must outlive it.
class InputConfig {
  public:
    InputConfig(KeyState& keys, Joysticks& joysticks);

    // Samples both players' assigned devices once, for one tick. A joystick that reports no
    // driver or is unplugged has its flag switched off until the player picks it again.
    TickInput Poll();

    // Whether a retry button (Back unless bound otherwise) of a pad assigned to a player went
    // down since the last call: the player asks to race again. Asking clears it.
    bool TakeRetryRequest();
    // Whether a pause button (Start unless bound otherwise) of a pad assigned to a player went
    // down since the last call: the player asks to pause or resume. It reads the pads when asked,
    // so it answers between ticks too; asking clears it.
    bool TakePauseRequest();
    // The same for the pad buttons bound to full screen (none unless the player binds one).
    bool TakeFullScreenRequest();

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

    // Which keys and pad buttons drive and act; the defaults until the player binds others.
    // The cursor-key choice reads set 1, the letter-key choice set 2, and the pad buttons of the
    // set a player drives with count on that player's pad.
    const KeyBindings& Bindings() const { return bindings_; }
    void SetBindings(const KeyBindings& bindings) { bindings_ = bindings; }

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
    // Whether a pad button bound to the action went down on an assigned pad since last asked.
    bool TakePadPress(BoundAction action, bool (&held)[2]);
    void PollPlayer(PlayerAssignment& assignment, ControlState& controls);
    // set: the key set whose pad buttons count, 0 for none. 1 to keep the flag on, 0 to switch
    // it off.
    int32_t ReadJoystick(int32_t id, int32_t set, ControlState& controls);

    KeyState& keys_;
    Joysticks& joysticks_;
    int32_t joystickReady_[2] = {1, 1};
    JoystickCalibration calibration_[2];
    KeyBindings bindings_ = KeyBindings::Defaults();
    bool retryHeld_[2] = {false, false};
    bool retryRequested_ = false;
    bool pauseHeld_[2] = {false, false};
    bool fullScreenHeld_[2] = {false, false};
    PlayerAssignment player1_{1, 0, 1, 0};
    PlayerAssignment player2_{0, 1, 0, 0};
};

}  // namespace vantrell
