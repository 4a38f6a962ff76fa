#include "app/tick_timer_state.h"

#include <algorithm>
#include <optional>

namespace vantrell {

void TickTimerState::StartTickTimer() {
    if (timerId == 0) {
        timerId = timer_.Start(tickPeriod) ? kTimerId : 0;
    }
}

void TickTimerState::StopTickTimer() {
    if (timerId != 0) {
        timer_.Stop();
        timerId = 0;
    }
}

void TickTimerState::RestartTickTimer() {
    if (timerId != 0) {
        timer_.Stop();
        timerId = timer_.Start(tickPeriod) ? kTimerId : 0;
    }
}

void TickTimerState::SetTickPeriod(int32_t period) {
    tickPeriod = period;
    periodChanged = 1;
}

void TickTimerState::LoadTickPeriod() {
    const std::optional<int32_t> stored = store_.Load();
    if (!stored) {
        tickPeriod = kDefaultPeriod;
        periodChanged = 1;
        return;
    }
    tickPeriod = std::clamp(*stored, kMinPeriod, kMaxPeriod);
    if (tickPeriod != *stored) {
        periodChanged = 1;
    }
}

void TickTimerState::StoreTickPeriod() {
    if (periodChanged > 0) {
        store_.Store(tickPeriod);
    }
}

}  // namespace vantrell
