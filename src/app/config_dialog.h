// GAME_CONFIG_DIALOG as a model: which device each player drives with, and the game speed. The
// host draws the template below and forwards clicks and scroll messages; every change applies
// at once to the live InputConfig flags and the running tick timer, and closing undoes nothing.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "app/tick_timer_state.h"
#include "input/input_config.h"

namespace vantrell {

enum ConfigDialogId : int32_t {
    ConfigIdOk = 1,
    ConfigIdSpeedBar = 100,
    ConfigIdCursorKeys1 = 101,
    ConfigIdLetterKeys1 = 102,
    ConfigIdJoystick1Of1 = 103,
    ConfigIdJoystick2Of1 = 104,
    ConfigIdCursorKeys2 = 106,
    ConfigIdLetterKeys2 = 107,
    ConfigIdJoystick1Of2 = 108,
    ConfigIdJoystick2Of2 = 109,
};

// Horizontal scroll codes as the platform numbers them.
enum ScrollCode : int32_t {
    ScrollLineLeft = 0,
    ScrollLineRight = 1,
    ScrollPageLeft = 2,
    ScrollPageRight = 3,
    ScrollThumbPosition = 4,
    ScrollThumbTrack = 5,
    ScrollLeftEnd = 6,
    ScrollRightEnd = 7,
    ScrollEndScroll = 8,
};

// The dialog template, in dialog units, for the host to build the window from.
enum class DialogControlKind : int32_t {
    DefaultButton,
    GroupBox,
    GroupBoxCentred,
    StaticLeft,
    StaticRight,
    HorizontalScrollBar,
    CheckBox,  // plain: only the model changes its mark
};

struct DialogControl {
    DialogControlKind kind;
    int32_t id;  // -1 for controls that send nothing
    const char* text;
    int32_t x, y, width, height;
};

struct ConfigDialogTemplate {
    const char* name;
    const char* caption;
    const char* fontFace;
    int32_t fontPoints;
    int32_t x, y, width, height;
    std::span<const DialogControl> controls;
};

const ConfigDialogTemplate& GameConfigDialogTemplate();

class ConfigDialog {
  public:
    static constexpr int32_t kBoxCount = 8;

    // Both must outlive the dialog.
    ConfigDialog(InputConfig& input, TickTimerState& timer) : input_(input), timer_(timer) {}

    // Dialog initialisation: every box's mark from its flag, the speed bar at tickPeriod.
    void InitMarks();
    // A command from a control. Returns true only for "O K" (id 1), which ends the dialog;
    // Escape (2), the close box and unknown ids do nothing, so the dialog stays open.
    bool Click(int32_t id);
    // A message from the speed bar. Line and page steps move by 1 ms and stop at 16 and 96; a
    // thumb track takes thumbPos (clamped the same way, in case a host passes a raw position).
    // After every message, whatever its code, the bar shows tickPeriod and a running timer is
    // restarted with it.
    void Scroll(int32_t code, int32_t thumbPos);

    // The mark a check box shows; false for ids that are not check boxes. Marks change only
    // through InitMarks and Click, so a flag the poll switched off stays marked until the
    // dialog is opened again.
    bool Marked(int32_t id) const;
    int32_t SpeedBarPosition() const { return barPosition_; }
    static constexpr int32_t SpeedBarMin() { return TickTimerState::kMinPeriod; }
    static constexpr int32_t SpeedBarMax() { return TickTimerState::kMaxPeriod; }

    bool ended = false;
    int32_t result = 0;  // 1 once "O K" ended the dialog

  private:
    struct Box;
    static const Box* FindBox(int32_t id);
    int32_t& Flag(int32_t id);
    void SetMark(int32_t id, bool marked);

    InputConfig& input_;
    TickTimerState& timer_;
    std::array<bool, kBoxCount> marks_{};
    int32_t barPosition_ = TickTimerState::kMinPeriod;
};

}  // namespace vantrell
