// The shell between the window and the game, through the headless host: the timer stopped
// around every dialog (the host's timer and dialog logs, each dialog noting whether the timer
// ran while it was open), the hand-over of a finished race, focus and minimise, closing, the
// mode and stage commands, the sound switches and the status strip.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/game.h"
#include "app/menu.h"
#include "app/shell.h"
#include "hosts/headless/headless_host.h"
#include "platform/commands.h"
#include "records/records_test_support.h"
#include "support/scratch_dir.h"
#include "support/solo_race.h"

namespace vantrell {
namespace {

using Strings = std::vector<std::string>;

const char* KindName(DialogKind kind) {
    switch (kind) {
        case DialogKind::Message:
            return "message";
        case DialogKind::YesNo:
            return "yes/no";
        case DialogKind::Question:
            return "question";
        case DialogKind::Name:
            return "name";
        case DialogKind::HiScoreList:
            return "list";
        case DialogKind::ChooseOpponent:
            return "opponent";
        case DialogKind::ChooseRunToExport:
            return "export choice";
        case DialogKind::OpenFile:
            return "open file";
        case DialogKind::SaveFile:
            return "save file";
        case DialogKind::About:
            return "about";
        case DialogKind::ChooseStage:
            return "stage list";
    }
    return "?";
}

// The game in a copy of the generated game folder, started as the desktop host starts it, with
// the start-up's own timer calls and dialogs out of the logs.
class ShellTest : public ::testing::Test {
  protected:
    ShellTest() : haveContent(dir.CopyGameContent()) {
        host.Start(dir.path());
        ClearLogs();
    }

    Game& game() { return host.game(); }
    Shell& shell() { return host.shell(); }
    void ClearLogs() {
        host.timer.ClearLog();
        host.dialogs.ClearLog();
    }
    // The dialogs opened, each as "kind caption"; one opened while the timer ran says so.
    Strings Shown() const {
        Strings shown;
        for (const DialogCall& call : host.dialogs.Calls()) {
            std::string line = KindName(call.kind);
            if (!call.caption.empty()) {
                line += ' ' + call.caption;
            }
            if (call.timerRunning) {
                line += " (timer running)";
            }
            shown.push_back(line);
        }
        return shown;
    }
    const HiScoreEntry& Best() {
        game().Records().Rank();
        return game().Records().AtRank(1);
    }

