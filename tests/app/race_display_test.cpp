// The race display, retry and splits through a scripted headless session on the default
// records: what the panel would show, checked against the race and against the runs as
// vantrell-tool drives them again.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/tool_runner.h"
#include "hosts/headless/headless_host.h"
#include "platform/commands.h"
#include "records/hiscore_table.h"
#include "records/records_test_support.h"
#include "support/scratch_dir.h"
#include "support/solo_race.h"

namespace vantrell {
namespace {

namespace fs = std::filesystem;

constexpr int32_t kCountdownTicks = 63;
constexpr int32_t kSplitTicks = 125;  // two seconds at the default 16 ms

// One trace line as `vantrell-tool trace` writes it, from the game after a tick.
std::string TraceLine(const char* phase, const GameState& game) {
    const CraftState& c = game.Crafts().first;
    std::ostringstream line;
    line << game.Progress().RaceTicks() << ',' << phase << ',' << c.x << ',' << c.y << ',' << c.posX
         << ',' << c.posY << ',' << c.velX << ',' << c.velY << ',' << c.heading << ','
         << game.Progress().NextCheckpoint();
    return line.str();
}

const char* PhaseBefore(const GameState& game) {
    if (game.Progress().Countdown() > 0) {
        return "countdown";
    }
    return game.Progress().FinishCounter() > 0 ? "finish" : "running";
}

// The race clock on the tick each checkpoint was passed, from a trace's lines.
std::vector<int32_t> PassTicks(const std::vector<std::string>& trace) {
    std::vector<int32_t> passes;
    for (const std::string& line : trace) {
        const int32_t next = std::stoi(line.substr(line.rfind(',') + 1));
        while (static_cast<int32_t>(passes.size()) < next) {
            passes.push_back(std::stoi(line.substr(0, line.find(','))));
        }
    }
    return passes;
}

class RaceDisplaySession : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.CopyGameContent()) << "no generated game content in " VANTRELL_GAME_DIR;
        table = HiScoreTable(dir.path());
        table.Load(0);
        bestSlot = test::SlotOfRank(table, 1);
        secondSlot = test::SlotOfRank(table, 2);
        ASSERT_LT(table.AtRank(1).time, table.AtRank(2).time)
            << "the default records should hold two runs of different times";
    }

    test::SlotRun Entry(int32_t slot) const { return test::SlotOf(table, slot); }

    // The tool's trace of a stored run: the golden record of how it drives.
    std::vector<std::string> ToolTrace(int32_t slot) const {
        const test::ToolResult result =
            test::RunTool({"trace", "--stage", "1", "--dir", dir.path().string(),
                           (dir.path() / HiScoreTable::RecordingFileName(0, slot)).string()});
        EXPECT_EQ(result.status, 0) << result.err;
        std::vector<std::string> lines = test::Lines(result.out);
        lines.erase(lines.begin());  // the header
        return lines;
    }

    test::ScratchDir dir;
    HiScoreTable table;
    int32_t bestSlot = 0;
    int32_t secondSlot = 0;
    HeadlessHost host;
};

