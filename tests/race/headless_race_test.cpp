#include "race/headless_race.h"

#include <gtest/gtest.h>

#include <vector>

#include "input/control_code.h"
#include "race/headless_race_support.h"

namespace vantrell {
namespace {

using test::SyntheticRace;

struct PhaseCounts {
    int32_t countdown = 0;
    int32_t running = 0;
    int32_t finish = 0;
};

PhaseCounts CountPhases(HeadlessRace& race, const Recording& recording, RaceOutcome* outcome) {
    PhaseCounts counts;
    *outcome = race.Run(recording, [&](RacePhase phase, const GameState&) {
        (phase == RacePhase::Countdown
             ? counts.countdown
             : (phase == RacePhase::Running ? counts.running : counts.finish)) += 1;
    });
    return counts;
}

TEST(HeadlessRace, GoalTimeIsOnePastTheTickOfTheTwentiethPass) {
    // Every box around the start point: the craft, standing still, passes one per running tick,
    // the 20th on tick 20, so the game stores 21.
    SyntheticRace synthetic(test::AllBoxesAt(20, 22));
    RaceOutcome outcome;
    const PhaseCounts counts = CountPhases(synthetic.race(), Recording{}, &outcome);
    EXPECT_TRUE(outcome.goal);
    EXPECT_EQ(outcome.time, 21);
    EXPECT_EQ(counts.countdown, 63);
    EXPECT_EQ(counts.running, 21);
    EXPECT_EQ(counts.finish, 63);
    EXPECT_TRUE(synthetic.race().Over());

    // A box edge is not inside: x = cx + 16 does not pass, so nothing is ever passed.
    SyntheticRace edge(test::AllBoxesAt(14, 22));
    const RaceOutcome none = edge.race().Run(Recording{});
    EXPECT_FALSE(none.goal);
    EXPECT_EQ(edge.game().Progress().NextCheckpoint(), 0);
}

TEST(HeadlessRace, TimeUpEndsAtTheLimitAfterTheFinishPhase) {
    SyntheticRace synthetic(test::AllBoxesAt(200, 200));
    RaceOutcome outcome;
    const PhaseCounts counts = CountPhases(synthetic.race(), Recording{}, &outcome);
    EXPECT_FALSE(outcome.goal);
    EXPECT_EQ(outcome.time, kRaceTickLimit);
    EXPECT_EQ(counts.countdown, 63);
    EXPECT_EQ(counts.running, kRaceTickLimit);
    EXPECT_EQ(counts.finish, 63);
}

TEST(HeadlessRace, ByteTDrivesRaceTickTAndIsRecordedAgainAtT) {
    SyntheticRace synthetic(test::AllBoxesAt(200, 200));
    // Forward on tick 5 only: the craft, at rest facing +x on level ground, gets its first
    // thrust of 256 on tick 5 and none before.
    Recording single{};
    single[5] = kRunForward;
    std::vector<int32_t> velocities(kRaceTickLimit + 1, -1);
    synthetic.race().Run(single, [&](RacePhase phase, const GameState& game) {
        if (phase == RacePhase::Running) {
            velocities[static_cast<size_t>(game.Progress().RaceTicks())] = game.Crafts().first.velX;
        }
    });
    EXPECT_EQ(velocities[4], 0);
    EXPECT_EQ(velocities[5], 256);
    EXPECT_EQ(velocities[6], 256 - 256 / 16);

    // A busy recording with every code the recorder makes: the game records each byte at the
    // tick it drove, so its own recording of the replay is the recording itself.
    Recording busy{};
    const uint8_t codes[] = {0, 1, 2, 4, 5, 6, 8, 9, 10};
    for (int32_t t = 1; t < kRaceTickLimit; ++t) {
        busy[static_cast<size_t>(t)] = codes[(t * 7 + t / 13) % 9];
    }
    const RaceOutcome outcome = synthetic.race().Run(busy);
    EXPECT_FALSE(outcome.goal);
    EXPECT_EQ(synthetic.game().Progress().RunInputs(), busy);

    // Bytes the recorder never makes replay as no control and are recorded as 0.
    Recording odd{};
    odd.fill(3);
    odd[0] = 0;
    synthetic.race().Run(odd);
    EXPECT_EQ(synthetic.game().Progress().RunInputs(), Recording{});
}

TEST(HeadlessRace, StagesLoadFromTheGameDirectoryOnly) {
    test::ScratchDir empty;
    std::string missing;
    EXPECT_FALSE(HeadlessRace::StageFilesPresent(empty.path(), 2, &missing));
    EXPECT_EQ(std::filesystem::path(missing).filename(), "MAP2_8.BMP");

    ASSERT_TRUE(HeadlessRace::StageFilesPresent(test::GameDir(), 3, &missing)) << missing;
    HeadlessRace race(test::GameDir(), 3);
    EXPECT_EQ(race.game().CurrentStage().Index(), 3);
    EXPECT_EQ(race.game().CurrentStage().Picture().Width(), 400);
    // The checkpoints are stage 3's own: a stage 0 race has others.
    HeadlessRace first(test::GameDir(), 0);
    bool differs = false;
    for (int32_t i = 0; i < kCheckpointCount; ++i) {
        const Checkpoint& a =
            race.game().CurrentStage().Course().checkpoints[static_cast<size_t>(i)];
        const Checkpoint& b =
            first.game().CurrentStage().Course().checkpoints[static_cast<size_t>(i)];
        differs = differs || a.x != b.x || a.y != b.y;
    }
    EXPECT_TRUE(differs);
}

}  // namespace
}  // namespace vantrell
