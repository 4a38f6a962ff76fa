#include <benchmark/benchmark.h>

#include "hosts/headless/headless_host.h"
#include "input/control_code.h"
#include "race/game_state.h"
#include "race/headless_race.h"
#include "records/hiscore_table.h"

namespace vantrell {
namespace {

// One tick of a solo race on stage 0, driven by its best stored run: stamping, the view and a
// presentation into memory, as the game does it every 16 ms.
void BM_RaceStep(benchmark::State& state) {
    MemoryDisplay display;
    HiScoreTable records(VANTRELL_GAME_DIR);
    GameState game(GameServices{nullptr, &records, &display, VANTRELL_GAME_DIR});
    game.Create();
    records.Load(0);
    const uint8_t* run = records.RecordingAt(kRankBest);
    game.StartSolo();
    for (auto _ : state) {
        const int32_t next = std::min(game.Progress().RaceTicks() + 1, kRaceTickLimit - 1);
        if (game.RaceStep(TickInput{RecordedControls(run[next]), 0}) == 1) {
            game.StartSolo();
        }
    }
}
BENCHMARK(BM_RaceStep)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

// A whole race that runs out of time: 63 countdown, 2400 running and 63 finish ticks.
void BM_WholeTimedOutRace(benchmark::State& state) {
    HeadlessRace race(VANTRELL_GAME_DIR, 0);
    const Recording idle{};
    for (auto _ : state) {
        const RaceOutcome outcome = race.Run(idle);
        benchmark::DoNotOptimize(outcome.time);
    }
}
BENCHMARK(BM_WholeTimedOutRace)->Unit(benchmark::kMillisecond);

// The same race driven only for its outcome: no frame is composed.
void BM_WholeRaceUndrawn(benchmark::State& state) {
    HeadlessRace race(VANTRELL_GAME_DIR, 0);
    race.SetDrawing(Drawing::None);
    const Recording idle{};
    for (auto _ : state) {
        const RaceOutcome outcome = race.Run(idle);
        benchmark::DoNotOptimize(outcome.time);
    }
}
BENCHMARK(BM_WholeRaceUndrawn)->Unit(benchmark::kMillisecond);

// Loading a stage from its files, as a stage change does.
void BM_StageLoad(benchmark::State& state) {
    for (auto _ : state) {
        HeadlessRace race(VANTRELL_GAME_DIR, 2);
        benchmark::DoNotOptimize(race.game().CurrentStage().Index());
    }
}
BENCHMARK(BM_StageLoad)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrell
