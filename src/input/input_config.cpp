#include "input/input_config.h"

#include <span>
#include <string>
#include <vector>

#include "platform/key_state.h"

namespace vantrell {

namespace {

// What one pressed key adds; the opposite field of each pair takes the negative.
struct KeyEffect {
    Key key;
    int32_t forward;
    int32_t right;
    int32_t button;
};

// Queried in this order. Constant tables only, so nothing here waits on static initialisation.
constexpr KeyEffect kCursorKeys[] = {
    {Key::Left, 0, -1, 0}, {Key::Right, 0, 1, 0}, {Key::Up, 1, 0, 0},
    {Key::Down, -1, 0, 0}, {Key::Shift, 0, 0, 1},
};

// X is a second reverse key beside S.
constexpr KeyEffect kLetterKeys[] = {
    {Key::A, 0, -1, 0}, {Key::D, 0, 1, 0},  {Key::W, 1, 0, 0},
    {Key::S, -1, 0, 0}, {Key::X, -1, 0, 0}, {Key::Control, 0, 0, 1},
};

// Without usable capabilities we assume the common full range: its centre is where a resting
// stick reads, so a stick we know nothing about gives no direction at rest.
constexpr JoystickCaps kFallbackCaps{0, 65535, 0, 65535};

void ReadKeySet(KeyState& keys, std::span<const KeyEffect> set, ControlState& controls) {
    for (const KeyEffect& effect : set) {
        if (keys.DownOrPressedSinceLastAsked(effect.key)) {
            controls.forward += effect.forward;
            controls.reverse -= effect.forward;
            controls.right += effect.right;
            controls.left -= effect.right;
            controls.button += effect.button;
        }
    }
}

bool Does(const KeyEffect& effect, DriveAction action) {
    switch (action) {
        case DriveAction::Forward:
            return effect.forward > 0;
        case DriveAction::Reverse:
            return effect.forward < 0;
        case DriveAction::Left:
            return effect.right < 0;
        case DriveAction::Right:
            return effect.right > 0;
        case DriveAction::Button:
            break;
    }
    return effect.button > 0;
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
    constexpr Device kPads[2] = {Device::Joystick1, Device::Joystick2};
    bool requested = false;
    for (int32_t id = 0; id < 2; ++id) {
        const bool assigned = Uses(1, kPads[id]) || Uses(2, kPads[id]);
        const bool down = assigned && joysticks_.StartDown(id);
        // Pressed, not held: one request per press.
        if (down && !startHeld_[id]) {
            requested = true;
        }
        startHeld_[id] = down;
    }
    return requested;
}

void InputConfig::PollPlayer(PlayerAssignment& assignment, ControlState& controls) {
    if (assignment.useCursorKeys > 0) {
        ReadKeySet(keys_, kCursorKeys, controls);
    } else if (assignment.useLetterKeys > 0) {
        ReadKeySet(keys_, kLetterKeys, controls);
    }
    if (assignment.useJoystick1 > 0) {
        assignment.useJoystick1 = ReadJoystick(0, controls);
    } else if (assignment.useJoystick2 > 0) {
        assignment.useJoystick2 = ReadJoystick(1, controls);
    }
}

int32_t InputConfig::ReadJoystick(int32_t id, ControlState& controls) {
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
    // Pressed, not held: one request per press.
    if (pos.back && !backHeld_[id]) {
        retryRequested_ = true;
    }
    backHeld_[id] = pos.back;
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

const char* KeyName(Key key) {
    switch (key) {
        case Key::Shift:
            return "Shift";
        case Key::Control:
            return "Ctrl";
        case Key::Left:
            return "\u2190";
        case Key::Up:
            return "\u2191";
        case Key::Right:
            return "\u2192";
        case Key::Down:
            return "\u2193";
        case Key::A:
            return "A";
        case Key::D:
            return "D";
        case Key::S:
            return "S";
        case Key::W:
            return "W";
        case Key::X:
            break;
    }
    return "X";
}

std::vector<std::string> GameKeyNames(GameKeyAction action) {
    // The desktop window and the page listen for these same keys.
    switch (action) {
        case GameKeyAction::Pause:
            return {"P", "Pause"};
        case GameKeyAction::Retry:
            return {"R", "Backspace"};
        case GameKeyAction::FullScreen:
            break;
    }
    return {"F11", "Alt+Enter"};
}

std::vector<Key> InputConfig::KeysFor(int32_t player, DriveAction action) const {
    const PlayerAssignment& assignment = Player(player);
    std::span<const KeyEffect> set;
    if (assignment.useCursorKeys > 0) {
        set = kCursorKeys;
    } else if (assignment.useLetterKeys > 0) {
        set = kLetterKeys;
    }
    std::vector<Key> keys;
    for (const KeyEffect& effect : set) {
        if (Does(effect, action)) {
            keys.push_back(effect.key);
        }
    }
    return keys;
}

void InputConfig::SetAssignment(int32_t player, const PlayerAssignment& assignment) {
    (player == 1 ? player1_ : player2_) = assignment;
}

}  // namespace vantrell
