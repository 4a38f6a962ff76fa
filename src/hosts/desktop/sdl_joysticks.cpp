#include "hosts/desktop/sdl_joysticks.h"

#include <SDL.h>

#include "hosts/desktop/sdl_setup.h"

namespace vantrell::desktop {

SdlJoysticks::SdlJoysticks() {
    available_ = InitSdlSubsystem(SDL_INIT_JOYSTICK);
    if (available_) {
        // Nobody reads SDL's event queue; the sticks are polled once a tick instead.
        SDL_JoystickEventState(SDL_IGNORE);
    }
}

SdlJoysticks::~SdlJoysticks() {
    if (!available_) {
        return;
    }
    for (SDL_Joystick*& stick : open_) {
        if (stick != nullptr) {
            SDL_JoystickClose(stick);
            stick = nullptr;
        }
    }
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

JoystickResult SdlJoysticks::Capabilities(int32_t id, JoystickCaps& caps) {
    caps = JoystickCaps{0, kJoystickAxisMax, 0, kJoystickAxisMax};
    if (!available_) {
        return JoystickResult::NoDriver;
    }
    if (id < 0 || id >= kIds) {
        return JoystickResult::Unplugged;
    }
    SDL_JoystickUpdate();
    return Device(id) != nullptr ? JoystickResult::Ok : JoystickResult::Unplugged;
}

SDL_Joystick* SdlJoysticks::Device(int32_t id) {
    SDL_Joystick*& stick = open_[id];
    const bool listed = id < SDL_NumJoysticks();
    const SDL_JoystickID wanted = listed ? SDL_JoystickGetDeviceInstanceID(id) : -1;
    if (stick != nullptr && (!listed || SDL_JoystickInstanceID(stick) != wanted ||
                             SDL_JoystickGetAttached(stick) == SDL_FALSE)) {
        SDL_JoystickClose(stick);
        stick = nullptr;
    }
    if (stick == nullptr && listed) {
        stick = SDL_JoystickOpen(id);
    }
    return stick;
}

JoystickResult SdlJoysticks::Position(int32_t id, JoystickPosition& position) {
    if (!available_) {
        return JoystickResult::NoDriver;
    }
    if (id < 0 || id >= kIds) {
        return JoystickResult::Unplugged;
    }
    // Reads the devices and notices sticks plugged in or pulled out since the last tick.
    SDL_JoystickUpdate();
    SDL_Joystick* stick = Device(id);
    if (stick == nullptr) {
        return JoystickResult::Unplugged;
    }
    // A stick without a second axis reads centred on it.
    const int axes = SDL_JoystickNumAxes(stick);
    position.x = AxisToGame(axes > 0 ? SDL_JoystickGetAxis(stick, 0) : 0);
    position.y = AxisToGame(axes > 1 ? SDL_JoystickGetAxis(stick, 1) : 0);
    position.buttons = 0;
    const int buttons = SDL_JoystickNumButtons(stick);
    for (int b = 0; b < buttons && b < 32; ++b) {
        if (SDL_JoystickGetButton(stick, b) != 0) {
            position.buttons |= 1u << b;
        }
    }
    return JoystickResult::Ok;
}

}  // namespace vantrell::desktop
