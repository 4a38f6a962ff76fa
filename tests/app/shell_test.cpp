#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/commands.h"
#include "app/game.h"
#include "app/shell.h"
#include "headless_test_support.h"
#include "hosts/headless/headless_host.h"

namespace vantrell {
namespace {

using Events = std::vector<std::string>;

// Dialogs and timer calls written into one log, so the order of stops, dialogs and starts
// around a command can be checked as a whole.
class ProbeDialogs final : public Dialogs {
  public:
    ProbeDialogs(Dialogs& inner, Events& events) : inner_(inner), events_(events) {}
    void ShowMessage(const std::string& text, const std::string& caption) override {
        events_.push_back("message " + caption);
        inner_.ShowMessage(text, caption);
    }
    bool AskYesNo(const std::string& text, const std::string& caption) override {
        events_.push_back("yesno " + caption);
        return inner_.AskYesNo(text, caption);
    }
    std::string AskName(const std::string& defaultName) override {
        events_.push_back("name");
        return inner_.AskName(defaultName);
    }
    void ShowHiScoreList(const HiScoreLines& lines) override {
        events_.push_back("list");
        inner_.ShowHiScoreList(lines);
    }
    ListSelection ChooseOpponent(const HiScoreLines& lines) override {
        events_.push_back("opponent");
        return inner_.ChooseOpponent(lines);
    }
    void ShowAbout() override {
        events_.push_back("about");
        inner_.ShowAbout();
    }

  private:
    Dialogs& inner_;
    Events& events_;
};

class ProbeTimer final : public TickTimer {
  public:
    ProbeTimer(TickTimer& inner, Events& events) : inner_(inner), events_(events) {}
    bool Start(int32_t periodMs) override {
        events_.push_back("start");
        return inner_.Start(periodMs);
    }
    void Stop() override {
        events_.push_back("stop");
        inner_.Stop();
    }

  private:
    TickTimer& inner_;
    Events& events_;
};

// The game in an empty data folder (every file is optional), started as the desktop host
// starts it, with probes between the game and the headless dialogs and timer.
class ShellTest : public ::testing::Test {
  protected:
    ShellTest() : game(Bundle()), shell(game) {
        game.timer.LoadTickPeriod();
        shell.OnCreate();
        shell.RunPosted();
        events.clear();
        host.dialogs.ClearLog();
    }

    PlatformBundle Bundle() {
        const PlatformBundle b = host.Bundle(dir.path());
        return PlatformBundle{b.keys, b.joysticks,  b.audio, b.display, dialogs,
                              timer,  b.speedStore, b.waves, b.dataDir};
    }

    void Tick() {
        shell.OnTimer(3);
        shell.RunPosted();
    }
    void Command(int32_t id) {
        shell.OnCommand(static_cast<uint32_t>(id));
        shell.RunPosted();
    }
    // A solo race whose finish phase ends on the next tick, after `ticks` race ticks.
    void FinishSoloRaceOnNextTick(int32_t ticks) {
        GameState& state = game.state;
        state.raceMode = ModeSolo;
        state.countdown = 0;
        state.finishCounter = 63;
        state.raceTicks = ticks;
        state.runInputs.fill(1);
        state.runInputs[0] = 0;
    }

