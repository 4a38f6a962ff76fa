// A race for the headless race and autopilot tests on a stage of our own making (level ground,
// checkpoints wherever a test wants them) in a scratch folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "race/headless_race.h"
#include "support/scratch_dir.h"
#include "synthetic_stage.h"

namespace vantrell::test {

// A race on a folder holding only the test's checkpoints: the ground is level at height 0
// everywhere and nothing stands on the course.
class SyntheticRace {
  public:
    explicit SyntheticRace(const Boxes& boxes)
        : written_((WriteSyntheticStage(folder_.path(), 0, boxes), true)),
          race_(folder_.path(), 0) {}

    HeadlessRace& race() { return race_; }
    const GameState& game() const { return race_.game(); }

  private:
    ScratchDir folder_;
    bool written_;
    HeadlessRace race_;
};

}  // namespace vantrell::test
