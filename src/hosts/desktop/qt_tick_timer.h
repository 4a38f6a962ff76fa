// The game's tick timer on a precise Qt timer: Start and Stop come from the game, every
// timeout calls the tick handler the window installs.
#pragma once

#include <QTimer>

#include <functional>

#include "platform/tick_timer.h"

namespace vantrell::desktop {

class QtTickTimer final : public TickTimer {
  public:
    QtTickTimer();

    void SetTickHandler(std::function<void()> handler) { onTick_ = std::move(handler); }

    // Periods outside 1..1000 ms are refused as a platform would refuse a bad timer.
    bool Start(int32_t periodMs) override;
    void Stop() override;

    bool Running() const { return timer_.isActive(); }
    int32_t Period() const { return timer_.interval(); }

  private:
    QTimer timer_;
    std::function<void()> onTick_;
};

}  // namespace vantrell::desktop
