#include "hosts/desktop/sdl_joysticks.h"

#include <SDL.h>

#include "hosts/desktop/sdl_setup.h"

namespace vantrell::desktop {

namespace {

constexpr int16_t kAxisLow = -32768;
constexpr int16_t kAxisHigh = 32767;
// A stick moves a menu's selection once it is pushed past halfway.
constexpr int16_t kMenuPush = 16384;
// A lone release of Back or Start older than this is dropped, not acted on later: a paused
// game reads no positions, and a retry long after the press would surprise.
constexpr uint32_t kLetGoMs = 1000;

// One axis with its two d-pad directions: a held direction wins over the stick.
uint32_t Steer(int16_t stick, bool low, bool high) {
    if (low != high) {
        return AxisToGame(low ? kAxisLow : kAxisHigh);
    }
    return AxisToGame(stick);
}

bool PadButton(SDL_GameController* pad, SDL_GameControllerButton button) {
    return SDL_GameControllerGetButton(pad, button) != 0;
}

void ReadPad(SDL_GameController* pad, JoystickPosition& position) {
    position.x = Steer(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX),
                       PadButton(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT),
                       PadButton(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT));
    position.y = Steer(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY),
                       PadButton(pad, SDL_CONTROLLER_BUTTON_DPAD_UP),
                       PadButton(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN));
    // Buttons keep SDL's numbering (A is bit 0); the d-pad steers and counts as no button.
    position.buttons = 0;
    for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX && b < 32; ++b) {
        const auto button = static_cast<SDL_GameControllerButton>(b);
        const bool dpad =
            button >= SDL_CONTROLLER_BUTTON_DPAD_UP && button <= SDL_CONTROLLER_BUTTON_DPAD_RIGHT;
        if (!dpad && PadButton(pad, button)) {
            position.buttons |= 1u << b;
        }
    }
}

void ReadStick(SDL_Joystick* stick, JoystickPosition& position) {
    // A stick without a second axis reads centred on it.
    const int axes = SDL_JoystickNumAxes(stick);
    const int16_t x = axes > 0 ? SDL_JoystickGetAxis(stick, 0) : 0;
    const int16_t y = axes > 1 ? SDL_JoystickGetAxis(stick, 1) : 0;
    const uint8_t hat = SDL_JoystickNumHats(stick) > 0 ? SDL_JoystickGetHat(stick, 0) : 0;
    position.x = Steer(x, (hat & SDL_HAT_LEFT) != 0, (hat & SDL_HAT_RIGHT) != 0);
    position.y = Steer(y, (hat & SDL_HAT_UP) != 0, (hat & SDL_HAT_DOWN) != 0);
    position.buttons = 0;
    const int buttons = SDL_JoystickNumButtons(stick);
    for (int b = 0; b < buttons && b < 32; ++b) {
        if (SDL_JoystickGetButton(stick, b) != 0) {
            position.buttons |= 1u << b;
        }
    }
}

}  // namespace

SdlJoysticks::SdlJoysticks() {
    // The game-controller subsystem reads SDL_GAMECONTROLLERCONFIG as it starts.
    available_ = InitSdlSubsystem(SDL_INIT_GAMECONTROLLER);
    if (available_) {
        // Nobody reads SDL's event queue; the devices are polled once a tick instead.
        SDL_JoystickEventState(SDL_IGNORE);
        SDL_GameControllerEventState(SDL_IGNORE);
    }
}

