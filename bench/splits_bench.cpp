// What the splits cost: the stage's best run driven again for its checkpoint ticks, the stage
// loaded from its files' bytes as read once, as the game does when a stage's table loads or
// changes.
#include <benchmark/benchmark.h>

#include "race/checkpoint_times.h"
#include "records/hiscore_table.h"

namespace vantrell {
namespace {

void BM_BestRunCheckpointTimes(benchmark::State& state) {
    HiScoreTable table(VANTRELL_GAME_DIR);
    table.Load(0);
    table.Rank();
    const StageBytes files = ReadStageBytes(0, VANTRELL_GAME_DIR);
    for (auto _ : state) {
        const CheckpointTimes times = DriveCheckpointTimes(0, files, table.RecordingAt(kRankBest));
        benchmark::DoNotOptimize(times.time);
    }
}
BENCHMARK(BM_BestRunCheckpointTimes)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrell
