#include "app/tick_timer_state.h"

#include <algorithm>
#include <optional>

namespace vantrell {

void TickTimerState::StartTickTimer() {
    if (!running_) {
        running_ = timer_.Start(tickPeriod_);
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
        running_ = timer_.Start(tickPeriod_);
    }
}

void TickTimerState::SetTickPeriod(int32_t period) {
    tickPeriod_ = period;
    periodChanged_ = 1;
}

void TickTimerState::LoadTickPeriod() {
    const std::optional<int32_t> stored = store_.Load();
    if (!stored) {
        tickPeriod_ = kDefaultPeriod;
        periodChanged_ = 1;
        return;
    }
    tickPeriod_ = std::clamp(*stored, kMinPeriod, kMaxPeriod);
    if (tickPeriod_ != *stored) {
        periodChanged_ = 1;
    }
}

void TickTimerState::StoreTickPeriod() {
    if (periodChanged_ > 0) {
        store_.Store(tickPeriod_);
    }
}

}  // namespace vantrell