SdlJoysticks::~SdlJoysticks() {
    if (!available_) {
        return;
    }
    for (Opened& device : open_) {
        Close(device);
    }
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void SdlJoysticks::Close(Opened& device) {
    if (device.pad != nullptr) {
        SDL_GameControllerClose(device.pad);  // closes its joystick too
    } else if (device.stick != nullptr) {
        SDL_JoystickClose(device.stick);
    }
    device = Opened{};
}

JoystickResult SdlJoysticks::Capabilities(int32_t id, JoystickCaps& caps) {
    caps = JoystickCaps{0, kJoystickAxisMax, 0, kJoystickAxisMax};
    if (!available_) {
        return JoystickResult::NoDriver;
    }
    return Device(id) != nullptr ? JoystickResult::Ok : JoystickResult::Unplugged;
}

SdlJoysticks::Opened* SdlJoysticks::Device(int32_t id) {
    if (!available_ || id < 0 || id >= kIds) {
        return nullptr;
    }
    // Reads the devices and notices sticks plugged in or pulled out since the last reading.
    SDL_JoystickUpdate();
    Opened& device = open_[id];
    const bool listed = id < SDL_NumJoysticks();
    const SDL_JoystickID wanted = listed ? SDL_JoystickGetDeviceInstanceID(id) : -1;
    if (device.stick != nullptr && (!listed || SDL_JoystickInstanceID(device.stick) != wanted ||
                                    SDL_JoystickGetAttached(device.stick) == SDL_FALSE)) {
        Close(device);
    }
    if (device.stick == nullptr && listed) {
        if (SDL_IsGameController(id) == SDL_TRUE) {
            device.pad = SDL_GameControllerOpen(id);
            device.stick =
                device.pad != nullptr ? SDL_GameControllerGetJoystick(device.pad) : nullptr;
        }
        if (device.stick == nullptr) {  // a plain joystick, or a pad SDL could not open as one
            device.pad = nullptr;
            device.stick = SDL_JoystickOpen(id);
        }
    }
    return device.stick != nullptr ? &device : nullptr;
}

void SdlJoysticks::ReadBackStart(Opened& device) {
    if (device.pad == nullptr) {
        return;
    }
    BackStart& chord = device.chord;
    const bool back = PadButton(device.pad, SDL_CONTROLLER_BUTTON_BACK);
    const bool start = PadButton(device.pad, SDL_CONTROLLER_BUTTON_START);
    chord.together = chord.together || (back && start);
    // Never 0, which means nothing pending.
    const uint32_t now = SDL_GetTicks() | 1u;
    if (chord.back && !back && !chord.together) {
        chord.backLetGo = now;
    }
    if (chord.start && !start && !chord.together) {
        chord.startLetGo = now;
    }
    if (!back && !start) {
        chord.together = false;
    }
    chord.back = back;
    chord.start = start;
}

bool SdlJoysticks::TakeLetGo(uint32_t& letGo) {
    // Signed: a letGo made odd (so never 0) may lie a millisecond ahead of the clock.
    const auto age = static_cast<int32_t>(SDL_GetTicks() - letGo);
    const bool recent = letGo != 0 && age <= static_cast<int32_t>(kLetGoMs);
    letGo = 0;
    return recent;
}

JoystickResult SdlJoysticks::Position(int32_t id, JoystickPosition& position) {
    if (!available_) {
        return JoystickResult::NoDriver;
    }
    Opened* device = Device(id);
    if (device == nullptr) {
        return JoystickResult::Unplugged;
    }
    if (device->pad != nullptr) {
        ReadPad(device->pad, position);
        ReadBackStart(*device);
        position.back = TakeLetGo(device->chord.backLetGo);
    } else {
        ReadStick(device->stick, position);
    }
    return JoystickResult::Ok;
}

bool SdlJoysticks::StartDown(int32_t id) {
    Opened* device = Device(id);
    if (device == nullptr || device->pad == nullptr) {
        return false;
    }
    ReadBackStart(*device);
    return TakeLetGo(device->chord.startLetGo);
}

PadNavigation SdlJoysticks::Navigation(int32_t id) {
    PadNavigation nav;
    Opened* device = Device(id);
    if (device == nullptr) {
        return nav;
    }
    if (device->pad == nullptr) {
        // A plain joystick: its first hat or axes move, its first two buttons accept and go back.
        JoystickPosition position;
        ReadStick(device->stick, position);
        constexpr uint32_t kCentre = kJoystickAxisMax / 2;
        nav.left = position.x < kCentre - kMenuPush;
        nav.right = position.x > kCentre + kMenuPush;
        nav.up = position.y < kCentre - kMenuPush;
        nav.down = position.y > kCentre + kMenuPush;
        nav.accept = (position.buttons & 1u) != 0;
        nav.back = (position.buttons & 2u) != 0;
        return nav;
    }
    SDL_GameController* pad = device->pad;
    const int32_t x = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX);
    const int32_t y = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY);
    nav.left = PadButton(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT) || x < -kMenuPush;
    nav.right = PadButton(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT) || x > kMenuPush;
    nav.up = PadButton(pad, SDL_CONTROLLER_BUTTON_DPAD_UP) || y < -kMenuPush;
    nav.down = PadButton(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN) || y > kMenuPush;
    nav.accept = PadButton(pad, SDL_CONTROLLER_BUTTON_A);
    nav.back = PadButton(pad, SDL_CONTROLLER_BUTTON_B);
    ReadBackStart(*device);
    nav.menu = PadButton(pad, SDL_CONTROLLER_BUTTON_GUIDE) || device->chord.together;
    return nav;
}

std::string SdlJoysticks::Name(int32_t id) {
    const Opened* device = Device(id);
    if (device == nullptr) {
        return {};
    }
    const char* name = device->pad != nullptr ? SDL_GameControllerName(device->pad)
                                              : SDL_JoystickName(device->stick);
    return name != nullptr ? name : "";
}

}  // namespace vantrell::desktop
