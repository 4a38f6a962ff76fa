// SDL's virtual devices for the desktop's joystick tests: a pad SDL maps as a game controller
// (A is button 0, Start button 6, the d-pad buttons 11 to 14, the left stick axes 0 and 1) and a
// plain joystick with two axes, four buttons and a hat. Needs SDL's joystick subsystem started.
#pragma once

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdint>
#include <string>

#include "hosts/desktop/sdl_joysticks.h"

namespace vantrell::test {

// Why virtual pads cannot be tested here, or empty: they need SDL's joystick subsystem (which
// `sticks` starts) and no real joystick, whose ids and events would mix with the test's.
inline std::string WhyNoVirtualPads(const desktop::SdlJoysticks& sticks) {
    if (!sticks.Available()) {
        return "no SDL joystick subsystem";
    }
    return SDL_NumJoysticks() != 0 ? "a real joystick is plugged in" : "";
}

class VirtualDevice {
  public:
    enum Kind { Pad, HatStick };

    explicit VirtualDevice(Kind kind, const char* name = "Vantrell Test Pad") {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = kind == Pad ? SDL_JOYSTICK_TYPE_GAMECONTROLLER : SDL_JOYSTICK_TYPE_UNKNOWN;
        desc.naxes = kind == Pad ? 6 : 2;
        desc.nbuttons = kind == Pad ? SDL_CONTROLLER_BUTTON_MAX : 4;
        desc.nhats = kind == Pad ? 0 : 1;
        desc.name = kind == Pad ? name : "Vantrell Test Stick";
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        if (index >= 0) {
            handle_ = SDL_JoystickOpen(index);
        }
    }
    ~VirtualDevice() { Unplug(); }
    VirtualDevice(const VirtualDevice&) = delete;
    VirtualDevice& operator=(const VirtualDevice&) = delete;

    bool Ok() const { return handle_ != nullptr; }
    void Axes(int16_t x, int16_t y) {
        SDL_JoystickSetVirtualAxis(handle_, 0, x);
        SDL_JoystickSetVirtualAxis(handle_, 1, y);
    }
    void Button(int b, bool down) { SDL_JoystickSetVirtualButton(handle_, b, down ? 1 : 0); }
    void Hat(uint8_t value) { SDL_JoystickSetVirtualHat(handle_, 0, value); }
    void Unplug() {
        if (handle_ == nullptr) {
            return;
        }
        const SDL_JoystickID id = SDL_JoystickInstanceID(handle_);
        SDL_JoystickClose(handle_);
        handle_ = nullptr;
        for (int i = 0; i < SDL_NumJoysticks(); ++i) {
            if (SDL_JoystickGetDeviceInstanceID(i) == id) {
                SDL_JoystickDetachVirtual(i);
                break;
            }
        }
    }

  private:
    SDL_Joystick* handle_ = nullptr;
};

// The desktop's joysticks with only the test's virtual devices plugged in.
class VirtualPadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (const std::string why = WhyNoVirtualPads(sticks); !why.empty()) {
            GTEST_SKIP() << why;
        }
    }
    desktop::SdlJoysticks sticks;
};

}  // namespace vantrell::test
