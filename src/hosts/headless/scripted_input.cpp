#include "hosts/headless/scripted_input.h"

namespace vantrell {

void ScriptedKeyState::SetDown(int32_t virtualKey, bool down) {
    if (!Valid(virtualKey)) {
        return;
    }
    keys_[virtualKey].down = down;
    if (down) {
        keys_[virtualKey].pressedSince = true;
    }
}

void ScriptedKeyState::Tap(int32_t virtualKey) {
    SetDown(virtualKey, true);
    SetDown(virtualKey, false);
}

void ScriptedKeyState::ReleaseAll() {
    for (Key& key : keys_) {
        key.down = false;
    }
}

bool ScriptedKeyState::DownOrPressedSinceLastAsked(int32_t virtualKey) {
    if (!Valid(virtualKey)) {
        return false;
    }
    Key& key = keys_[virtualKey];
    ++key.queries;
    const bool result = key.down || key.pressedSince;
    key.pressedSince = false;
    return result;
}

int32_t ScriptedKeyState::QueryCount(int32_t virtualKey) const {
    return Valid(virtualKey) ? keys_[virtualKey].queries : 0;
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
