#include "hosts/web/web_devices.h"

#include <emscripten.h>

#include <array>

namespace vantrell::web {

namespace {

// The bodies are JavaScript, which the C++ formatter would break.
// clang-format off
EM_JS(int32_t, KeyDownOrPressed, (int32_t index), { return VT.keys.downOrPressed(index) ? 1 : 0; });

// Fills out[0..3] with x, y, buttons and back; returns 0 for a pad, 1 for none at that index.
EM_JS(int32_t, ReadPad, (int32_t id, int32_t* out), {
    const pad = VT.pads.read(id);
    if (!pad) {
        return 1;
    }
    HEAP32[out >> 2] = pad.x;
    HEAP32[(out >> 2) + 1] = pad.y;
    HEAP32[(out >> 2) + 2] = pad.buttons;
    HEAP32[(out >> 2) + 3] = pad.back ? 1 : 0;
    return 0;
});

EM_JS(int32_t, PadStartDown, (int32_t id), {
    const pad = VT.pads.read(id);
    return pad && pad.start ? 1 : 0;
});

EM_JS(void, StartTimerOnPage, (int32_t periodMs), { VT.host.timerStart(periodMs); });
EM_JS(void, StopTimerOnPage, (), { VT.host.timerStop(); });

EM_JS(int32_t, LoadSpeedFromPage, (), {
    try {
        const value = parseInt(localStorage.getItem("vantrell.speed"), 10);
        return Number.isInteger(value) ? value : -1;
    } catch (e) {
        return -1;
    }
});

EM_JS(void, StoreSpeedOnPage, (int32_t periodMs), {
    try {
        localStorage.setItem("vantrell.speed", String(periodMs));
    } catch (e) {
    }
});
// clang-format on

constexpr uint32_t kAxisMax = 65535;

}  // namespace

bool WebKeyState::DownOrPressedSinceLastAsked(Key key) {
    return KeyDownOrPressed(static_cast<int32_t>(KeyIndex(key))) != 0;
}

JoystickResult WebJoysticks::Capabilities(int32_t id, JoystickCaps& caps) {
    std::array<int32_t, 4> ignored{};
    if (ReadPad(id, ignored.data()) != 0) {
        return JoystickResult::Unplugged;
    }
    caps = JoystickCaps{0, kAxisMax, 0, kAxisMax};
    return JoystickResult::Ok;
}

JoystickResult WebJoysticks::Position(int32_t id, JoystickPosition& position) {
    std::array<int32_t, 4> pad{};
    if (ReadPad(id, pad.data()) != 0) {
        return JoystickResult::Unplugged;
    }
    position.x = static_cast<uint32_t>(pad[0]);
    position.y = static_cast<uint32_t>(pad[1]);
    position.buttons = static_cast<uint32_t>(pad[2]);
    position.back = pad[3] != 0;
    return JoystickResult::Ok;
}

bool WebJoysticks::StartDown(int32_t id) {
    return PadStartDown(id) != 0;
}

bool WebTickTimer::Start(int32_t periodMs) {
    StartTimerOnPage(periodMs);
    return true;
}

void WebTickTimer::Stop() {
    StopTimerOnPage();
}

std::optional<int32_t> WebSpeedStore::Load() {
    const int32_t value = LoadSpeedFromPage();
    if (value < 0) {
        return std::nullopt;
    }
    return value;
}

void WebSpeedStore::Store(int32_t periodMs) {
    StoreSpeedOnPage(periodMs);
}

}  // namespace vantrell::web
