// The whole game run headless through its shell, as a player would meet it: the demonstration
// at start-up, races from the menu, the hand-over to the records and the files on disk.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "hosts/headless/headless_host.h"
#include "platform/commands.h"
#include "platform/key_state.h"
#include "records/hiscore_table.h"
#include "records/records_test_support.h"
#include "records/shift_jis.h"
#include "support/scratch_dir.h"
#include "support/solo_race.h"

namespace vantrell {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

constexpr int32_t kCountdownTicks = 63;
constexpr int32_t kTimeLimit = 2400;
constexpr int32_t kFinishTicks = 63;

using test::ReadBytes;
using test::WriteBytes;

// A newcomer's way round, scripted by hand: turn towards the middle of the next checkpoint, and
// hold forward while the nose points within four steps of it and the craft is slower than
// `topSpeed` (1/512 units a tick). No look at the ground, no racing line.
uint8_t NewcomerKeys(const GameState& game, double topSpeed) {
    const int32_t next = game.Progress().NextCheckpoint();
    if (next >= kCheckpointCount) {
        return 0;
    }
    const CraftState& craft = game.Crafts().first;
    const Checkpoint& box = game.CurrentStage().Course().checkpoints[static_cast<size_t>(next)];
    double dx = box.x + 8 - craft.posX / 512.0;
    dx = dx > 200 ? dx - 400 : (dx < -200 ? dx + 400 : dx);  // the shorter way round the seam
    const double dy = box.y + 8 - craft.posY / 512.0;
    const int32_t want = static_cast<int32_t>(std::lround(std::atan2(dy, dx) * 32 / M_PI)) & 63;
    const int32_t off = ((want - craft.heading + 96) & 63) - 32;  // -32..31, right positive
    uint8_t keys = off > 1 ? 8 : (off < -1 ? 4 : 0);
    if (std::abs(off) <= 4 && std::hypot(craft.velX, craft.velY) < topSpeed) {
        keys |= 1;
    }
    return keys;
}

// A solo race from the menu driven by NewcomerKeys to the hand-over; answers the race's time.
int32_t DriveNewcomer(HeadlessHost& host, double topSpeed) {
    host.Command(Command::Solo);
    const GameState& game = host.game().State();
    int32_t time = 0;
    for (int32_t i = 0; i < kCountdownTicks + kTimeLimit + kFinishTicks + 2; ++i) {
        const RaceProgress& progress = game.Progress();
        if (progress.Mode() != ModeSolo) {
            break;
        }
        time = progress.RaceTicks();
        const bool running = progress.Countdown() == 0 && progress.FinishCounter() == 0;
        test::HoldRecordedKeys(host.keys, running ? NewcomerKeys(game, topSpeed) : 0);
        if (host.RunTicks(1) != 1) {
            break;
        }
    }
    host.keys.ReleaseAll();
    return time;
}

bool StatusShown(const MemoryDisplay& display, const std::string& text) {
    const auto& log = display.StatusLog();
    return std::any_of(log.begin(), log.end(), [&](const auto& p) { return p.text == text; });
}

class HeadlessGame : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.CopyGameContent()) << "no generated game content in " VANTRELL_GAME_DIR;
        // Stand-in effect images of distinct sizes, so the log tells the effects apart.
        for (std::size_t i = 0; i < host.waveImages.size(); ++i) {
            host.waveImages[i].assign(100 + i, static_cast<uint8_t>(i));
        }
    }

    void StartGame() {
        host.Start(dir.path());
        // Started as a first run: nothing stored, so the default speed.
        ASSERT_TRUE(host.timer.Running());
        ASSERT_EQ(host.timer.Period(), 16);
    }

    test::ScratchDir dir;
    HeadlessHost host;
};