    test::ScratchDir dir;
    bool haveContent;
    HeadlessHost host;
};

const Strings kStopStart{"stop", "start 16"};

TEST_F(ShellTest, CreationPostsTheDemonstrationAndTimerStart) {
    Game fresh(host.Bundle(dir.path()));
    Shell other(fresh);
    fresh.Timer().LoadTickPeriod();
    other.Start();
    // Only posted so far: nothing runs until the loop gets to it.
    EXPECT_EQ(other.ResultArmed(), false);
    EXPECT_FALSE(fresh.Timer().Running());
    EXPECT_TRUE(other.HasPending());
    EXPECT_EQ(fresh.State().Progress().Banner(), BannerTitle);
    EXPECT_TRUE(host.display.Checked(Command::Effects));
    EXPECT_TRUE(host.display.Checked(Command::Music));
    EXPECT_TRUE(host.display.Checked(Command::Stage1));
    other.RunPending();
    EXPECT_EQ(other.ResultArmed(), true);
    EXPECT_TRUE(fresh.Timer().Running());
    EXPECT_EQ(host.timer.Period(), 16);
    EXPECT_EQ(fresh.State().Progress().Mode(), ModeDemo);
    EXPECT_FALSE(other.HasPending());
}

// The hand-over itself (the notice, the list, back to the demonstration) is the headless
// session's; here, that nothing is armed before the loop has run the start's pending work: a
// race started then and finished keeps reporting its end but is not handed over.
TEST_F(ShellTest, ARaceFinishedBeforeTheStartWasRunIsNotHandedOver) {
    ASSERT_TRUE(haveContent);
    Game fresh(host.Bundle(dir.path()));
    Shell other(fresh);
    fresh.Timer().LoadTickPeriod();
    other.Start();
    other.OnCommand(Command::Solo);
    for (int32_t i = 0; i < kCountdownStart + kRaceTickLimit + kFinishLast + 3; ++i) {
        other.Tick(TickInput{});
    }
    EXPECT_FALSE(other.ResultArmed());
    EXPECT_EQ(Shown(), Strings{});
    EXPECT_EQ(fresh.State().Progress().Mode(), ModeSolo);
    EXPECT_EQ(fresh.State().Progress().FinishCounter(), kFinishLast);
}

TEST_F(ShellTest, GoodRunGetsItsNameAndRecording) {
    ASSERT_TRUE(haveContent);
    const Recording best = Best().recording;
    const int32_t bestTime = Best().time;
    host.dialogs.QueueName("Kaede");
    test::DriveSoloRace(host, best);
    EXPECT_EQ(host.timer.Log(), (Strings{"stop", "start 16", "stop", "start 16"}));
    EXPECT_EQ(Shown(), (Strings{"name", "list"}));
    // The same time as the best run, entered with the bytes driven.
    const std::vector<HiScoreEntry> entries = test::BestFirst(game().Records());
    const auto it = std::find_if(entries.begin(), entries.end(),
                                 [](const HiScoreEntry& e) { return e.name == "Kaede"; });
    ASSERT_NE(it, entries.end());
    EXPECT_EQ(it->time, bestTime);
    EXPECT_TRUE(std::equal(best.begin() + 1, best.begin() + bestTime, it->recording.begin() + 1));
    EXPECT_TRUE(game().Records().Changed());
}

TEST_F(ShellTest, MinimiseStopsAndFocusRestartsOnlyWhenArmed) {
    shell().Minimized();
    EXPECT_FALSE(game().Timer().Running());
    shell().FocusRegained();
    EXPECT_FALSE(game().Timer().Running());  // posted
    shell().RunPending();
    EXPECT_TRUE(game().Timer().Running());
    // Focus while running does not make a second timer.
    shell().FocusRegained();
    shell().RunPending();
    EXPECT_EQ(host.timer.Log(), kStopStart);

    // While a finished race is being handed over nothing is armed: the focus coming back
    // during its name entry and list leaves no start pending.
    ASSERT_TRUE(haveContent);
    int32_t asked = 0;
    host.dialogs.WhileOpen([&] {
        shell().FocusRegained();
        EXPECT_FALSE(shell().ResultArmed());
        EXPECT_FALSE(shell().HasPending());
        ++asked;
    });
    host.dialogs.QueueName("Mio");
    test::DriveSoloRace(host, Best().recording);
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(shell().ResultArmed());
}

TEST_F(ShellTest, CloseAsksTheSaveQuestionBeforeStopping) {
    ASSERT_TRUE(haveContent);
    host.dialogs.QueueName("Ren");
    test::DriveSoloRace(host, Best().recording);
    ClearLogs();
    host.dialogs.QueueAnswer(Answer::Yes);
    EXPECT_TRUE(shell().CloseRequested());
    EXPECT_EQ(host.timer.Log(), Strings{"stop"});
    EXPECT_EQ(Shown(), Strings{"question スコアデータのセーブ"});
    HiScoreTable saved(dir.path());
    saved.Load(0);
    const std::vector<HiScoreEntry> entries = test::BestFirst(saved);
    EXPECT_TRUE(std::any_of(entries.begin(), entries.end(),
                            [](const HiScoreEntry& e) { return e.name == "Ren"; }));
    shell().Stop();
    EXPECT_TRUE(shell().QuitRequested());
    EXPECT_EQ(host.speedStore.value, 16);  // first run: the default is stored

    // The window is gone: whatever was still posted is dropped.
    shell().FocusRegained();
    shell().RunPending();
    EXPECT_FALSE(game().Timer().Running());
}

TEST_F(ShellTest, NoFocusChangeOrPostedStartRunsTheTimerBehindADialog) {
    // Whatever arrives while a dialog is open (the focus coming back, a start posted before),
    // the race stays stopped until the dialog is answered.
    int32_t checked = 0;
    host.dialogs.WhileOpen([&] {
        shell().FocusRegained();
        shell().RunPending();
        EXPECT_FALSE(game().Timer().Running()) << Shown().back();
        ++checked;
    });
    for (const vantrell::Command command : {Command::About, Command::Rules, Command::ShowHiScores,
                                            Command::ResetHiScores, Command::Versus}) {
        host.Command(command);
        EXPECT_TRUE(game().Timer().Running()) << "running again once answered";
    }
    EXPECT_EQ(checked, 5);
    // The close question too: the race is frozen behind it.
    host.dialogs.QueueName("Sora");
    host.dialogs.WhileOpen({});
    test::DriveSoloRace(host, Best().recording);
    host.dialogs.WhileOpen([&] {
        const int32_t presents = host.display.PresentCount();
        shell().FocusRegained();
        shell().RunPending();
        EXPECT_FALSE(game().Timer().Running());
        EXPECT_EQ(host.display.PresentCount(), presents);
        ++checked;
    });
    host.dialogs.QueueAnswer(Answer::Cancel);
    EXPECT_FALSE(host.Close());  // the player stays
    EXPECT_EQ(checked, 6);
    EXPECT_TRUE(game().Timer().Running()) << "the race goes on where it was";
}

TEST_F(ShellTest, DestroyStopsARunningTimerAndStoresOnlyAChangedSpeed) {
    host.speedStore.value = 40;
    Game fresh(host.Bundle(dir.path()));
    Shell other(fresh);
    fresh.Timer().LoadTickPeriod();
    other.Start();
    other.RunPending();
    EXPECT_EQ(host.timer.Period(), 40);
    other.Stop();
    EXPECT_FALSE(host.timer.Running());
    EXPECT_EQ(host.speedStore.storeCount, 0);
}

TEST_F(ShellTest, CommandsStopTheTimerAroundTheirWork) {
    struct Case {
        vantrell::Command command;
        Strings dialogs;
    };
    const Case cases[] = {
        {Command::Solo, {}},
        {Command::Versus, {"opponent"}},
        {Command::ShowHiScores, {"list"}},
        {Command::ResetHiScores, {"question ハイスコアの初期化"}},
        {Command::About, {"about"}},
        {Command::FreeDrive, {}},
        {Command::Stage1, {}},
        {Command::Stage2, {}},
        {Command::Stage3, {}},
        {Command::Stage4, {}},
        {Command::Stage5, {}},
        {Command::MoreStages, {"stage list"}},
        {Command::AddStagePack, {"open file"}},
        {Command::Rules, {"message ゲームのルール"}},
        {Command::Controls, {"message 操作方法"}},
        {Command::HowToPlay, {"message 遊び方"}},
    };
    for (const Case& c : cases) {
        ClearLogs();
        host.Command(c.command);
        EXPECT_EQ(host.timer.Log(), kStopStart) << static_cast<int>(c.command);
        EXPECT_EQ(Shown(), c.dialogs) << static_cast<int>(c.command);
        EXPECT_TRUE(game().Timer().Running()) << static_cast<int>(c.command);
    }
    // Not stopping: the demonstration start and the switches.
    for (const vantrell::Command command : {Command::Demo, Command::Effects, Command::Music}) {
        ClearLogs();
        host.Command(command);
        EXPECT_EQ(host.timer.Log(), Strings{}) << static_cast<int>(command);
        EXPECT_TRUE(game().Timer().Running()) << static_cast<int>(command);
    }
    // A command that opens a dialog while the timer is already stopped leaves it started.
    shell().Minimized();
    ClearLogs();
    host.Command(Command::About);
    EXPECT_EQ(host.timer.Log(), Strings{"start 16"});
    EXPECT_EQ(Shown(), Strings{"about"});
}

TEST_F(ShellTest, ModeCommandsStartTheirModes) {
    ASSERT_TRUE(haveContent);
    host.Command(Command::Solo);
    EXPECT_EQ(game().State().Progress().Mode(), ModeSolo);
    EXPECT_EQ(game().State().Progress().Banner(), BannerReady);
    host.Command(Command::FreeDrive);
    EXPECT_EQ(game().State().Progress().Mode(), ModeFreeDrive);
    // Nothing selected at OK: the fastest run is raced, and the second craft drives it.
    host.dialogs.QueueSelection(ListSelection{});
    host.Command(Command::Versus);
    EXPECT_EQ(game().State().Progress().Mode(), ModeVersus);
    EXPECT_EQ(game().Records().SelectedOpponent(), kRankBest);
    const Recording& opponent = Best().recording;
    const size_t first = static_cast<size_t>(
        std::find_if(opponent.begin(), opponent.end(), [](uint8_t b) { return b != 0; }) -
        opponent.begin());
    ASSERT_LT(first, opponent.size());
    const int32_t ticks = kCountdownStart + static_cast<int32_t>(first) + 40;
    EXPECT_EQ(host.RunTicks(ticks), ticks);
    EXPECT_NE(game().State().Crafts().second.posX, kStartPointFixed) << "the opponent never moved";
    EXPECT_EQ(game().State().Crafts().first.posX, kStartPointFixed) << "player 1 moved by itself";
    host.Command(Command::Demo);
    EXPECT_EQ(game().State().Progress().Mode(), ModeDemo);
}

TEST_F(ShellTest, StageSelectSavesTheOldTableFirstAndReselectingStillRestarts) {
    ASSERT_TRUE(haveContent);
    host.Command(Command::Solo);
    const int32_t writes = host.display.CheckWrites(Command::Stage1);
    host.Command(Command::Stage1);  // the stage already selected: no question, the demonstration
    EXPECT_EQ(game().State().Progress().Mode(), ModeDemo);
    EXPECT_EQ(host.display.CheckWrites(Command::Stage1), writes + 1);
    EXPECT_TRUE(host.display.Checked(Command::Stage1));

    host.dialogs.QueueName("Mika");
    test::DriveSoloRace(host, Best().recording);
    ClearLogs();
    host.dialogs.QueueYesNo(true);
    host.Command(Command::Stage4);
    EXPECT_EQ(host.timer.Log(), kStopStart);
    EXPECT_EQ(Shown(), Strings{"yes/no スコアデータのセーブ"});
    EXPECT_EQ(game().State().CurrentStage().Index(), 3);
    for (int32_t s = 0; s < kStageCount; ++s) {
        EXPECT_EQ(host.display.Checked(StageCommand(s)), s == 3) << s;
    }
    // The new stage's own table is loaded; the old one reached the disk.
    HiScoreTable stage3(dir.path());
    stage3.Load(3);
    EXPECT_EQ(game().Records().SavedBytes().record, stage3.SavedBytes().record);
    HiScoreTable stage0(dir.path());
    stage0.Load(0);
    const std::vector<HiScoreEntry> entries = test::BestFirst(stage0);
    EXPECT_TRUE(std::any_of(entries.begin(), entries.end(),
                            [](const HiScoreEntry& e) { return e.name == "Mika"; }));
}

TEST_F(ShellTest, SoundSwitchesToggleWithTheirChecks) {
    host.Command(Command::Effects);
    EXPECT_FALSE(game().Sound().EffectsOn());
    EXPECT_FALSE(host.display.Checked(Command::Effects));
    host.Command(Command::Effects);
    EXPECT_TRUE(game().Sound().EffectsOn());
    EXPECT_TRUE(host.display.Checked(Command::Effects));

    host.Command(Command::Solo);
    host.audio.Clear();
    host.Command(Command::Music);
    EXPECT_FALSE(game().Sound().MusicOn());
    EXPECT_FALSE(host.display.Checked(Command::Music));
    EXPECT_EQ(host.audio.Calls(), (Strings{"stop race", "stop goal"}));
    host.audio.Clear();
    host.Command(Command::Music);
    EXPECT_TRUE(game().Sound().MusicOn());
    EXPECT_TRUE(host.display.Checked(Command::Music));
    EXPECT_EQ(host.audio.Calls(), Strings{"play race"});
}

TEST_F(ShellTest, ARepaintPaintsTheStripAtOnce) {
    host.Command(Command::Solo);
    ASSERT_EQ(host.RunTicks(1), 1);
    host.display.ClearStatusLog();
    shell().RepaintStatus();  // painted, moved or resized: each is one repaint
    shell().RepaintStatus();
    ASSERT_EQ(host.display.StatusLog().size(), 2u);
    EXPECT_EQ(host.display.StatusNow(), "ＲＥＡＤＹ");
    // Still marked: the next tick paints the strip once more, the one after does not.
    ASSERT_EQ(host.RunTicks(1), 1);
    EXPECT_EQ(host.display.StatusLog().size(), 3u);
    ASSERT_EQ(host.RunTicks(1), 1);
    EXPECT_EQ(host.display.StatusLog().size(), 3u);
}

}  // namespace
}  // namespace vantrell
