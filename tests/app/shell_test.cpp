#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/game.h"
#include "app/menu.h"
#include "app/shell.h"
#include "headless_test_support.h"
#include "hosts/headless/headless_host.h"
#include "input/control_code.h"
#include "platform/commands.h"
#include "records/records_test_support.h"

namespace vantrell {
namespace {

using Events = std::vector<std::string>;

// Dialogs and timer calls written into one log, so the order of stops, dialogs and starts
// around a command can be checked as a whole.
class ProbeDialogs final : public Dialogs {
  public:
    ProbeDialogs(Dialogs& inner, Events& events) : inner_(inner), events_(events) {}

    // Runs inside every dialog, while it is open.
    std::function<void()> whileOpen;
    void ShowMessage(const std::string& text, const std::string& caption) override {
        events_.push_back("message " + caption);
        if (whileOpen) {
            whileOpen();
        }
        inner_.ShowMessage(text, caption);
    }
    bool AskYesNo(const std::string& text, const std::string& caption) override {
        events_.push_back("yesno " + caption);
        if (whileOpen) {
            whileOpen();
        }
        return inner_.AskYesNo(text, caption);
    }
    Answer Ask(const Question& question) override {
        events_.push_back("question " + question.caption);
        if (whileOpen) {
            whileOpen();
        }
        return inner_.Ask(question);
    }
    std::string AskName(const std::string& defaultName) override {
        events_.push_back("name");
        if (whileOpen) {
            whileOpen();
        }
        return inner_.AskName(defaultName);
    }
    void ShowHiScoreList(const HiScoreLines& lines) override {
        events_.push_back("list");
        if (whileOpen) {
            whileOpen();
        }
        inner_.ShowHiScoreList(lines);
    }
    std::optional<ListSelection> ChooseOpponent(const HiScoreLines& lines) override {
        events_.push_back("opponent");
        if (whileOpen) {
            whileOpen();
        }
        return inner_.ChooseOpponent(lines);
    }
    std::optional<ListSelection> ChooseRunToExport(const HiScoreLines& lines) override {
        events_.push_back("export choice");
        return inner_.ChooseRunToExport(lines);
    }
    std::optional<OpenedFile> OpenFile(FileKind kind) override {
        events_.push_back("open file");
        return inner_.OpenFile(kind);
    }
    std::optional<SavedFile> SaveFile(FileKind kind, const std::string& name,
                                      std::span<const uint8_t> bytes) override {
        events_.push_back("save file");
        return inner_.SaveFile(kind, name, bytes);
    }
    void ShowAbout() override {
        events_.push_back("about");
        if (whileOpen) {
            whileOpen();
        }
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

// The game in a copy of the generated game folder, started as the desktop host starts it, with
// probes between the game and the headless dialogs and timer.
class ShellTest : public ::testing::Test {
  protected:
    ShellTest() : haveContent(dir.CopyGameContent()), game(Bundle()), shell(game) {
        game.Timer().LoadTickPeriod();
        shell.Start();
        shell.RunPending();
        events.clear();
        host.dialogs.ClearLog();
    }

    PlatformBundle Bundle() {
        const PlatformBundle b = host.Bundle(dir.path());
        return PlatformBundle{b.keys, b.joysticks,  b.audio, b.display, dialogs,
                              timer,  b.speedStore, b.waves, b.dataDir};
    }

    void Tick(const TickInput& input = {}) {
        shell.Tick(input);
        shell.RunPending();
    }
    void Command(vantrell::Command command) {
        shell.OnCommand(command);
        shell.RunPending();
    }
    // A solo race from the menu with `run` as player 1's controls (byte t on race tick t), one
    // tick at a time as the timer would deliver them, until the race is handed over or the
    // finish phase has run out `extraTicks` times.
    void DriveSoloRace(const Recording& run, int32_t extraTicks = 0) {
        Command(vantrell::Command::Solo);
        const RaceProgress& progress = game.State().Progress();
        int32_t overTicks = 0;
        for (int32_t i = 0; i < kCountdownStart + kRaceTickLimit + kFinishLast + 2; ++i) {
            const bool running = progress.Countdown() == 0 && progress.FinishCounter() == 0;
            const int32_t next = progress.RaceTicks() + 1;
            const uint8_t byte = running && next < kRaceTickLimit ? run[next] : 0;
            const bool last = progress.FinishCounter() == kFinishLast;
            Tick(TickInput{RecordedControls(byte), 0});
            if (progress.Mode() != ModeSolo || (last && ++overTicks > extraTicks)) {
                return;
            }
        }
    }
    const HiScoreEntry& Best() {
        game.Records().Rank();
        return game.Records().AtRank(1);
    }

    test::ScratchDir dir;
    bool haveContent;
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

TEST_F(ShellTest, FinishedRaceIsHandedOverOnce) {
    ASSERT_TRUE(haveContent);
    DriveSoloRace(Recording{});  // no input: time up at 2400
    // Stop, the notice (2400 is not below the worst stored time), the list, then back to the
    // demonstration with the timer running and the hand-over armed again.
    EXPECT_EQ(events, (Events{"stop", "start", "stop", "message 競技終了", "list", "start"}));
    ASSERT_EQ(host.dialogs.Calls().size(), 2u);
    EXPECT_EQ(host.dialogs.Calls()[0].text, "もっと精進せいよ！");
    EXPECT_EQ(game.State().Progress().Mode(), ModeDemo);
    EXPECT_EQ(shell.ResultArmed(), true);
    EXPECT_TRUE(game.Timer().Running());

    // Nothing is armed before the loop has run the start's pending work: a race started then
    // and finished keeps reporting its end but is not handed over.
    Game fresh(Bundle());
    Shell other(fresh);
    fresh.Timer().LoadTickPeriod();
    other.Start();
    host.dialogs.ClearLog();
    other.OnCommand(Command::Solo);
    for (int32_t i = 0; i < kCountdownStart + kRaceTickLimit + kFinishLast + 3; ++i) {
        other.Tick(TickInput{});
    }
    EXPECT_FALSE(other.ResultArmed());
    EXPECT_TRUE(host.dialogs.Calls().empty());
    EXPECT_EQ(fresh.State().Progress().Mode(), ModeSolo);
    EXPECT_EQ(fresh.State().Progress().FinishCounter(), kFinishLast);
}

TEST_F(ShellTest, GoodRunGetsItsNameAndRecording) {
    ASSERT_TRUE(haveContent);
    const Recording best = Best().recording;
    const int32_t bestTime = Best().time;
    host.dialogs.QueueName("Kaede");
    DriveSoloRace(best);
    EXPECT_EQ(events, (Events{"stop", "start", "stop", "name", "list", "start"}));
    // The same time as the best run, entered with the bytes driven.
    const std::vector<HiScoreEntry> entries = test::BestFirst(game.Records());
    const auto it = std::find_if(entries.begin(), entries.end(),
                                 [](const HiScoreEntry& e) { return e.name == "Kaede"; });
    ASSERT_NE(it, entries.end());
    EXPECT_EQ(it->time, bestTime);
    EXPECT_TRUE(std::equal(best.begin() + 1, best.begin() + bestTime, it->recording.begin() + 1));
    EXPECT_TRUE(game.Records().Changed());
}

TEST_F(ShellTest, MinimiseStopsAndFocusRestartsOnlyWhenArmed) {
    shell.Minimized();
    EXPECT_FALSE(game.Timer().Running());
    shell.FocusRegained();
    EXPECT_FALSE(game.Timer().Running());  // posted
    shell.RunPending();
    EXPECT_TRUE(game.Timer().Running());
    // Focus while running does not make a second timer.
    shell.FocusRegained();
    shell.RunPending();
    EXPECT_EQ(events, (Events{"stop", "start"}));

    // While a finished race is being handed over nothing is armed: the focus coming back
    // during its name entry and list leaves no start pending.
    ASSERT_TRUE(haveContent);
    int32_t asked = 0;
    dialogs.whileOpen = [&] {
        shell.FocusRegained();
        EXPECT_FALSE(shell.ResultArmed());
        EXPECT_FALSE(shell.HasPending());
        ++asked;
    };
    host.dialogs.QueueName("Mio");
    DriveSoloRace(Best().recording);
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(shell.ResultArmed());
}

TEST_F(ShellTest, CloseAsksTheSaveQuestionBeforeStopping) {
    ASSERT_TRUE(haveContent);
    host.dialogs.QueueName("Ren");
    DriveSoloRace(Best().recording);
    events.clear();
    host.dialogs.QueueAnswer(Answer::Yes);
    EXPECT_TRUE(shell.CloseRequested());
    EXPECT_EQ(events, (Events{"stop", "question スコアデータのセーブ"}));
    HiScoreTable saved(dir.path());
    saved.Load(0);
    const std::vector<HiScoreEntry> entries = test::BestFirst(saved);
    EXPECT_TRUE(std::any_of(entries.begin(), entries.end(),
                            [](const HiScoreEntry& e) { return e.name == "Ren"; }));
    shell.Stop();
    EXPECT_TRUE(shell.QuitRequested());
    EXPECT_EQ(host.speedStore.value, 16);  // first run: the default is stored

    // The window is gone: whatever was still posted is dropped.
    shell.FocusRegained();
    shell.RunPending();
    EXPECT_FALSE(game.Timer().Running());
}

TEST_F(ShellTest, NoFocusChangeOrPostedStartRunsTheTimerBehindADialog) {
    // Whatever arrives while a dialog is open (the focus coming back, a start posted before),
    // the race stays stopped until the dialog is answered.
    int32_t checked = 0;
    dialogs.whileOpen = [&] {
        shell.FocusRegained();
        shell.RunPending();
        EXPECT_FALSE(game.Timer().Running()) << events.back();
        ++checked;
    };
    for (const vantrell::Command command : {Command::About, Command::Rules, Command::ShowHiScores,
                                            Command::ResetHiScores, Command::Versus}) {
        Command(command);
        EXPECT_TRUE(game.Timer().Running()) << "running again once answered";
    }
    EXPECT_EQ(checked, 5);
    // The close question too: the race is frozen behind it.
    host.dialogs.QueueName("Sora");
    dialogs.whileOpen = {};
    DriveSoloRace(Best().recording);
    dialogs.whileOpen = [&] {
        const int32_t presents = host.display.PresentCount();
        shell.FocusRegained();
        shell.RunPending();
        EXPECT_FALSE(game.Timer().Running());
        EXPECT_EQ(host.display.PresentCount(), presents);
        ++checked;
    };
    host.dialogs.QueueAnswer(Answer::Cancel);
    EXPECT_FALSE(shell.CloseRequested());  // the player stays
    EXPECT_EQ(checked, 6);
    EXPECT_TRUE(game.Timer().Running()) << "the race goes on where it was";
}

TEST_F(ShellTest, DestroyStopsARunningTimerAndStoresOnlyAChangedSpeed) {
    host.speedStore.value = 40;
    Game fresh(Bundle());
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
        Events expected;
    };
    const Case cases[] = {
        {Command::Solo, {"stop", "start"}},
        {Command::Versus, {"stop", "opponent", "start"}},
        {Command::ShowHiScores, {"stop", "list", "start"}},
        {Command::ResetHiScores, {"stop", "question ハイスコアの初期化", "start"}},
        {Command::About, {"stop", "about", "start"}},
        {Command::FreeDrive, {"stop", "start"}},
        {Command::Stage1, {"stop", "start"}},
        {Command::Stage2, {"stop", "start"}},
        {Command::Stage3, {"stop", "start"}},
        {Command::Stage4, {"stop", "start"}},
        {Command::Stage5, {"stop", "start"}},
        {Command::Rules, {"stop", "message ゲームのルール", "start"}},
        {Command::Controls, {"stop", "message 操作方法", "start"}},
        // Not stopping: the demonstration start and the switches.
        {Command::Demo, {}},
        {Command::Effects, {}},
        {Command::Music, {}},
    };
    for (const Case& c : cases) {
        events.clear();
        Command(c.command);
        EXPECT_EQ(events, c.expected) << static_cast<int>(c.command);
        EXPECT_TRUE(game.Timer().Running()) << static_cast<int>(c.command);
    }
    // A command that opens a dialog while the timer is already stopped leaves it started.
    shell.Minimized();
    events.clear();
    Command(Command::About);
    EXPECT_EQ(events, (Events{"about", "start"}));
}

TEST_F(ShellTest, ModeCommandsStartTheirModes) {
    ASSERT_TRUE(haveContent);
    Command(Command::Solo);
    EXPECT_EQ(game.State().Progress().Mode(), ModeSolo);
    EXPECT_EQ(game.State().Progress().Banner(), BannerReady);
    Command(Command::FreeDrive);
    EXPECT_EQ(game.State().Progress().Mode(), ModeFreeDrive);
    // Nothing selected at OK: the fastest run is raced, and the second craft drives it.
    host.dialogs.QueueSelection(ListSelection{});
    Command(Command::Versus);
    EXPECT_EQ(game.State().Progress().Mode(), ModeVersus);
    EXPECT_EQ(game.Records().SelectedOpponent(), kRankBest);
    const Recording& opponent = Best().recording;
    const size_t first = static_cast<size_t>(
        std::find_if(opponent.begin(), opponent.end(), [](uint8_t b) { return b != 0; }) -
        opponent.begin());
    ASSERT_LT(first, opponent.size());
    for (int32_t t = 0; t < kCountdownStart + static_cast<int32_t>(first) + 40; ++t) {
        Tick();
    }
    EXPECT_NE(game.State().Crafts().second.posX, kStartPointFixed) << "the opponent never moved";
    EXPECT_EQ(game.State().Crafts().first.posX, kStartPointFixed) << "player 1 moved by itself";
    Command(Command::Demo);
    EXPECT_EQ(game.State().Progress().Mode(), ModeDemo);
}

TEST_F(ShellTest, StageSelectSavesTheOldTableFirstAndReselectingStillRestarts) {
    ASSERT_TRUE(haveContent);
    Command(Command::Solo);
    const int32_t writes = host.display.CheckWrites(Command::Stage1);
    Command(Command::Stage1);  // the stage already selected: no question, the demonstration
    EXPECT_EQ(game.State().Progress().Mode(), ModeDemo);
    EXPECT_EQ(host.display.CheckWrites(Command::Stage1), writes + 1);
    EXPECT_TRUE(host.display.Checked(Command::Stage1));

    host.dialogs.QueueName("Mika");
    DriveSoloRace(Best().recording);
    events.clear();
    host.dialogs.QueueYesNo(true);
    Command(Command::Stage4);
    EXPECT_EQ(events, (Events{"stop", "yesno スコアデータのセーブ", "start"}));
    EXPECT_EQ(game.State().CurrentStage().Index(), 3);
    for (int32_t s = 0; s < kStageCount; ++s) {
        EXPECT_EQ(host.display.Checked(StageCommand(s)), s == 3) << s;
    }
    // The new stage's own table is loaded; the old one reached the disk.
    HiScoreTable stage3(dir.path());
    stage3.Load(3);
    EXPECT_EQ(game.Records().SavedBytes().record, stage3.SavedBytes().record);
    HiScoreTable stage0(dir.path());
    stage0.Load(0);
    const std::vector<HiScoreEntry> entries = test::BestFirst(stage0);
    EXPECT_TRUE(std::any_of(entries.begin(), entries.end(),
                            [](const HiScoreEntry& e) { return e.name == "Mika"; }));
}

TEST_F(ShellTest, SoundSwitchesToggleWithTheirChecks) {
    Command(Command::Effects);
    EXPECT_FALSE(game.Sound().EffectsOn());
    EXPECT_FALSE(host.display.Checked(Command::Effects));
    Command(Command::Effects);
    EXPECT_TRUE(game.Sound().EffectsOn());
    EXPECT_TRUE(host.display.Checked(Command::Effects));

    Command(Command::Solo);
    host.audio.Clear();
    Command(Command::Music);
    EXPECT_FALSE(game.Sound().MusicOn());
    EXPECT_FALSE(host.display.Checked(Command::Music));
    EXPECT_EQ(host.audio.Calls(), (std::vector<std::string>{"stop race", "stop goal"}));
    host.audio.Clear();
    Command(Command::Music);
    EXPECT_TRUE(game.Sound().MusicOn());
    EXPECT_TRUE(host.display.Checked(Command::Music));
    EXPECT_EQ(host.audio.Calls(), (std::vector<std::string>{"play race"}));
}

TEST_F(ShellTest, ARepaintPaintsTheStripAtOnce) {
    Command(Command::Solo);
    Tick();
    host.display.ClearStatusLog();
    shell.RepaintStatus();  // painted, moved or resized: each is one repaint
    shell.RepaintStatus();
    ASSERT_EQ(host.display.StatusLog().size(), 2u);
    EXPECT_EQ(host.display.StatusNow(), "ＲＥＡＤＹ");
    // Still marked: the next tick paints the strip once more, the one after does not.
    Tick();
    EXPECT_EQ(host.display.StatusLog().size(), 3u);
    Tick();
    EXPECT_EQ(host.display.StatusLog().size(), 3u);
}

}  // namespace
}  // namespace vantrell