TEST_F(HeadlessGame, StartsInTheDemonstrationAndRunsASoloRaceToTimeUp) {
    StartGame();
    EXPECT_EQ(host.RunTicks(20), 20);
    EXPECT_EQ(host.display.StatusNow(), "Vantrell for Win95");
    EXPECT_EQ(host.display.PresentCount(), 20);
    const std::vector<uint8_t>& band = host.display.Band();
    ASSERT_EQ(band.size(), 96u * 120u);
    EXPECT_NE(std::count(band.begin(), band.end(), band[0]), static_cast<long>(band.size()))
        << "the view should show the course, not one flat colour";

    host.timer.ClearLog();
    host.audio.Clear();
    host.Command(Command::Solo);
    EXPECT_EQ(host.timer.Log(), (Strings{"stop", "start 16"}));
    EXPECT_EQ(host.audio.Calls(), (Strings{"play race from 0"}));

    // Countdown: controls held off, three beeps, the start signal and "GO".
    host.keys.SetDown(Key::Up, true);
    host.audio.Clear();
    host.display.ClearStatusLog();
    EXPECT_EQ(host.RunTicks(1), 1);
    EXPECT_EQ(host.display.StatusNow(), "ＲＥＡＤＹ");
    EXPECT_EQ(host.RunTicks(kCountdownTicks - 1), kCountdownTicks - 1);
    EXPECT_EQ(host.display.StatusNow(), "ＧＯ！");
    EXPECT_EQ(host.audio.Calls(), (Strings{"effect 102 bytes", "effect 102 bytes",
                                           "effect 102 bytes", "effect 103 bytes"}));
    EXPECT_EQ(host.game().State().Progress().RaceTicks(), 0);

    // The whole time limit with the accelerator held: time-up, the end music.
    EXPECT_EQ(host.RunTicks(kTimeLimit), kTimeLimit);
    EXPECT_EQ(host.display.StatusNow(), "時間切れで失格！");
    EXPECT_EQ(host.game().State().Progress().RaceTicks(), kTimeLimit);
    const Strings& sounds = host.audio.Calls();
    EXPECT_NE(std::find(sounds.begin(), sounds.end(), "play goal from 0"), sounds.end());
    // Player 1's recording: nothing on tick 0, "forward" on every race tick after it.
    const Recording& inputs = host.game().State().Progress().RunInputs();
    EXPECT_EQ(inputs[0], 0);
    EXPECT_EQ(std::count(inputs.begin() + 1, inputs.end(), 1), kTimeLimit - 1);

    // The finish phase runs out, the run is handed over exactly once and the game returns to
    // the demonstration. No default record is as slow as 2400, so the notice comes.
    host.timer.ClearLog();
    EXPECT_EQ(host.RunTicks(kFinishTicks - 1), kFinishTicks - 1);
    EXPECT_TRUE(host.dialogs.Calls().empty());
    EXPECT_EQ(host.RunTicks(1), 1);
    ASSERT_EQ(host.dialogs.Kinds(),
              (std::vector<DialogKind>{DialogKind::Message, DialogKind::HiScoreList}));
    EXPECT_EQ(host.dialogs.Calls()[0].text, "もっと精進せいよ！");
    EXPECT_EQ(host.dialogs.Calls()[0].caption, "競技終了");
    EXPECT_FALSE(host.dialogs.Calls()[0].timerRunning || host.dialogs.Calls()[1].timerRunning)
        << "the race must stand still behind its dialogs";
    EXPECT_EQ(host.timer.Log(), (Strings{"stop", "start 16"}));
    EXPECT_EQ(host.game().State().Progress().Mode(), ModeDemo);
    EXPECT_EQ(host.shell().ResultArmed(), true);

    // The idle demonstration gives way to the replay of the two best runs after 500 ticks.
    host.keys.ReleaseAll();
    host.display.ClearStatusLog();
    EXPECT_EQ(host.RunTicks(499), 499);
    EXPECT_EQ(host.display.StatusNow(), "Vantrell for Win95");
    EXPECT_EQ(host.RunTicks(1), 1);
    EXPECT_EQ(host.display.StatusNow(), "--- ＤＥＭＯ ---");
    EXPECT_EQ(host.dialogs.Calls().size(), 2u);

    // Nothing entered the table, so closing asks nothing; the first run stores its speed. The
    // switch that changed is in its file at once, before any exit.
    host.Command(Command::Effects);
    EXPECT_EQ(ReadBytes(dir.path() / "SOUNDCNF.TXT"), "SE = 0 \r\nBGM = 1 \r\n");
    host.Close();
    EXPECT_EQ(host.dialogs.Calls().size(), 2u);
    EXPECT_EQ(host.speedStore.value, 16);
    EXPECT_EQ(ReadBytes(dir.path() / "SOUNDCNF.TXT"), "SE = 0 \r\nBGM = 1 \r\n");
}

