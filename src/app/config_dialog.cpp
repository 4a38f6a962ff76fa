#include "app/config_dialog.h"

#include <algorithm>

namespace vantrell {

namespace {

using K = DialogControlKind;

constexpr DialogControl kConfigControls[] = {
    {K::DefaultButton, ConfigIdOk, "O K", 87, 121, 41, 16},
    {K::GroupBoxCentred, -1, "SPEED", 6, 7, 204, 37},
    {K::StaticLeft, -1, "Fast", 29, 15, 21, 9},
    {K::StaticRight, -1, "Slow", 168, 13, 17, 8},
    {K::HorizontalScrollBar, ConfigIdSpeedBar, "", 19, 25, 176, 12},
    {K::GroupBox, -1, "Player 1 (Red) Control", 4, 49, 100, 67},
    {K::CheckBox, ConfigIdCursorKeys1, "Keyboard ( Cursor,  Shift )", 9, 67, 87, 8},
    {K::CheckBox, ConfigIdLetterKeys1, "Keyboard ( W, A, S, D , Ctrl)", 9, 80, 92, 8},
    {K::CheckBox, ConfigIdJoystick1Of1, "Joystick 1", 9, 92, 74, 8},
    {K::CheckBox, ConfigIdJoystick2Of1, "Joystick 2", 9, 103, 88, 8},
    {K::GroupBox, -1, "Player 2 (BLUE) Control", 110, 49, 100, 67},
    {K::CheckBox, ConfigIdCursorKeys2, "Keyboard ( Cursor,  Shift )", 115, 67, 87, 8},
    {K::CheckBox, ConfigIdLetterKeys2, "Keyboard ( W, A, S, D , Ctrl)", 115, 80, 91, 8},
    {K::CheckBox, ConfigIdJoystick1Of2, "Joystick 1", 115, 92, 94, 8},
    {K::CheckBox, ConfigIdJoystick2Of2, "Joystick 2", 115, 103, 88, 8},
};

constexpr ConfigDialogTemplate kConfigTemplate{
    "GAME_CONFIG_DIALOG", " Game Configuration", "ＭＳ Ｐゴシック", 9, 16, 16, 215, 141,
    kConfigControls};

}  // namespace

const ConfigDialogTemplate& GameConfigDialogTemplate() {
    return kConfigTemplate;
}

// One check box: the flag it mirrors, the same player's other choice of the same kind, and the
// box in the same row of the other player's column, which holds the same device.
struct ConfigDialog::Box {
    int32_t id;
    int32_t player;  // 1 or 2
    int32_t PlayerAssignment::*flag;
    int32_t siblingId;
    int32_t rivalId;
    int32_t joystick;  // platform joystick id that must be ready, or -1 for a key set
    int32_t mark;      // index into marks_
};

namespace {

using P = PlayerAssignment;

}  // namespace

const ConfigDialog::Box* ConfigDialog::FindBox(int32_t id) {
    static constexpr Box kBoxes[kBoxCount] = {
        {ConfigIdCursorKeys1, 1, &P::useCursorKeys, ConfigIdLetterKeys1, ConfigIdCursorKeys2, -1,
         0},
        {ConfigIdLetterKeys1, 1, &P::useLetterKeys, ConfigIdCursorKeys1, ConfigIdLetterKeys2, -1,
         1},
        {ConfigIdJoystick1Of1, 1, &P::useJoystick1, ConfigIdJoystick2Of1, ConfigIdJoystick1Of2, 0,
         2},
        {ConfigIdJoystick2Of1, 1, &P::useJoystick2, ConfigIdJoystick1Of1, ConfigIdJoystick2Of2, 1,
         3},
        {ConfigIdCursorKeys2, 2, &P::useCursorKeys, ConfigIdLetterKeys2, ConfigIdCursorKeys1, -1,
         4},
        {ConfigIdLetterKeys2, 2, &P::useLetterKeys, ConfigIdCursorKeys2, ConfigIdLetterKeys1, -1,
         5},
        {ConfigIdJoystick1Of2, 2, &P::useJoystick1, ConfigIdJoystick2Of2, ConfigIdJoystick1Of1, 0,
         6},
        {ConfigIdJoystick2Of2, 2, &P::useJoystick2, ConfigIdJoystick1Of2, ConfigIdJoystick2Of1, 1,
         7},
    };
    for (const Box& box : kBoxes) {
        if (box.id == id) {
            return &box;
        }
    }
    return nullptr;
}

int32_t& ConfigDialog::Flag(int32_t id) {
    const Box* box = FindBox(id);
    PlayerAssignment& player = box->player == 1 ? input_.player1 : input_.player2;
    return player.*(box->flag);
}

void ConfigDialog::SetMark(int32_t id, bool marked) {
    marks_[FindBox(id)->mark] = marked;
}

bool ConfigDialog::Marked(int32_t id) const {
    const Box* box = FindBox(id);
    return box != nullptr && marks_[box->mark];
}

void ConfigDialog::InitMarks() {
    for (const DialogControl& control : kConfigControls) {
        if (control.kind == DialogControlKind::CheckBox) {
            SetMark(control.id, Flag(control.id) > 0);
        }
    }
    barPosition_ = timer_.tickPeriod;
}

bool ConfigDialog::Click(int32_t id) {
    if (id == ConfigIdOk) {
        ended = true;
        result = 1;
        return true;
    }
    const Box* box = FindBox(id);
    if (box == nullptr) {
        return false;
    }
    int32_t& own = Flag(id);
    int32_t& sibling = Flag(box->siblingId);
    const int32_t rival = Flag(box->rivalId);
    const bool joystickMissing = box->joystick >= 0 && input_.joystickReady[box->joystick] <= 0;
    if (own > 0 || rival > 0 || joystickMissing) {
        own = 0;
    } else {
        sibling = 0;
        own = 1;
    }
    SetMark(id, own > 0);
    SetMark(box->siblingId, sibling > 0);
    return false;
}

void ConfigDialog::Scroll(int32_t code, int32_t thumbPos) {
    int32_t period = timer_.tickPeriod;
    bool moved = true;
    switch (code) {
        case ScrollLineLeft:
        case ScrollPageLeft:
            period -= 1;
            break;
        case ScrollLineRight:
        case ScrollPageRight:
            period += 1;
            break;
        case ScrollThumbTrack:
            period = thumbPos;
            break;
        default:
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
