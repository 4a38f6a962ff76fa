#include "hosts/headless/scripted_input.h"

namespace vantrell {

void ScriptedKeyState::SetDown(Key key, bool down) {
    if (KeyIndex(key) >= kKeyCount) {
        return;
    }
    keys_[KeyIndex(key)].down = down;
    if (down) {
        keys_[KeyIndex(key)].pressedSince = true;
    }
}

void ScriptedKeyState::Tap(Key key) {
    SetDown(key, true);
    SetDown(key, false);
}

void ScriptedKeyState::ReleaseAll() {
    for (Held& held : keys_) {
        held.down = false;
    }
}

bool ScriptedKeyState::DownOrPressedSinceLastAsked(Key key) {
    if (KeyIndex(key) >= kKeyCount) {
        return false;
    }
    Held& held = keys_[KeyIndex(key)];
    ++held.queries;
    const bool result = held.down || held.pressedSince;
    held.pressedSince = false;
    return result;
}

int32_t ScriptedKeyState::QueryCount(Key key) const {
    return KeyIndex(key) < kKeyCount ? keys_[KeyIndex(key)].queries : 0;
}

void ScriptedJoysticks::SetCapabilities(int32_t id, JoystickResult result,
                                        const JoystickCaps& caps) {
    if (!Valid(id)) {
        return;
    }
    sticks_[id].capsResult = result;
    sticks_[id].caps = caps;
}

void ScriptedJoysticks::SetPosition(int32_t id, const JoystickPosition& position,
                                    JoystickResult result) {
    if (!Valid(id)) {
        return;
    }
    sticks_[id].position = position;
    sticks_[id].positionResult = result;
}

JoystickResult ScriptedJoysticks::Capabilities(int32_t id, JoystickCaps& caps) {
    capabilityQueries_.push_back(id);
    if (!Valid(id)) {
        return JoystickResult::Unplugged;
    }
    caps = sticks_[id].caps;
    return sticks_[id].capsResult;
}

JoystickResult ScriptedJoysticks::Position(int32_t id, JoystickPosition& position) {
    if (!Valid(id)) {
        return JoystickResult::Unplugged;
    }
    ++sticks_[id].positionQueries;
    position = sticks_[id].position;
    return sticks_[id].positionResult;
}

int32_t ScriptedJoysticks::PositionQueryCount(int32_t id) const {
    return Valid(id) ? sticks_[id].positionQueries : 0;
}

}  // namespace vantrell
