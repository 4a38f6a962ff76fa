// The one periodic tick that drives the game.
#pragma once

#include <cstdint>

namespace vantrell {

class TickTimer {
  public:
    virtual ~TickTimer() = default;
    // Starts ticking every periodMs milliseconds; false when the platform could not.
    virtual bool Start(int32_t periodMs) = 0;
    virtual void Stop() = 0;
};

}  // namespace vantrell
