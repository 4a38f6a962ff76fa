#include "hosts/web/web_devices.h"

#include "hosts/web/web_bridge.h"

namespace vantrell::web {

namespace {

constexpr uint32_t kAxisMax = 65535;

}  // namespace

bool WebKeyState::DownOrPressedSinceLastAsked(Key key) {
    // The page posts the enumerator's own number (page/protocol.js).
    return page::KeyDownOrPressed(static_cast<int32_t>(key));
}

JoystickResult WebJoysticks::Capabilities(int32_t id, JoystickCaps& caps) {
    if (!page::ReadPad(id)) {
        return JoystickResult::Unplugged;
    }
    caps = JoystickCaps{0, kAxisMax, 0, kAxisMax};
    return JoystickResult::Ok;
}

JoystickResult WebJoysticks::Position(int32_t id, JoystickPosition& position) {
    const std::optional<page::PadReading> pad = page::ReadPad(id);
    if (!pad) {
        return JoystickResult::Unplugged;
    }
    position.x = static_cast<uint32_t>(pad->x);
    position.y = static_cast<uint32_t>(pad->y);
    position.buttons = static_cast<uint32_t>(pad->buttons);
    position.back = pad->back;
    return JoystickResult::Ok;
}

bool WebJoysticks::StartDown(int32_t id) {
    const std::optional<page::PadReading> pad = page::ReadPad(id);
    return pad && pad->start;
}

bool WebTickTimer::Start(int32_t periodMs) {
    page::StartTimer(periodMs);
    return true;
}

void WebTickTimer::Stop() {
    page::StopTimer();
}

std::optional<int32_t> WebSpeedStore::Load() {
    return page::LoadSpeed();
}

void WebSpeedStore::Store(int32_t periodMs) {
    page::StoreSpeed(periodMs);
}

}  // namespace vantrell::web
