// The store that keeps the game speed (the tick period) between runs.
#pragma once

#include <cstdint>
#include <optional>

namespace vantrell {

class SpeedStore {
  public:
    virtual ~SpeedStore() = default;
    // The last game speed stored, or nothing when none ever was (or the store is unreadable).
    virtual std::optional<int32_t> Load() = 0;
    // Stores the speed; a store that cannot be written is skipped silently.
    virtual void Store(int32_t periodMs) = 0;
};

}  // namespace vantrell