TEST_F(RaceDisplaySession, ClockCheckpointsAndSplitsFollowTheRaceThenRaceThisRun) {
    const std::vector<int32_t> bestPasses = PassTicks(ToolTrace(bestSlot));
    const std::vector<int32_t> ownPasses = PassTicks(ToolTrace(secondSlot));
    ASSERT_EQ(bestPasses.size(), 20u);
    ASSERT_EQ(ownPasses.size(), 20u);

    host.Start(dir.path());
    host.dialogs.QueueName("Second");
    host.dialogs.QueueRaceThisRun();
    host.Command(Command::Solo);
    const Recording& run = Entry(secondSlot).recording;
    const RaceDisplay& shown = host.shell().RaceView();
    EXPECT_TRUE(shown.countdown);
    EXPECT_EQ(shown.ticksLeft, kRaceTickLimit);

    std::vector<int32_t> passes;  // as the display counted them
    std::vector<int32_t> splits(21, 9999);
    std::vector<int32_t> splitTicksShown(21, 0);
    int32_t total = 9999;
    for (int32_t i = 0; host.dialogs.Calls().empty() && i < 3000; ++i) {
        ASSERT_TRUE(test::TickWithRun(host, run));
        const RaceProgress& progress = host.game().State().Progress();
        const CraftState& first = host.game().State().Crafts().first;
        ASSERT_EQ(shown.raceTicks, progress.RaceTicks());
        ASSERT_EQ(shown.ticksLeft, kRaceTickLimit - progress.RaceTicks());
        ASSERT_EQ(shown.checkpointsPassed, progress.NextCheckpoint());
        ASSERT_EQ(shown.first.x, first.x);
        ASSERT_EQ(shown.first.y, first.y);
        if (shown.nextShown) {
            const Checkpoint& box =
                host.game().State().CurrentStage().Course().checkpoints[shown.checkpointsPassed];
            ASSERT_EQ(shown.next.x, box.x + 8);
            ASSERT_EQ(shown.next.y, box.y + 8);
        }
        while (static_cast<int32_t>(passes.size()) < shown.checkpointsPassed) {
            passes.push_back(shown.raceTicks);
        }
        if (shown.splitShown && shown.splitIsTotal) {
            total = shown.split;
        } else if (shown.splitShown) {
            ASSERT_EQ(shown.splitCheckpoint, shown.checkpointsPassed);
            splits[shown.splitCheckpoint] = shown.split;
            ++splitTicksShown[shown.splitCheckpoint];
        }
    }
    EXPECT_EQ(passes, ownPasses) << "the display counts checkpoints as the race passes them";
    for (size_t k = 1; k <= 20; ++k) {
        EXPECT_EQ(splits[k], ownPasses[k - 1] - bestPasses[k - 1]) << "checkpoint " << k;
        // About two seconds, or until the next checkpoint's split takes its place.
        const int32_t gap = k < 20 ? ownPasses[k] - ownPasses[k - 1] : 1;
        EXPECT_EQ(splitTicksShown[k], std::min(kSplitTicks, gap)) << "checkpoint " << k;
    }
    EXPECT_EQ(total, Entry(secondSlot).time - Entry(bestSlot).time);

    // The name entry says the run's time and the rank it takes in the list that follows.
    ASSERT_EQ(host.dialogs.Kinds(),
              (std::vector<DialogKind>{DialogKind::Name, DialogKind::HiScoreList}));
    const DialogCall& name = host.dialogs.Calls()[0];
    EXPECT_EQ(name.time, Entry(secondSlot).time);
    const HiScoreLines& lines = host.dialogs.Calls()[1].lines;
    int32_t listed = 0;
    for (int32_t i = 0; i < 10; ++i) {
        if (lines[i].selected) {
            listed = i + 1;
        }
    }
    EXPECT_EQ(name.rank, listed);
    EXPECT_TRUE(host.dialogs.Calls()[1].raceOffered);

    // "Race this run": a race against it, whose splits compare with its own checkpoint ticks.
    EXPECT_EQ(host.game().State().Progress().Mode(), ModeVersus);
    EXPECT_EQ(host.game().State().Progress().Countdown(), kCountdownTicks);
    const CheckpointTimes& reference = host.shell().RaceDisplayState().Reference();
    EXPECT_EQ(std::vector<int32_t>(reference.ticks.begin(), reference.ticks.end()), ownPasses);
    EXPECT_EQ(reference.time, Entry(secondSlot).time);
}