TEST_F(HeadlessGame, RunEnteringTheTableIsSavedAtTheStageChange) {
    // A table slower than the time limit, so even a timed-out run enters it.
    std::string slowTable;
    for (int32_t k = 0; k < 10; ++k) {
        slowTable += "------\r\n 2450\r\n";
    }
    WriteBytes(dir.path() / "VANREC0.DAT", slowTable);
    for (int32_t k = 0; k < 10; ++k) {
        fs::remove(dir.path() / ("S0N" + std::to_string(k) + ".JOY"));
    }
    StartGame();

    const std::string name = "テスト走者";
    host.dialogs.QueueName(name);
    host.Command(Command::Solo);
    host.keys.SetDown(Key::Up, true);
    const int32_t race = kCountdownTicks + kTimeLimit + kFinishTicks;
    EXPECT_EQ(host.RunTicks(race), race);
    ASSERT_EQ(host.dialogs.Kinds(),
              (std::vector<DialogKind>{DialogKind::Name, DialogKind::HiScoreList}));
    const HiScoreLines& lines = host.dialogs.Calls()[1].lines;
    EXPECT_EQ(lines[0].time, "TIME: 2400");
    EXPECT_NE(lines[0].rankAndName.find(name), std::string::npos);
    EXPECT_TRUE(lines[0].selected);
    EXPECT_EQ(host.game().State().Progress().Mode(), ModeDemo);

    // Changing the stage offers the save; Yes writes the record file and all ten recordings.
    // Only then are the new stage's files read and checked: a broken one is reported after the
    // question, and the player may go on with it.
    WriteBytes(dir.path() / "CHK1.COD", "short");
    host.dialogs.ClearLog();
    host.dialogs.QueueYesNo(true);
    host.dialogs.QueueAnswer(Answer::Yes);
    host.Command(Command::Stage2);
    ASSERT_EQ(host.dialogs.Kinds(),
              (std::vector<DialogKind>{DialogKind::YesNo, DialogKind::Question}));
    EXPECT_EQ(host.dialogs.Calls()[0].text, "ハイスコアデータをセーブしますか？");
    EXPECT_NE(host.dialogs.Calls()[1].text.find("CHK1.COD: is 5 bytes"), std::string::npos)
        << host.dialogs.Calls()[1].text;
    EXPECT_EQ(host.game().State().CurrentStage().Index(), 1);
    EXPECT_TRUE(host.display.Checked(Command::Stage2));
    EXPECT_FALSE(host.display.Checked(Command::Stage1));
    EXPECT_TRUE(host.timer.Running());

    // Among equal times the highest slot is the worst, so the run landed in slot 9.
    std::string expected;
    for (int32_t k = 0; k < 9; ++k) {
        expected += "------\r\n 2450\r\n";
    }
    expected += EncodeShiftJis(name) + "\r\n 2400\r\n";
    EXPECT_EQ(ReadBytes(dir.path() / "VANREC0.DAT"), expected);
    std::string recorded(kTimeLimit, '\x01');
    recorded[0] = 0;
    for (int32_t k = 0; k < 10; ++k) {
        const std::string joy = ReadBytes(dir.path() / ("S0N" + std::to_string(k) + ".JOY"));
        // Compared whole but not printed: 2400 bytes would drown the report.
        EXPECT_TRUE(joy == (k == 9 ? recorded : std::string(kTimeLimit, '\0')))
            << "S0N" << k << ".JOY, " << joy.size() << " bytes";
    }

    // Stage 2's table is untouched: closing asks nothing.
    host.dialogs.ClearLog();
    host.Close();
    EXPECT_TRUE(host.dialogs.Calls().empty());
}

