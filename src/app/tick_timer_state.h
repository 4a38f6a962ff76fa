// The game speed and the one tick timer that paces the whole game. The main window starts
// and stops it around dialogs; the configuration dialog changes the period and restarts a
// running timer so the new speed applies at once.
#pragma once

#include <cstdint>

#include "platform/speed_store.h"
#include "platform/tick_timer.h"

namespace vantrell {

class TickTimerState {
  public:
    static constexpr int32_t kDefaultPeriod = 16;
    static constexpr int32_t kMinPeriod = 16;  // "Fast", the scroll bar's left end
    static constexpr int32_t kMaxPeriod = 96;  // "Slow", its right end

    // Both must outlive this object.
    TickTimerState(TickTimer& timer, SpeedStore& store) : timer_(timer), store_(store) {}

    // A running timer is left alone, so starting twice makes one timer. A platform
    // that cannot start it leaves the timer stopped; the next start tries again.
    void StartTickTimer();
    // Stopping a stopped timer does nothing.
    void StopTickTimer();
    // A running timer is set again with the current period; a stopped one stays stopped and
    // the next start uses the new period.
    void RestartTickTimer();
    // Callers keep the period within kMinPeriod..kMaxPeriod.
    void SetTickPeriod(int32_t period);
    // At start-up, before the window exists. Nothing stored: 16, and marked for storing at exit.
    // A stored value outside 16..96 (a damaged or hand-edited store) is clamped into range and
    // marked, so the store is repaired at exit rather than handing the timer a period the
    // dialog could never set.
    void LoadTickPeriod();
    // At the window's destruction: writes the period only if it changed or was never stored.
    void StoreTickPeriod();

    bool Running() const { return running_; }
    // The game speed: milliseconds between ticks.
    int32_t Period() const { return tickPeriod_; }
    // The period was set (or never stored) since the start, so the exit stores it.
    bool PeriodChanged() const { return periodChanged_ > 0; }

  private:
    TickTimer& timer_;
    SpeedStore& store_;
    bool running_ = false;
    int32_t tickPeriod_ = kDefaultPeriod;
    int32_t periodChanged_ = 0;
};

}  // namespace vantrell
