// The keyboard as the game samples it once a tick: a key counts when it is held now or was
// pressed at some moment since the game last asked about it, so a tap between two ticks is
// never lost.
#pragma once

#include <cstdint>

namespace vantrell {

class KeyState {
  public:
    virtual ~KeyState() = default;

    // True when virtualKey (see platform/virtual_keys.h) is down now or has gone down since the
    // previous call for the same key. The call clears that key's "pressed since" latch, so a
    // tap reads true exactly once.
    virtual bool DownOrPressedSinceLastAsked(int32_t virtualKey) = 0;
};

}  // namespace vantrell
