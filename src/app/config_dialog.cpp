#include "app/config_dialog.h"

#include <algorithm>

namespace vantrell {

namespace {

struct BoxDevice {
    int32_t player;  // 1 or 2
    Device device;
    ConfigBox sibling;  // the same player's other choice of the same kind
};

// Indexed by ConfigBox.
constexpr BoxDevice kBoxes[ConfigDialog::kBoxCount] = {
    {1, Device::CursorKeys, ConfigBox::LetterKeys1},
    {1, Device::LetterKeys, ConfigBox::CursorKeys1},
    {1, Device::Joystick1, ConfigBox::Joystick2Of1},
    {1, Device::Joystick2, ConfigBox::Joystick1Of1},
    {2, Device::CursorKeys, ConfigBox::LetterKeys2},
    {2, Device::LetterKeys, ConfigBox::CursorKeys2},
    {2, Device::Joystick1, ConfigBox::Joystick2Of2},
    {2, Device::Joystick2, ConfigBox::Joystick1Of2},
};

const BoxDevice& Of(ConfigBox box) {
    return kBoxes[static_cast<std::size_t>(box)];
}

}  // namespace

bool ConfigDialog::Holds(ConfigBox box) const {
    return input_.Uses(Of(box).player, Of(box).device);
}

void ConfigDialog::InitMarks() {
    for (int32_t i = 0; i < kBoxCount; ++i) {
        const auto box = static_cast<ConfigBox>(i);
        SetMark(box, Holds(box));
    }
    barPosition_ = timer_.Period();
}

void ConfigDialog::Refresh() {
    input_.RefreshJoystickReadiness();
    for (int32_t i = 0; i < kBoxCount; ++i) {
        const auto box = static_cast<ConfigBox>(i);
        SetMark(box, Holds(box));
    }
}

void ConfigDialog::Toggle(ConfigBox box) {
    input_.Choose(Of(box).player, Of(box).device);
    SetMark(box, Holds(box));
    SetMark(Of(box).sibling, Holds(Of(box).sibling));
}

void ConfigDialog::MoveSpeedBar(SpeedBarMove move, int32_t position) {
    int32_t period = timer_.Period();
    bool moved = true;
    switch (move) {
        case SpeedBarMove::Faster:
            period -= 1;
            break;
        case SpeedBarMove::Slower:
            period += 1;
            break;
        case SpeedBarMove::Track:
            period = position;
            break;
        case SpeedBarMove::Other:
            moved = false;
            break;
    }
    if (moved) {
        // Handed on even when clamping left it unchanged, which marks it for storing.
        timer_.SetTickPeriod(std::clamp(period, SpeedBarMin(), SpeedBarMax()));
    }
    barPosition_ = timer_.Period();
    timer_.RestartTickTimer();
}

}  // namespace vantrell
