#include "app/config_dialog.h"

#include <algorithm>

namespace vantrell {

namespace {

using P = PlayerAssignment;
using B = ConfigBox;

// One check box: the flag it mirrors, the same player's other choice of the same kind, and the
// box in the same row of the other player's column, which holds the same device.
struct BoxRule {
    int32_t player;  // 1 or 2
    int32_t PlayerAssignment::*flag;
    ConfigBox sibling;
    ConfigBox rival;
    int32_t joystick;  // platform joystick id that must be ready, or -1 for a key set
};

// Indexed by ConfigBox.
constexpr BoxRule kRules[ConfigDialog::kBoxCount] = {
    {1, &P::useCursorKeys, B::LetterKeys1, B::CursorKeys2, -1},
    {1, &P::useLetterKeys, B::CursorKeys1, B::LetterKeys2, -1},
    {1, &P::useJoystick1, B::Joystick2Of1, B::Joystick1Of2, 0},
    {1, &P::useJoystick2, B::Joystick1Of1, B::Joystick2Of2, 1},
    {2, &P::useCursorKeys, B::LetterKeys2, B::CursorKeys1, -1},
    {2, &P::useLetterKeys, B::CursorKeys2, B::LetterKeys1, -1},
    {2, &P::useJoystick1, B::Joystick2Of2, B::Joystick1Of1, 0},
    {2, &P::useJoystick2, B::Joystick1Of2, B::Joystick2Of1, 1},
};

const BoxRule& RuleOf(ConfigBox box) {
    return kRules[static_cast<std::size_t>(box)];
}

}  // namespace

int32_t& ConfigDialog::Flag(ConfigBox box) {
    const BoxRule& rule = RuleOf(box);
    PlayerAssignment& player = rule.player == 1 ? input_.player1 : input_.player2;
    return player.*(rule.flag);
}

void ConfigDialog::InitMarks() {
    for (int32_t i = 0; i < kBoxCount; ++i) {
        const auto box = static_cast<ConfigBox>(i);
        SetMark(box, Flag(box) > 0);
    }
    barPosition_ = timer_.tickPeriod;
}

void ConfigDialog::Toggle(ConfigBox box) {
    const BoxRule& rule = RuleOf(box);
    int32_t& own = Flag(box);
    int32_t& sibling = Flag(rule.sibling);
    const int32_t rival = Flag(rule.rival);
    const bool joystickMissing = rule.joystick >= 0 && input_.joystickReady[rule.joystick] <= 0;
    if (own > 0 || rival > 0 || joystickMissing) {
        own = 0;
    } else {
        sibling = 0;
        own = 1;
    }
    SetMark(box, own > 0);
    SetMark(rule.sibling, sibling > 0);
}

void ConfigDialog::MoveSpeedBar(SpeedBarMove move, int32_t position) {
    int32_t period = timer_.tickPeriod;
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
    barPosition_ = timer_.tickPeriod;
    timer_.RestartTickTimer();
}

}  // namespace vantrell
