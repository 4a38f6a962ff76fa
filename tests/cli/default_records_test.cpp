// The records the build ships: a full table for every stage whose runs reach the goal in the
// times their record files state, stepping down from an expert's run to a beginner's.
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
            EXPECT_LT(outcome.time, entry.time + entry.time / 10)
                << "stage " << stage << " position " << position;
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

// verify --ladder passes the shipped tables and names what breaks a table that is no ladder.
TEST(DefaultRecords, EveryShippedTableIsALadderAndTheToolSaysWhenOneIsNot) {
    const ToolResult shipped = RunTool({"verify", "--ladder"});
    EXPECT_EQ(shipped.status, 0) << shipped.out << shipped.err;
    for (int32_t number = 1; number <= 5; ++number) {
        const std::string head = "stage " + std::to_string(number) + " ladder: rank 1 ";
        const size_t at = shipped.out.find(head);
        ASSERT_NE(at, std::string::npos) << shipped.out;
        const std::string line = shipped.out.substr(at, shipped.out.find('\n', at) - at);
        EXPECT_EQ(line.substr(line.size() - 4), ": ok") << line;
    }

    // Stage 1's four best runs over and over, so rank 10 is the shipped rank 4, and the best of
    // them waiting 100 ticks at the start.
    HiScoreTable table(GameDir());
    table.Load(0);
    std::vector<test::SlotRun> slots;
    for (int32_t slot = 0; slot < kHiScoreSlots; ++slot) {
        const HiScoreEntry& entry = table.AtRank(slot % 4 + 1);
        slots.push_back({entry.name, entry.time, entry.recording});
    }
    Recording waiting{};
    std::copy(slots[0].recording.begin(), slots[0].recording.end() - 100, waiting.begin() + 100);
    slots[0].recording = waiting;
    ScratchDir folder;
    ASSERT_TRUE(folder.CopyGameContent());
    HiScoreTable broken = test::TableOf(slots, folder.path());
    ASSERT_TRUE(broken.Write(0).written);
    const ToolResult ladder =
        RunTool({"verify", "--ladder", "--stage", "1", "--dir", folder.path().string()});
    EXPECT_EQ(ladder.status, 1);
    const std::string best = std::to_string(table.AtRank(1).time);
    const std::string rank10 = "rank 10 " + std::to_string(table.AtRank(4).time);
    EXPECT_NE(ladder.out.find("stage 1 ladder: rank 1 " + best + ", " + rank10), std::string::npos);
    EXPECT_NE(ladder.out.find("at most 100 ticks without thrust; fails: rank 1 goes 100 ticks "
                              "without thrust from tick 1, more than 60; " +
                              rank10 + " is under 1.6 times rank 1 " + best + "; " + rank10 +
                              " is under 1200 ticks\n"),
              std::string::npos)
        << ladder.out;
}

}  // namespace
}  // namespace vantrell::test
