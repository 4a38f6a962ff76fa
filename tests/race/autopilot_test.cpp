#include "autopilot/autopilot.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "race/headless_race_support.h"

namespace vantrell {
namespace {

using test::SyntheticRace;

// Level ground, weights all equal: the route cost is the 8-neighbour distance, 32 a unit
// straight, and it wraps round the course in x.
TEST(AutopilotRoute, MeasuresLevelGroundAndWrapsRoundTheCourse) {
    Terrain terrain;
    terrain.BuildHeightField();
    test::Boxes boxes = test::AllBoxesAt(0, 200);
    boxes[0] = {100, 100};
    boxes[19] = {300, 300};
    const AutopilotRoute route(terrain, boxes, 4);

    EXPECT_EQ(route.CostTo(0, 108, 108), 0);        // inside the box
    EXPECT_EQ(route.CostTo(0, 100, 108), 32);       // on its edge, one unit from the inside
    EXPECT_EQ(route.CostTo(0, 80, 108), 21 * 32);   // 21 units left of x = 101
    EXPECT_EQ(route.CostTo(0, 108, 130), 15 * 32);  // 15 rows below y = 115
    EXPECT_EQ(route.CostTo(0, 81, 81), 20 * kRouteDiagonal);  // a true diagonal
    EXPECT_EQ(route.CostTo(0, 80, 81), 20 * kRouteDiagonal + 32);
    // Box 1 spans x 1..15: column 399 is two steps away across the seam, not 384.
    EXPECT_EQ(route.CostTo(1, 399, 208), 2 * 32);
    EXPECT_EQ(route.CostTo(1, 30, 208), 15 * 32);

    // The potential adds the way on from each box; it is 0 once all are passed.
    EXPECT_EQ(route.Remaining(19), 0);
    EXPECT_EQ(route.Remaining(18), route.CostTo(19, 8, 208));
    EXPECT_EQ(route.CellPotential(0, 80, 108), 21 * 32 + route.Remaining(0));
    EXPECT_EQ(route.Potential(kCheckpointCount, 1000, 1000), 0);
    // Between cells the potential is interpolated: half a unit to the left adds half a unit.
    EXPECT_EQ(route.Potential(0, 80 * 512, 108 * 512), route.CellPotential(0, 80, 108));
    EXPECT_EQ(route.Potential(0, 79 * 512 + 256, 108 * 512), route.CellPotential(0, 80, 108) + 16);
}

TEST(AutopilotRoute, SteepGroundCostsMoreThanTheWayRound) {
    Terrain terrain;
    terrain.BuildHeightField();
    const test::Boxes boxes = test::AllBoxesAt(220, 100);
    // A ridge across the course from row 0 to 299, with a gap from 300 on.
    int32_t* field = terrain.Field();
    for (int32_t y = 0; y < 300; ++y) {
        for (int32_t x = 196; x < 204; ++x) {
            field[FieldIndex(x, y)] = 60;
        }
    }
    const AutopilotRoute plain(terrain, boxes, 0);
    const AutopilotRoute wary(terrain, boxes, 4);
    // Without a slope penalty the ridge is just distance: 180 -> 221 is 41 units.
    EXPECT_EQ(plain.CostTo(0, 180, 108), 41 * 32);
    // With it, the ridge is dear, so the way over costs far more than level ground would...
    EXPECT_GT(wary.CostTo(0, 180, 108), 3 * 41 * 32);
    // ...but never more than the way round through the gap (about 2 x 200 rows).
    EXPECT_LT(wary.CostTo(0, 180, 108), 2 * 230 * kRouteDiagonal);
    // Level ground far from the ridge still costs plain distance.
    EXPECT_EQ(wary.CostTo(0, 260, 108), plain.CostTo(0, 260, 108));
}

TEST(Autopilot, DrivesASyntheticCourseAndItsRecordingReplaysToTheSameTime) {
    // A zigzag once round the course: the craft must turn at every box and cross the seam.
    test::Boxes zigzag;
    for (int32_t i = 0; i < kCheckpointCount; ++i) {
        zigzag[static_cast<size_t>(i)] = {static_cast<int16_t>((60 + 20 * i) % 400),
                                          static_cast<int16_t>(i % 2 == 0 ? 60 : 140)};
    }
    SyntheticRace synthetic(zigzag);
    const AutopilotRun run = DriveAutopilot(synthetic.race(), AutopilotStyles().front());
    ASSERT_TRUE(run.outcome.goal);
    EXPECT_LT(run.outcome.time, 1200);
    EXPECT_EQ(synthetic.game().Progress().NextCheckpoint(), kCheckpointCount);
    // Only codes the recorder makes, and byte 0 is never written.
    EXPECT_EQ(run.recording[0], 0);
    const std::set<int> codes = {0, 1, 2, 4, 5, 6, 8, 9, 10};
    for (const uint8_t byte : run.recording) {
        EXPECT_TRUE(codes.count(byte) == 1) << int{byte};
    }
    // The race again from the recording alone.
    const RaceOutcome replayed = synthetic.race().Run(run.recording);
    EXPECT_TRUE(replayed.goal);
    EXPECT_EQ(replayed.time, run.outcome.time);
}

TEST(Autopilot, StylesAreDistinctAndFoundByName) {
    const std::vector<AutopilotStyle>& styles = AutopilotStyles();
    ASSERT_GE(styles.size(), 3u);
    ASSERT_LE(styles.size(), 10u);  // one record table holds ten runs
    std::set<std::string> names;
    std::set<std::string> drivers;
    std::set<std::tuple<int32_t, int32_t, int32_t, int32_t, bool, bool>> settings;
    for (const AutopilotStyle& style : styles) {
        names.insert(style.name);
        drivers.insert(style.driver);
        settings.emplace(style.segmentTicks, style.segments, style.slopePenalty,
                         style.momentumTicks, style.useReverse, style.coast);
        EXPECT_LE(style.driver.size(), 15u);
        EXPECT_EQ(FindAutopilotStyle(style.name), &style);
    }
    EXPECT_EQ(names.size(), styles.size());
    EXPECT_EQ(drivers.size(), styles.size());
    EXPECT_EQ(settings.size(), styles.size());
    EXPECT_EQ(FindAutopilotStyle("no-such-style"), nullptr);
}

// Every generated stage, with the default style: the goal well inside the limit, and the same
// time again when the recording alone drives the race.
TEST(Autopilot, FinishesEveryGeneratedStageWellWithinTheLimit) {
    for (int32_t stage = 0; stage < 5; ++stage) {
        std::string missing;
        ASSERT_TRUE(HeadlessRace::StageFilesPresent(test::GameDir(), stage, &missing)) << missing;
        HeadlessRace race(test::GameDir(), stage);
        const AutopilotRun run = DriveAutopilot(race, AutopilotStyles().front());
        EXPECT_TRUE(run.outcome.goal) << "stage " << stage;
        EXPECT_LT(run.outcome.time, 1500) << "stage " << stage;

        HeadlessRace check(test::GameDir(), stage);
        const RaceOutcome replayed = check.Run(run.recording);
        EXPECT_EQ(replayed.goal, run.outcome.goal) << "stage " << stage;
        EXPECT_EQ(replayed.time, run.outcome.time) << "stage " << stage;
    }
}

struct TraceRow {
    RacePhase phase;
    int32_t ticks, posX, posY, velX, velY, heading, next;
    bool operator==(const TraceRow&) const = default;
};

std::vector<TraceRow> Trace(HeadlessRace& race, const Recording& recording) {
    std::vector<TraceRow> rows;
    race.Run(recording, [&](RacePhase phase, const GameState& game) {
        const CraftState& c = game.Crafts().first;
        rows.push_back({phase, game.Progress().RaceTicks(), c.posX, c.posY, c.velX, c.velY,
                        c.heading, game.Progress().NextCheckpoint()});
    });
    return rows;
}

TEST(Autopilot, ARecordedRunReplaysIdenticallyEveryTime) {
    HeadlessRace race(test::GameDir(), 1);
    const AutopilotRun run = DriveAutopilot(race, AutopilotStyles()[1]);
    ASSERT_TRUE(run.outcome.goal);
    HeadlessRace other(test::GameDir(), 1);
    const std::vector<TraceRow> first = Trace(race, run.recording);
    const std::vector<TraceRow> second = Trace(other, run.recording);
    const std::vector<TraceRow> third = Trace(race, run.recording);  // the same object again
    ASSERT_EQ(first.size(), static_cast<size_t>(63 + run.outcome.time + 63));
    EXPECT_TRUE(first == second);
    EXPECT_TRUE(first == third);
}

}  // namespace
}  // namespace vantrell
