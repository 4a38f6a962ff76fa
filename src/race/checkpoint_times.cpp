#include "race/checkpoint_times.h"

#include <algorithm>

#include "race/headless_race.h"

namespace vantrell {

CheckpointTimes DriveCheckpointTimes(int32_t stage, const StageBytes& files,
                                     const uint8_t* recording) {
    Recording bytes{};
    if (recording != nullptr) {
        std::copy_n(recording, kRecordingBytes, bytes.begin());
    }
    HeadlessRace race(stage, files);
    race.SetDrawing(Drawing::None);
    CheckpointTimes times;
    const RaceOutcome outcome = race.Run(bytes, [&](RacePhase, const GameState& game) {
        const RaceProgress& progress = game.Progress();
        while (times.passed < progress.NextCheckpoint() && times.passed < kCheckpointCount) {
            times.ticks[static_cast<size_t>(times.passed)] = progress.RaceTicks();
            ++times.passed;
        }
    });
    times.goal = outcome.goal;
    times.time = outcome.time;
    return times;
}

}  // namespace vantrell