    test::ScratchDir dir;
    HeadlessHost host;  // its platform pieces only; the fixture makes the game itself
    Events events;
    ProbeTimer timer{host.timer, events};
    ProbeDialogs dialogs{host.dialogs, events};
    Game game;
    Shell shell;
};

TEST_F(ShellTest, CreationPostsTheDemonstrationAndTimerStart) {
    Game fresh(Bundle());
    Shell other(fresh);
    fresh.timer.LoadTickPeriod();
    other.OnCreate();
    // Only posted so far: nothing runs until the loop gets to it.
    EXPECT_EQ(other.resultArmed, 0);
    EXPECT_FALSE(fresh.timer.Running());
    EXPECT_TRUE(other.HasPosted());
    EXPECT_EQ(fresh.state.banner, BannerTitle);
    EXPECT_TRUE(host.display.Checked(CmdEffects));
    EXPECT_TRUE(host.display.Checked(CmdMusic));
    EXPECT_TRUE(host.display.Checked(CmdStage1));
    other.RunPosted();
    EXPECT_EQ(other.resultArmed, 1);
    EXPECT_TRUE(fresh.timer.Running());
    EXPECT_EQ(host.timer.Period(), 16);
    EXPECT_EQ(fresh.state.raceMode, ModeDemo);
    EXPECT_FALSE(other.HasPosted());
}

TEST_F(ShellTest, EnterDemoArmsAndPostsDemoAndStart) {
    shell.OnCommand(CmdStopTimer);
    shell.resultArmed = 0;
    game.state.raceMode = ModeSolo;
    shell.OnCommand(CmdEnterDemo);
    EXPECT_EQ(shell.resultArmed, 1);
    EXPECT_EQ(game.state.raceMode, ModeSolo);  // 108 is posted, not run yet
    EXPECT_FALSE(game.timer.Running());        // nor is 117
    shell.RunPosted();
    EXPECT_EQ(game.state.raceMode, ModeDemo);
    EXPECT_TRUE(game.timer.Running());
    EXPECT_EQ(events, (Events{"stop", "start"}));
}

TEST_F(ShellTest, FinishedRaceIsHandedOverOnce) {
    FinishSoloRaceOnNextTick(2400);
    Tick();
    // Stop, the notice (2400 is not below the empty table's 2398), the list, then back to the
    // demonstration with the timer running and the hand-over armed again.
    EXPECT_EQ(events, (Events{"stop", "message 競技終了", "list", "start"}));
    ASSERT_EQ(host.dialogs.Calls().size(), 2u);
    EXPECT_EQ(host.dialogs.Calls()[0].text, "もっと精進せいよ！");
    EXPECT_EQ(game.state.raceMode, ModeDemo);
    EXPECT_EQ(shell.resultArmed, 1);
    EXPECT_TRUE(game.timer.Running());

    // A race that finishes while disarmed keeps reporting 1 but is not handed over.
    events.clear();
    FinishSoloRaceOnNextTick(2400);
    shell.resultArmed = 0;
    for (int32_t i = 0; i < 3; ++i) {
        Tick();
    }
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(game.state.raceMode, ModeSolo);
    EXPECT_TRUE(game.timer.Running());
}

TEST_F(ShellTest, GoodRunGetsItsNameAndRecording) {
    host.dialogs.QueueName("Kaede");
    FinishSoloRaceOnNextTick(1234);
    Tick();
    EXPECT_EQ(events, (Events{"stop", "name", "list", "start"}));
    game.records.Rank();
    const HiScoreEntry& best = game.records.entries[game.records.rankOrder[9]];
    EXPECT_EQ(best.name, "Kaede");
    EXPECT_EQ(best.time, 1234);
    EXPECT_EQ(best.recording[0], 0);
    EXPECT_EQ(best.recording[2399], 1);
    EXPECT_TRUE(game.records.changed);
}

TEST_F(ShellTest, OnlyTimerThreeRunsTheRace) {
    const int32_t before = host.display.PresentCount();
    shell.OnTimer(2);
    shell.OnTimer(4);
    EXPECT_EQ(host.display.PresentCount(), before);
    shell.OnTimer(0x10003);  // the id is the low word
    EXPECT_EQ(host.display.PresentCount(), before + 1);
}

TEST_F(ShellTest, MinimiseStopsAndFocusRestartsOnlyWhenArmed) {
    shell.OnSysCommand(SysMinimize);
    EXPECT_FALSE(game.timer.Running());
    shell.OnSysCommand(0xF030);  // maximise: left to the platform
    EXPECT_FALSE(game.timer.Running());
    shell.resultArmed = 0;
    shell.OnSetFocus();
    EXPECT_FALSE(shell.HasPosted());
    shell.RunPosted();
    EXPECT_FALSE(game.timer.Running());
    shell.resultArmed = 1;
    shell.OnSetFocus();
    EXPECT_FALSE(game.timer.Running());  // posted
    shell.RunPosted();
    EXPECT_TRUE(game.timer.Running());
    // Focus while running does not make a second timer.
    shell.OnSetFocus();
    shell.RunPosted();
    EXPECT_EQ(events, (Events{"stop", "start"}));
}

TEST_F(ShellTest, CloseAsksTheSaveQuestionBeforeStopping) {
    host.dialogs.QueueName("Ren");
    FinishSoloRaceOnNextTick(999);
    Tick();
    events.clear();
    host.dialogs.QueueYesNo(true);
    shell.OnSysCommand(SysClose);
    EXPECT_EQ(events, (Events{"yesno スコアデータのセーブ", "stop"}));
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "VANREC0.DAT"));
    shell.OnDestroy();
    EXPECT_TRUE(shell.quitRequested);
    EXPECT_EQ(host.speedStore.value, 16);  // first run: the default is stored

