// The demonstration: after 500 idle ticks it replays the stage's two best runs, the second best
// on the first craft and the best on the second, and then idles again.
#pragma once

#include <cstdint>

#include "race/race_words.h"

namespace vantrell {

struct StateAccess;

class Demonstration {
  public:
    bool Replaying() const { return replaying_; }
    int32_t Wait() const { return wait_; }
    const uint8_t* FirstRecording() const { return first_; }
    const uint8_t* SecondRecording() const { return second_; }

    // Idle again, the full wait ahead.
    void Idle() {
        replaying_ = false;
        wait_ = kDemoWaitStart;
    }
    // One idle tick; true when the wait is over and the replay should start.
    bool WaitTick() {
        wait_ -= 1;
        return wait_ <= 0;
    }
    // The recordings the replay drives; they must stay valid while it runs.
    void SetRecordings(const uint8_t* first, const uint8_t* second) {
        first_ = first;
        second_ = second;
    }
    void StartReplay(const uint8_t* first, const uint8_t* second) {
        SetRecordings(first, second);
        replaying_ = true;
    }

  private:
    // The fuzz targets reach inside to set up any moment of a race; the game never does.
    friend struct StateAccess;
    bool replaying_ = false;
    int32_t wait_ = kDemoWaitStart;
    const uint8_t* first_ = nullptr;
    const uint8_t* second_ = nullptr;
};

}  // namespace vantrell