TEST_F(HeadlessGame, BestDefaultRunDrivenByKeysReachesTheGoalWithItsTime) {
    HiScoreTable defaults(dir.path());
    defaults.Load(0);
    const HiScoreEntry& best = defaults.AtRank(1);
    ASSERT_LT(best.time, kEmptyTime) << "the default records should hold real runs";
    ASSERT_LT(best.time, defaults.WorstTime()) << "the best run must beat the worst to enter";
    StartGame();

    host.dialogs.QueueName("Replayer");
    const int32_t ticks = test::DriveSoloRace(host, best.recording);
    EXPECT_TRUE(StatusShown(host.display, "ＧＯＡＬ！"));
    EXPECT_FALSE(StatusShown(host.display, "時間切れで失格！"));
    // The stored time already counts the tick after the goal; the finish phase then takes
    // 63 ticks and the hand-over comes on the last of them.
    EXPECT_EQ(ticks, kCountdownTicks + best.time + kFinishTicks);
    ASSERT_EQ(host.dialogs.Kinds(),
              (std::vector<DialogKind>{DialogKind::Name, DialogKind::HiScoreList}));
    const HiScoreLines& lines = host.dialogs.Calls()[1].lines;
    char time[16];
    std::snprintf(time, sizeof time, "TIME:%5d", best.time);
    // The same time as the best, entered in the worst run's slot: among equal times the lower
    // slot ranks better, which decides whether it lists first or second.
    const auto entered = std::find_if(lines.begin(), lines.end(),
                                      [](const HiScoreLine& line) { return line.selected; });
    ASSERT_NE(entered, lines.end());
    const bool bestKeepsFirst = test::SlotOfRank(defaults, 1) < test::SlotOfRank(defaults, 10);
    EXPECT_EQ(entered - lines.begin(), bestKeepsFirst ? 1 : 0);
    EXPECT_EQ(entered->time, time);
    EXPECT_NE(entered->rankAndName.find("Replayer"), std::string::npos);
}

// The shipped table of stage 1 is within a newcomer's reach: an honest run of about 1,150 ticks
// by keys scripted here (not by the staff's driver) enters it; a run at a crawl still reaches
// the goal but not the table, gets the message box, and the race display keeps both its time
// and the time rank 10 holds.
TEST_F(HeadlessGame, NewcomersFirstHonestRunEntersTheShippedTable) {
    HiScoreTable shipped(dir.path());
    shipped.Load(0);
    StartGame();

    host.dialogs.QueueName("Newcomer");
    const int32_t honest = DriveNewcomer(host, 1e9);
    EXPECT_TRUE(StatusShown(host.display, "ＧＯＡＬ！"));
    EXPECT_GE(honest, 1050);
    EXPECT_LE(honest, 1250);
    int32_t rank = 1;
    while (rank <= kHiScoreSlots && shipped.AtRank(rank).time <= honest) {
        ++rank;
    }
    ASSERT_EQ(host.dialogs.Kinds(),
              (std::vector<DialogKind>{DialogKind::Name, DialogKind::HiScoreList}));
    EXPECT_EQ(host.dialogs.Calls()[0].time, honest);
    EXPECT_EQ(host.dialogs.Calls()[0].rank, rank);
    EXPECT_LE(rank, 7) << "a newcomer's first finish should land well inside the table";
    const HiScoreLine& listed = host.dialogs.Calls()[1].lines[static_cast<size_t>(rank - 1)];
    EXPECT_TRUE(listed.selected);
    EXPECT_NE(listed.rankAndName.find("Newcomer"), std::string::npos);
    EXPECT_FALSE(host.shell().RaceView().missedShown);

    // Rank 10 is now the shipped rank 9.
    const int32_t lastPlace = shipped.AtRank(kHiScoreSlots - 1).time;
    host.dialogs.ClearLog();
    const int32_t crawl = DriveNewcomer(host, 1000);
    EXPECT_TRUE(StatusShown(host.display, "ＧＯＡＬ！"));
    EXPECT_GT(crawl, lastPlace);
    EXPECT_LT(crawl, kTimeLimit);
    ASSERT_EQ(host.dialogs.Kinds(),
              (std::vector<DialogKind>{DialogKind::Message, DialogKind::HiScoreList}));
    EXPECT_EQ(host.dialogs.Calls()[0].text, "もっと精進せいよ！");
    EXPECT_EQ(host.dialogs.Calls()[0].caption, "競技終了");
    const RaceDisplay& view = host.shell().RaceView();
    EXPECT_TRUE(view.missedShown);
    EXPECT_EQ(view.missedTime, crawl);
    EXPECT_EQ(view.lastPlaceTime, lastPlace);
}

}  // namespace
}  // namespace vantrell
