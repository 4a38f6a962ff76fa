// The race ticks at which a run passes each checkpoint, found by driving its recording again
// without drawing, exactly as a solo race would go. Splits are measured against them.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>

#include "race/stage.h"
#include "world/course_files.h"

namespace vantrell {

struct CheckpointTimes {
    // ticks[k] is the race clock on the tick checkpoint k + 1 was passed, for k < passed.
    std::array<int32_t, kCheckpointCount> ticks{};
    int32_t passed = 0;
    bool goal = false;
    int32_t time = 0;  // as the table stores it: one past the 20th pass, or 2400 at time-up
};

// Drives the 2400-byte recording on stage `stage`, from its files' bytes as the game read them,
// as player 1 of a solo race. A stage whose files do not load drives on what did load, as the
// game would; a null recording drives as no input.
CheckpointTimes DriveCheckpointTimes(int32_t stage, const StageBytes& files,
                                     const uint8_t* recording);

}  // namespace vantrell
