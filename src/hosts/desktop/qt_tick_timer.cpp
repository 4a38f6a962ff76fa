#include "hosts/desktop/qt_tick_timer.h"

namespace vantrell::desktop {

QtTickTimer::QtTickTimer() {
    // A coarse timer may fire up to 5% late and drifts; the game's speed is its period.
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (onTick_) {
            onTick_();
        }
    });
}

bool QtTickTimer::Start(int32_t periodMs) {
    if (periodMs < 1 || periodMs > 1000) {
        return false;
    }
    timer_.start(periodMs);
    return true;
}

void QtTickTimer::Stop() {
    timer_.stop();
}

}  // namespace vantrell::desktop
