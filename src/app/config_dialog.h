// The controls and speed dialog as a model: which device each player drives with, and the game
// speed. The host draws it and reports the player's clicks and speed-bar moves; every change
// applies at once to the live InputConfig flags and the running tick timer, and closing undoes
// nothing.
#pragma once

#include <array>
#include <cstdint>

#include "app/tick_timer_state.h"
#include "input/input_config.h"

namespace vantrell {

// The eight check boxes: player 1's column, then player 2's, each in the same row order.
enum class ConfigBox : int32_t {
    CursorKeys1,
    LetterKeys1,
    Joystick1Of1,
    Joystick2Of1,
    CursorKeys2,
    LetterKeys2,
    Joystick1Of2,
    Joystick2Of2,
};

// What the speed bar reports: a step toward "Fast" (a line or a page alike), a step toward
// "Slow", the thumb dragged to a position, or any other message that moves nothing.
enum class SpeedBarMove { Faster, Slower, Track, Other };

class ConfigDialog {
  public:
    static constexpr int32_t kBoxCount = 8;

    // Both must outlive the dialog.
    ConfigDialog(InputConfig& input, TickTimerState& timer) : input_(input), timer_(timer) {}

    // Dialog initialisation: every box's mark from its flag, the speed bar at the period.
    void InitMarks();
    // While the dialog is open the poll may switch a flag off (a joystick pulled out) and
    // joysticks come and go, so the host calls this often: the joysticks' readiness is asked
    // again and every mark is set from its flag, so the marks always show the live flags.
    void Refresh();
    // A click on a check box.
    void Toggle(ConfigBox box);
    // "O K", the only way out of the dialog.
    void Ok() { ended_ = true; }
    // "O K" has ended the dialog: the host closes it.
    bool Ended() const { return ended_; }
    // A message from the speed bar. Steps move by 1 ms and stop at 16 and 96; a thumb track
    // takes `position` (clamped the same way, in case a host passes a raw position). After
    // every message, whatever it is, the bar shows the period and a running timer is restarted
    // with it.
    void MoveSpeedBar(SpeedBarMove move, int32_t position = 0);

    // The mark a check box shows: its flag as of the last InitMarks, Toggle or Refresh.
    bool Marked(ConfigBox box) const { return marks_[static_cast<std::size_t>(box)]; }
    int32_t SpeedBarPosition() const { return barPosition_; }
    static constexpr int32_t SpeedBarMin() { return TickTimerState::kMinPeriod; }
    static constexpr int32_t SpeedBarMax() { return TickTimerState::kMaxPeriod; }

  private:
    bool Holds(ConfigBox box) const;
    void SetMark(ConfigBox box, bool marked) { marks_[static_cast<std::size_t>(box)] = marked; }

    InputConfig& input_;
    TickTimerState& timer_;
    std::array<bool, kBoxCount> marks_{};
    int32_t barPosition_ = TickTimerState::kMinPeriod;
    bool ended_ = false;
};

}  // namespace vantrell
