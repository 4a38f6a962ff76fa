// What the splits cost: the stage's best run driven again for its checkpoint ticks, stage load
// included, as the game does when a stage's table loads or changes.
#include <benchmark/benchmark.h>

#include "race/checkpoint_times.h"
#include "records/hiscore_table.h"

namespace vantrell {
namespace {

void BM_BestRunCheckpointTimes(benchmark::State& state) {
    HiScoreTable table(VANTRELL_GAME_DIR);
    table.Load(0);
    table.Rank();
    for (auto _ : state) {
        const CheckpointTimes times =
            DriveCheckpointTimes(VANTRELL_GAME_DIR, 0, table.RecordingAt(kRankBest));
        benchmark::DoNotOptimize(times.time);
    }
}
BENCHMARK(BM_BestRunCheckpointTimes)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrell
