// The one periodic tick that drives the game, and the store that keeps the game speed between
// runs.
#pragma once

#include <cstdint>
#include <optional>

namespace vantrell {

class TickTimer {
  public:
    virtual ~TickTimer() = default;
    // Starts ticking every periodMs milliseconds; false when the platform could not.
    virtual bool Start(int32_t periodMs) = 0;
    virtual void Stop() = 0;
};

class SpeedStore {
  public:
    virtual ~SpeedStore() = default;
    // The last game speed stored, or nothing when none ever was (or the store is unreadable).
    virtual std::optional<int32_t> Load() = 0;
    // Stores the speed; a store that cannot be written is skipped silently.
    virtual void Store(int32_t periodMs) = 0;
};

}  // namespace vantrell
