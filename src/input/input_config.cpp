#include "input/input_config.h"

#include "platform/key_state.h"

namespace vantrell {

namespace {

// What one pressed key or button of a set's control adds; the opposite field of each pair
// takes the negative. Asked in the order of the game's fixed sets: left, right, forward,
// reverse, button.
struct ControlEffect {
    SetControl control;
    int32_t forward;
    int32_t right;
    int32_t button;
};

constexpr ControlEffect kEffects[] = {
    {SetControl::Left, 0, -1, 0},    {SetControl::Right, 0, 1, 0},  {SetControl::Forward, 1, 0, 0},
    {SetControl::Reverse, -1, 0, 0}, {SetControl::Button, 0, 0, 1},
};

void Apply(const ControlEffect& effect, ControlState& controls) {
    controls.forward += effect.forward;
    controls.reverse -= effect.forward;
    controls.right += effect.right;
    controls.left -= effect.right;
    controls.button += effect.button;
}

// Without usable capabilities we assume the common full range: its centre is where a resting
// stick reads, so a stick we know nothing about gives no direction at rest.
constexpr JoystickCaps kFallbackCaps{0, 65535, 0, 65535};

void ReadKeySet(KeyState& keys, const KeyBindings& bindings, int32_t set, ControlState& controls) {
    for (const ControlEffect& effect : kEffects) {
        for (const Binding& binding : bindings.Of(SetAction(set, effect.control))) {
            if (!binding.pad && keys.DownOrPressedSinceLastAsked(static_cast<Key>(binding.code))) {
                Apply(effect, controls);
            }
        }
    }
}

int32_t PlayerAssignment::*FlagOf(Device device) {
    switch (device) {
        case Device::CursorKeys:
            return &PlayerAssignment::useCursorKeys;
        case Device::LetterKeys:
            return &PlayerAssignment::useLetterKeys;
        case Device::Joystick1:
            return &PlayerAssignment::useJoystick1;
        case Device::Joystick2:
            break;
    }
    return &PlayerAssignment::useJoystick2;
}

}  // namespace

InputConfig::InputConfig(KeyState& keys, Joysticks& joysticks)
    : keys_(keys), joysticks_(joysticks) {
    Calibrate(1);
    Calibrate(0);
}

void InputConfig::Calibrate(int32_t id) {
    JoystickCaps caps;
    if (joysticks_.Capabilities(id, caps) != JoystickResult::Ok) {
        caps = kFallbackCaps;
    }
    // Unsigned 32-bit, rounded down; both results fit a signed 32-bit field.
    JoystickCalibration& cal = calibration_[id];
    cal.centreX = static_cast<int32_t>((caps.xMin + caps.xMax) / 2);
    cal.centreY = static_cast<int32_t>((caps.yMin + caps.yMax) / 2);
    cal.deadX = static_cast<int32_t>((caps.xMax - caps.xMin) / 4);
    cal.deadY = static_cast<int32_t>((caps.yMax - caps.yMin) / 4);
}

void InputConfig::RefreshJoystickReadiness() {
    for (int32_t id = 0; id < 2; ++id) {
        JoystickCaps caps;
        joystickReady_[id] = joysticks_.Capabilities(id, caps) == JoystickResult::Ok ? 1 : 0;
    }
}

TickInput InputConfig::Poll() {
    ControlState controls1;
    ControlState controls2;
    PollPlayer(player1_, controls1);
    PollPlayer(player2_, controls2);
    return TickInput{ControlByte(controls1), ControlByte(controls2)};
}

bool InputConfig::TakeRetryRequest() {
    const bool requested = retryRequested_;
    retryRequested_ = false;
    return requested;
}

bool InputConfig::TakePauseRequest() {
    return TakePadPress(BoundAction::Pause, pauseHeld_);
}

bool InputConfig::TakeFullScreenRequest() {
    return TakePadPress(BoundAction::FullScreen, fullScreenHeld_);
}

bool InputConfig::TakePadPress(BoundAction action, bool (&held)[2]) {
    constexpr Device kPads[2] = {Device::Joystick1, Device::Joystick2};
    const uint32_t mask = bindings_.PadMask(action);
    const uint32_t others = mask & ~PadBit(PadButton::Start);
    bool requested = false;
    for (int32_t id = 0; id < 2; ++id) {
        const bool assigned = Uses(1, kPads[id]) || Uses(2, kPads[id]);
        // Start has its own question, which a host answers without reading the whole pad.
        bool down = assigned && (mask & PadBit(PadButton::Start)) != 0 && joysticks_.StartDown(id);
        JoystickPosition pos;
        if (assigned && !down && others != 0 &&
            joysticks_.Position(id, pos) == JoystickResult::Ok) {
            down = (pos.buttons & others) != 0;
        }
        // Pressed, not held: one request per press.
        if (down && !held[id]) {
            requested = true;
        }
        held[id] = down;
    }
    return requested;
}

void InputConfig::PollPlayer(PlayerAssignment& assignment, ControlState& controls) {
    int32_t set = 0;
    if (assignment.useCursorKeys > 0) {
        set = 1;
    } else if (assignment.useLetterKeys > 0) {
        set = 2;
    }
    if (set > 0) {
        ReadKeySet(keys_, bindings_, set, controls);
    }
    if (assignment.useJoystick1 > 0) {
        assignment.useJoystick1 = ReadJoystick(0, set, controls);
    } else if (assignment.useJoystick2 > 0) {
        assignment.useJoystick2 = ReadJoystick(1, set, controls);
    }
}

int32_t InputConfig::ReadJoystick(int32_t id, int32_t set, ControlState& controls) {
    JoystickPosition pos;
    const JoystickResult result = joysticks_.Position(id, pos);
    if (result == JoystickResult::NoDriver || result == JoystickResult::Unplugged) {
        return 0;
    }
    if (result != JoystickResult::Ok) {
        return 1;
    }
    const JoystickCalibration& cal = calibration_[id];
    // The difference wraps as 32-bit values do; the bounds are widened so that negating a dead
    // zone someone set to the lowest integer cannot overflow.
    const int64_t dx = static_cast<int32_t>(pos.x - static_cast<uint32_t>(cal.centreX));
    const int64_t dy = static_cast<int32_t>(pos.y - static_cast<uint32_t>(cal.centreY));
    const int64_t deadX = cal.deadX;
    const int64_t deadY = cal.deadY;
    if (dx > deadX) {
        controls.right += 1;
        controls.left -= 1;
    } else if (dx < -deadX) {
        controls.right -= 1;
        controls.left += 1;
    }
    // Positive y is the stick pulled back.
    if (dy > deadY) {
        controls.forward -= 1;
        controls.reverse += 1;
    } else if (dy < -deadY) {
        controls.forward += 1;
        controls.reverse -= 1;
    }
    if (pos.buttons != 0) {
        controls.button += 1;
    }
    // Buttons bound to a control of the player's set, over what the stick gave.
    const uint32_t held = pos.buttons | (pos.back ? PadBit(PadButton::Back) : 0u);
    if (set > 0) {
        for (const ControlEffect& effect : kEffects) {
            if ((held & bindings_.PadMask(SetAction(set, effect.control))) != 0) {
                Apply(effect, controls);
            }
        }
    }
    // Pressed, not held: one request per press.
    const bool retry = (held & bindings_.PadMask(BoundAction::Retry)) != 0;
    if (retry && !retryHeld_[id]) {
        retryRequested_ = true;
    }
    retryHeld_[id] = retry;
    return 1;
}

int32_t& InputConfig::Flag(int32_t player, Device device) {
    PlayerAssignment& assignment = player == 1 ? player1_ : player2_;
    return assignment.*FlagOf(device);
}

bool InputConfig::Uses(int32_t player, Device device) const {
    return Player(player).*FlagOf(device) > 0;
}

void InputConfig::Choose(int32_t player, Device device) {
    const bool keys = device == Device::CursorKeys || device == Device::LetterKeys;
    const Device otherOfKind =
        keys ? (device == Device::CursorKeys ? Device::LetterKeys : Device::CursorKeys)
             : (device == Device::Joystick1 ? Device::Joystick2 : Device::Joystick1);
    int32_t& own = Flag(player, device);
    int32_t& sibling = Flag(player, otherOfKind);
    const int32_t rival = Flag(player == 1 ? 2 : 1, device);
    const int32_t id = device == Device::Joystick1 ? 0 : 1;
    const bool joystickMissing = !keys && joystickReady_[id] <= 0;
    if (own > 0 || rival > 0 || joystickMissing) {
        own = 0;
    } else {
        sibling = 0;
        own = 1;
    }
}

void InputConfig::SetAssignment(int32_t player, const PlayerAssignment& assignment) {
    (player == 1 ? player1_ : player2_) = assignment;
}

}  // namespace vantrell