    // The window is gone: whatever was still posted is dropped.
    shell.OnSetFocus();
    shell.RunPosted();
    EXPECT_FALSE(game.timer.Running());
}

TEST_F(ShellTest, DestroyStopsARunningTimerAndStoresOnlyAChangedSpeed) {
    host.speedStore.value = 40;
    Game fresh(Bundle());
    Shell other(fresh);
    fresh.timer.LoadTickPeriod();
    other.OnCreate();
    other.RunPosted();
    EXPECT_EQ(host.timer.Period(), 40);
    other.OnDestroy();
    EXPECT_FALSE(host.timer.Running());
    EXPECT_EQ(host.speedStore.storeCount, 0);
}

TEST_F(ShellTest, CommandsStopTheTimerAroundTheirWork) {
    struct Case {
        int32_t id;
        Events expected;
    };
    const Case cases[] = {
        {CmdSolo, {"stop", "start"}},
        {CmdVersus, {"stop", "opponent", "start"}},
        {CmdShowHiScores, {"stop", "list", "start"}},
        {CmdResetHiScores, {"stop", "yesno ハイスコアの初期化", "start"}},
        {CmdAbout, {"stop", "about", "start"}},
        {CmdFreeDrive, {"stop", "start"}},
        {CmdStage1, {"stop", "start"}},
        {CmdStage2, {"stop", "start"}},
        {CmdStage3, {"stop", "start"}},
        {CmdStage4, {"stop", "start"}},
        {CmdStage5, {"stop", "start"}},
        {CmdRules, {"stop", "message ゲームのルール", "start"}},
        {CmdControls, {"stop", "message 操作方法", "start"}},
        // Not stopping: the demonstration start and the switches.
        {CmdDemo, {}},
        {CmdEffects, {}},
        {CmdMusic, {}},
    };
    for (const Case& c : cases) {
        events.clear();
        Command(c.id);
        EXPECT_EQ(events, c.expected) << c.id;
        EXPECT_TRUE(game.timer.Running()) << c.id;
    }
    // A command that opens a dialog while the timer is already stopped leaves it started.
    shell.OnCommand(CmdStopTimer);
    events.clear();
    Command(CmdAbout);
    EXPECT_EQ(events, (Events{"about", "start"}));
}

TEST_F(ShellTest, ModeCommandsStartTheirModes) {
    Command(CmdSolo);
    EXPECT_EQ(game.state.raceMode, ModeSolo);
    EXPECT_EQ(game.state.banner, BannerReady);
    Command(CmdFreeDrive);
    EXPECT_EQ(game.state.raceMode, ModeFreeDrive);
    host.dialogs.QueueSelectedItem(0);
    Command(CmdVersus);
    EXPECT_EQ(game.state.raceMode, ModeVersus);
    EXPECT_EQ(game.records.opponentPosition, 9);
    EXPECT_EQ(game.state.secondReplay, game.records.RecordingAt(9));
    Command(CmdDemo);
    EXPECT_EQ(game.state.raceMode, ModeDemo);
}

TEST_F(ShellTest, HelpBoxesShowTheirTexts) {
    Command(CmdRules);
    Command(CmdControls);
    ASSERT_EQ(host.dialogs.Calls().size(), 2u);
    EXPECT_EQ(host.dialogs.Calls()[0].text,
              "赤く点滅しているチェックポイントを\n全て通過してください");
    EXPECT_EQ(host.dialogs.Calls()[0].caption, "ゲームのルール");
    EXPECT_EQ(host.dialogs.Calls()[1].text, " カーソルキーまたは\nジョイパッドで操作します");
    EXPECT_EQ(host.dialogs.Calls()[1].caption, "操作方法");
}

