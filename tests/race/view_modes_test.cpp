// The picture modes draw the same race: a stored run driven in each mode moves the craft, ends
// and records exactly as in the original, and each finer mode's band is whole below the far
// ground at every checkpoint of every stage.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/frame_layout.h"
#include "race/headless_race.h"
#include "records/hiscore_table.h"
#include "support/scratch_dir.h"
#include "world/stage_count.h"

namespace vantrell {
namespace {

constexpr std::array<ViewMode, 3> kFinerModes = {ViewMode::Sharp2, ViewMode::Sharp4,
                                                 ViewMode::Wide};

// What a trace line holds for both craft, and the race's counters.
std::array<int32_t, 14> TickLine(const GameState& game) {
    const CraftState& a = game.Crafts().first;
    const CraftState& b = game.Crafts().second;
    return {a.x,
            a.y,
            a.posX,
            a.posY,
            a.velX,
            a.velY,
            a.heading,
            a.viewHeading,
            a.ground,
            b.x,
            b.y,
            b.heading,
            game.Progress().RaceTicks(),
            game.Progress().NextCheckpoint()};
}

struct ModeRun {
    std::vector<std::array<int32_t, 14>> trace;
    RaceOutcome outcome;
    Recording inputs{};
    int32_t checkedFrames = 0;
    std::array<int32_t, kViewModeCount> checkedPerMode{};
};

// Unwritten pixels of column c between its first and last written ones (colour 0 is the clear
// colour: no stage picture or sprite uses it), so sky above and the black below the view's near
// edge do not count; -1 when the column is empty.
int32_t HolesInColumn(const Bitmap8& band, int32_t c) {
    int32_t first = 0;
    while (first < band.Height() && band.GetPixel(c, first) == 0) {
        ++first;
    }
    if (first == band.Height()) {
        return -1;
    }
    int32_t last = band.Height() - 1;
    while (band.GetPixel(c, last) == 0) {
        --last;
    }
    int32_t holes = 0;
    for (int32_t row = first; row < last; ++row) {
        holes += band.GetPixel(c, row) == 0;
    }
    return holes;
}

// A finer mode's band at a checkpoint: its size, every column drawn, no unwritten pixel between
// the far ground and the near edge.
void CheckBand(const Bitmap8& band, ViewMode mode, int32_t stage, int32_t checkpoint) {
    const ViewModeShape shape = ShapeOf(mode);
    ASSERT_EQ(band.Width(), shape.bandWidth);
    ASSERT_EQ(band.Height(), shape.bandHeight);
    int32_t empty = 0;
    int32_t holes = 0;
    for (int32_t c = 0; c < band.Width(); ++c) {
        const int32_t h = HolesInColumn(band, c);
        empty += h < 0;
        holes += std::max(h, 0);
    }
    EXPECT_EQ(empty, 0) << ViewModeName(mode) << " stage " << stage << " checkpoint " << checkpoint;
    EXPECT_EQ(holes, 0) << ViewModeName(mode) << " stage " << stage << " checkpoint " << checkpoint;
}

// Drives `recording` on `stage` with tick t's frame drawn in modes[t % size] (switching every
// tick as a player may), checking a finer mode's band at each checkpoint passed.
template <size_t N>
ModeRun Drive(int32_t stage, const Recording& recording, const std::array<ViewMode, N>& modes) {
    HeadlessRace race(test::GameDir(), stage);
    size_t tick = 0;
    race.game().SetViewMode(modes[0]);
    const Bitmap8& picture = race.game().CurrentStage().Picture();
    EXPECT_EQ(std::count(picture.Pixels(), picture.Pixels() + picture.PixelBytes(), 0), 0)
        << "stage " << stage << "'s picture uses the clear colour: holes would not show";
    ModeRun run;
    int32_t passed = 0;
    run.outcome = race.Run(recording, [&](RacePhase, const GameState& game) {
        const ViewMode mode = modes[tick % N];
        run.trace.push_back(TickLine(game));
        const int32_t next = game.Progress().NextCheckpoint();
        const bool check = next != passed && mode != ViewMode::Original;
        passed = next;
        if (check) {
            CheckBand(game.FrameBuffer(), mode, stage, next);
            ++run.checkedFrames;
            ++run.checkedPerMode[static_cast<size_t>(mode)];
        }
        race.game().SetViewMode(modes[++tick % N]);  // for the next tick
    });
    run.inputs = race.game().Progress().RunInputs();
    return run;
}

TEST(ViewModes, EveryModeDrivesTheSameRunAndDrawsWholeBands) {
    for (int32_t stage = 0; stage < kStageCount; ++stage) {
        HiScoreTable table(test::GameDir());
        table.Load(stage);
        Recording best{};
        std::copy_n(table.RecordingAt(9), kRaceTickLimit, best.begin());
        const ModeRun original = Drive(stage, best, std::array{ViewMode::Original});
        ASSERT_TRUE(original.outcome.goal) << "stage " << stage;
        // Each finer mode draws every third frame, and its band is checked at the checkpoints
        // passed on its ticks (a third of the twenty, give or take, on every stage).
        const ModeRun finer = Drive(stage, best, kFinerModes);
        const std::string what = "stage " + std::to_string(stage);
        EXPECT_EQ(finer.trace, original.trace) << what;
        EXPECT_EQ(finer.outcome.goal, original.outcome.goal) << what;
        EXPECT_EQ(finer.outcome.time, original.outcome.time) << what;
        EXPECT_EQ(finer.inputs, original.inputs) << what;
        EXPECT_EQ(finer.checkedFrames, 20) << what;
        for (const ViewMode mode : kFinerModes) {
            EXPECT_GT(finer.checkedPerMode[static_cast<size_t>(mode)], 0)
                << what << " " << ViewModeName(mode);
        }
    }
}

}  // namespace
}  // namespace vantrell