TEST_F(RaceDisplaySession, RetryInTheRaceGivesTheSameRunForTheSameInputs) {
    const std::vector<std::string> golden = ToolTrace(bestSlot);
    const Recording& run = Entry(bestSlot).recording;
    host.Start(dir.path());
    host.dialogs.QueueName("Again");
    host.Command(Command::Solo);
    // A third of a race with another run's keys, then the retry key: the countdown again, the
    // clock at 0.
    for (int32_t i = 0; i < kCountdownTicks + 300; ++i) {
        ASSERT_TRUE(test::TickWithRun(host, Entry(secondSlot).recording));
    }
    ASSERT_GT(host.game().State().Progress().NextCheckpoint(), 0);
    host.shell().TogglePause();  // a retry also ends a pause, as every race start does
    ASSERT_FALSE(host.timer.Running());
    host.shell().RequestRetry();
    EXPECT_FALSE(host.shell().Paused());
    const RaceProgress& progress = host.game().State().Progress();
    EXPECT_EQ(progress.Mode(), ModeSolo);
    EXPECT_EQ(progress.Countdown(), kCountdownTicks);
    EXPECT_EQ(progress.RaceTicks(), 0);
    EXPECT_EQ(progress.NextCheckpoint(), 0);
    EXPECT_FALSE(host.shell().RaceView().splitShown);
    EXPECT_TRUE(host.timer.Running());

    // The stored run's keys from here give the stored run, tick for tick.
    std::vector<std::string> trace;
    while (host.dialogs.Calls().empty() && trace.size() < golden.size() + 10) {
        const char* phase = PhaseBefore(host.game().State());
        ASSERT_TRUE(test::TickWithRun(host, run));
        trace.push_back(TraceLine(phase, host.game().State()));
    }
    // Reported at the first difference: whole traces would drown the report. The last tick
    // hands the run over, after which the demonstration has already begun.
    ASSERT_EQ(trace.size(), golden.size());
    for (size_t i = 0; i + 1 < trace.size(); ++i) {
        ASSERT_EQ(trace[i], golden[i]) << "tick " << i + 1 << " after the retry";
    }
    ASSERT_FALSE(host.dialogs.Calls().empty());
    EXPECT_EQ(host.dialogs.Calls()[0].time, Entry(bestSlot).time);
}

TEST_F(RaceDisplaySession, RetryAtTheFinishHandsTheRunOverFirstThenRacesAgain) {
    // Player 1 also holds joystick 1, whose Back button asks for the retry.
    host.joysticks.SetCapabilities(0, JoystickResult::Ok, JoystickCaps{0, 65535, 0, 65535});
    JoystickPosition centred{32767, 32767, 0, false};
    host.joysticks.SetPosition(0, centred);
    host.Start(dir.path());
    host.dialogs.QueueName("Kept");
    host.Command(Command::Solo);
    const Recording& run = Entry(bestSlot).recording;
    while (host.game().State().Progress().FinishCounter() == 0) {
        ASSERT_TRUE(test::TickWithRun(host, run));
    }
    ASSERT_TRUE(test::TickWithRun(host, run));
    ASSERT_TRUE(host.dialogs.Calls().empty()) << "still in the finish phase";
    const RaceDisplay& shown = host.shell().RaceView();
    EXPECT_TRUE(shown.splitShown && shown.splitIsTotal);
    EXPECT_EQ(shown.split, 0) << "the best run's own keys tie with it";

    JoystickPosition back = centred;
    back.back = true;
    host.joysticks.SetPosition(0, back);
    ASSERT_EQ(host.RunTicks(1), 1);
    // Handed over at once, with its time, and only then the race again.
    ASSERT_EQ(host.dialogs.Kinds(),
              (std::vector<DialogKind>{DialogKind::Name, DialogKind::HiScoreList}));
    EXPECT_EQ(host.dialogs.Calls()[0].time, Entry(bestSlot).time);
    int32_t kept = 0;
    for (const HiScoreEntry& entry : test::BestFirst(host.game().Records())) {
        if (entry.name == "Kept" && entry.time == Entry(bestSlot).time && entry.recording == run) {
            ++kept;
        }
    }
    EXPECT_EQ(kept, 1);
    EXPECT_TRUE(host.game().Records().Changed());
    EXPECT_EQ(host.game().State().Progress().Mode(), ModeSolo);
    EXPECT_EQ(host.game().State().Progress().Countdown(), kCountdownTicks);
    EXPECT_TRUE(host.timer.Running());
    EXPECT_TRUE(host.shell().ResultArmed());

    // Held, the button asks once: the countdown goes on.
    ASSERT_EQ(host.RunTicks(1), 1);
    EXPECT_EQ(host.game().State().Progress().Countdown(), kCountdownTicks - 1);
    EXPECT_EQ(host.dialogs.Calls().size(), 2u);
}

}  // namespace
}  // namespace vantrell
