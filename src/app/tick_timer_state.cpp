#include "app/tick_timer_state.h"

#include <algorithm>
#include <optional>

namespace vantrell {

void TickTimerState::StartTickTimer() {
    if (!running_) {
        running_ = timer_.Start(tickPeriod);
    }
}

void TickTimerState::StopTickTimer() {
    if (running_) {
        timer_.Stop();
        running_ = false;
    }
}

void TickTimerState::RestartTickTimer() {
    if (running_) {
        timer_.Stop();
        running_ = timer_.Start(tickPeriod);
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
