// The records the build ships: a full table for every stage whose runs reach the goal in the
// times their record files state.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>
#include <vector>

#include "cli/tool_runner.h"
#include "race/headless_race.h"
#include "records/hiscore_table.h"
#include "records/records_test_support.h"

namespace vantrell::test {
namespace {

// What a tick leaves of the race: the phase, the clock, the first craft and the next checkpoint.
std::vector<std::array<int32_t, 9>> Trace(HeadlessRace& race, const Recording& recording) {
    std::vector<std::array<int32_t, 9>> rows;
    race.Run(recording, [&rows](RacePhase phase, const GameState& game) {
        const CraftState& c = game.Crafts().first;
        rows.push_back({static_cast<int32_t>(phase), game.Progress().RaceTicks(), c.posX, c.posY,
                        c.velX, c.velY, c.heading, c.viewHeading,
                        game.Progress().NextCheckpoint()});
    });
    return rows;
}

// Every run reaches the goal in its stored time, and a race driven without frames goes
// exactly as the drawn one, tick by tick.
TEST(DefaultRecords, EveryStageHasTenRunsThatVerifyToTheirStoredTimesDrawnOrNot) {
    for (int32_t stage = 0; stage < 5; ++stage) {
        const std::filesystem::path record = GameDir() / HiScoreTable::RecordFileName(stage);
        ASSERT_TRUE(std::filesystem::exists(record)) << record;
        for (int32_t k = 0; k < kHiScoreSlots; ++k) {
            const auto recording = GameDir() / HiScoreTable::RecordingFileName(stage, k);
            ASSERT_TRUE(std::filesystem::exists(recording)) << recording;
            EXPECT_EQ(std::filesystem::file_size(recording), 2400u) << recording;
        }

        HiScoreTable table(GameDir());
        table.Load(stage);
        std::set<std::string> names;
        HeadlessRace race(GameDir(), stage);
        HeadlessRace undrawn(GameDir(), stage);
        undrawn.SetDrawing(Drawing::None);
        for (int32_t slot = 0; slot < kHiScoreSlots; ++slot) {
            const test::SlotRun entry = test::SlotOf(table, slot);
            EXPECT_NE(entry.name, kEmptyName);
            names.insert(entry.name);
            EXPECT_LT(entry.time, 1500) << "stage " << stage << " slot " << slot;
            if (slot > 0) {  // filled fastest first
                EXPECT_GE(entry.time, test::SlotOf(table, slot - 1).time);
            }
            const auto drawnRows = Trace(race, entry.recording);
            const RaceOutcome outcome = race.Outcome();
            EXPECT_TRUE(outcome.goal) << "stage " << stage << " slot " << slot;
            EXPECT_EQ(outcome.time, entry.time) << "stage " << stage << " slot " << slot;
            EXPECT_EQ(Trace(undrawn, entry.recording), drawnRows)
                << "stage " << stage << " slot " << slot;
            EXPECT_EQ(undrawn.Outcome().time, outcome.time);
        }
        EXPECT_EQ(names.size(), 10u) << "stage " << stage;
        // Rank 1 (position 9) is slot 0, the fastest.
        EXPECT_EQ(test::SlotOfRank(table, 1), 0);
        // Different drivers drove differently.
        EXPECT_NE(test::SlotOf(table, 0).recording, test::SlotOf(table, 9).recording);
    }
}

// The demonstration and the race against a recording replay a run one tick late (byte t - 1 on
// tick t). The runs must still be real driving then: on the level start they reach the goal.
TEST(DefaultRecords, RunsReplayedOneTickLateStillReachTheGoal) {
    for (int32_t stage = 0; stage < 5; ++stage) {
        HiScoreTable table(GameDir());
        table.Load(stage);
        HeadlessRace race(GameDir(), stage);
        for (const int32_t position : {9, 8, 0}) {
            const HiScoreEntry& entry = table.AtRank(kHiScoreSlots - position);
            Recording late{};
            std::copy(entry.recording.begin(), entry.recording.end() - 1, late.begin() + 1);
            const RaceOutcome outcome = race.Run(late);
            EXPECT_TRUE(outcome.goal) << "stage " << stage << " position " << position;
            EXPECT_LT(outcome.time, 1500) << "stage " << stage << " position " << position;
        }
    }
}

TEST(DefaultRecords, TheToolVerifiesTheStoredBestRun) {
    HiScoreTable table(GameDir());
    table.Load(2);
    const int32_t best = test::SlotOfRank(table, 1);
    const ToolResult verify =
        RunTool({"verify", "--stage", "3",
                 (GameDir() / HiScoreTable::RecordingFileName(2, best)).string()});
    EXPECT_EQ(verify.status, 0) << verify.err;
    EXPECT_EQ(verify.out, GoalLine(table.AtRank(1).time));
}

}  // namespace
}  // namespace vantrell::test