TEST_F(ShellTest, StageSelectMovesTheCheckAndReselectingStillRestarts) {
    Command(CmdSolo);
    const int32_t writes = host.display.CheckWrites(CmdStage1);
    Command(CmdStage1);  // the stage already selected
    EXPECT_EQ(game.state.raceMode, ModeDemo);
    EXPECT_EQ(game.state.firstReplay, game.records.RecordingAt(8));
    EXPECT_EQ(game.state.secondReplay, game.records.RecordingAt(9));
    EXPECT_EQ(host.display.CheckWrites(CmdStage1), writes + 1);
    EXPECT_TRUE(host.display.Checked(CmdStage1));

    Command(CmdStage4);
    EXPECT_EQ(game.state.stageIndex, 3);
    for (int32_t id = CmdStage1; id <= CmdStage5; ++id) {
        EXPECT_EQ(host.display.Checked(id), id == CmdStage4) << id;
    }
}

TEST_F(ShellTest, SoundSwitchesToggleWithTheirChecks) {
    Command(CmdEffects);
    EXPECT_EQ(game.sound.effectsOn, 0);
    EXPECT_FALSE(host.display.Checked(CmdEffects));
    game.sound.effectsOn = 7;  // any value other than 0 turns off
    Command(CmdEffects);
    EXPECT_EQ(game.sound.effectsOn, 0);
    Command(CmdEffects);
    EXPECT_EQ(game.sound.effectsOn, 1);
    EXPECT_TRUE(host.display.Checked(CmdEffects));

    Command(CmdSolo);
    host.audio.Clear();
    Command(CmdMusic);
    EXPECT_EQ(game.sound.musicOn, 0);
    EXPECT_FALSE(host.display.Checked(CmdMusic));
    EXPECT_EQ(host.audio.Calls(), (std::vector<std::string>{"stop bgm1", "stop stend"}));
    host.audio.Clear();
    Command(CmdMusic);
    EXPECT_EQ(game.sound.musicOn, 1);
    EXPECT_TRUE(host.display.Checked(CmdMusic));
    EXPECT_EQ(host.audio.Calls(), (std::vector<std::string>{"play bgm1"}));
}

TEST_F(ShellTest, UnknownCommandsAreIgnoredAndTheLowWordCounts) {
    const GameState& state = game.state;
    for (int32_t id : {0, 1, 2, 99, 110, 118, 120, 121, 123, 133, 136, 200, 0xFFFF}) {
        Command(id);
    }
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(host.dialogs.Calls().empty());
    EXPECT_EQ(state.raceMode, ModeDemo);
    EXPECT_TRUE(game.timer.Running());

    shell.OnCommand(0x00010000u | CmdSolo);
    EXPECT_EQ(state.raceMode, ModeSolo);
}

TEST_F(ShellTest, PaintMoveAndSizeRepaintTheStripAtOnce) {
    game.state.banner = BannerGo;
    game.state.bannerDirty = 0;
    host.display.ClearStatusLog();
    shell.OnPaint();
    shell.OnMove();
    shell.OnSize();
    ASSERT_EQ(host.display.StatusLog().size(), 3u);
    EXPECT_EQ(host.display.StatusNow(), "ＧＯ！");
    // Still marked: the next tick paints the strip once more.
    EXPECT_EQ(game.state.bannerDirty, 1);
    Tick();
    EXPECT_EQ(host.display.StatusLog().size(), 4u);
    EXPECT_EQ(game.state.bannerDirty, 0);
}

TEST_F(ShellTest, ConfigDialogRunsWithoutStoppingTheRace) {
    int32_t ticksDuringDialog = 0;
    shell.SetConfigDialogRunner([&](ConfigDialog& dialog) {
        // Opened with the live assignment, while the game keeps running behind it.
        EXPECT_TRUE(dialog.Marked(ConfigIdCursorKeys1));
        EXPECT_EQ(dialog.SpeedBarPosition(), 16);
        EXPECT_TRUE(game.timer.Running());
        const int32_t before = host.display.PresentCount();
        shell.OnTimer(3);
        ticksDuringDialog = host.display.PresentCount() - before;
        dialog.Scroll(ScrollLineRight, 0);
        dialog.Click(ConfigIdCursorKeys1);
        dialog.Click(2);  // Escape: still open
        EXPECT_FALSE(dialog.ended);
        dialog.Click(ConfigIdOk);
    });
    Command(CmdConfig);
    EXPECT_EQ(ticksDuringDialog, 1);
    EXPECT_EQ(events, (Events{"stop", "start"}));  // the restart at the new speed only
    EXPECT_EQ(host.timer.Period(), 17);
    EXPECT_EQ(game.input.player1.useCursorKeys, 0);
    EXPECT_EQ(game.timer.periodChanged, 1);
}

}  // namespace
}  // namespace vantrell
