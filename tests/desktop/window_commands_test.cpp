// The real window with the real game: menu commands, dialogs and window events, checked for
// what the player sees and for the tick timer around them.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTest>

#include <filesystem>
#include <fstream>

#include "desktop_test_support.h"
#include "hosts/desktop/config_dialog_window.h"
#include "hosts/desktop/hiscore_list_dialogs.h"
#include "platform/commands.h"

namespace vantrell::desktop {
namespace {

using test::DialogScript;
using test::Pump;
using test::TestGame;

class WindowCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!game.haveContent) {
            GTEST_SKIP() << "no generated game directory";
        }
        game.Start();
    }

    DialogScript Script() {
        return DialogScript([this] { return game.app->Timer().Running(); });
    }
    const GameState& State() { return game.app->Objects().State(); }

    TestGame game;
};

TEST_F(WindowCommandsTest, StartsInTheDemonstrationWithTitleMarksAndTimer) {
    MainWindow& window = game.Window();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("  Vantrell for Win95"));
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(window.windowIcon().isNull());
    // No frame offscreen; the race display, on by default, adds its panel below.
    EXPECT_EQ(window.frameGeometry().size(), QSize(256, 360 + RacePanel::kHeight));

    EXPECT_TRUE(game.app->Timer().Running());
    EXPECT_EQ(game.app->Timer().Period(), 16);  // nothing stored yet
    EXPECT_EQ(game.app->GameShell().ResultArmed(), true);
    EXPECT_EQ(State().Progress().Mode(), ModeDemo);
    EXPECT_TRUE(window.Menu().Checked(Command::Stage1));
    for (Command stage : {Command::Stage2, Command::Stage3, Command::Stage4, Command::Stage5}) {
        EXPECT_FALSE(window.Menu().Checked(stage)) << static_cast<int>(stage);
    }
    EXPECT_TRUE(window.Menu().Checked(Command::Effects));
    EXPECT_TRUE(window.Menu().Checked(Command::Music));

    Pump(120);
    EXPECT_GT(window.View().PresentCount(), 2);
    EXPECT_EQ(window.View().StatusText(), QStringLiteral("Vantrell for Win95"));
}

TEST_F(WindowCommandsTest, EveryDialogCommandStopsTheTimerAndStartsItAfter) {
    DialogScript script = Script();
    script
        .Then(test::PressOk)                                      // About
        .Then(test::PressOk)                                      // rules
        .Then(test::PressOk)                                      // controls
        .Then(test::PressOk)                                      // the list
        .Then([](QWidget* box) { test::AnswerBox(box, false); })  // reset: No
        .Then(test::PressOk);                                     // opponent
    for (Command command : {Command::About, Command::Rules, Command::Controls,
                            Command::ShowHiScores, Command::ResetHiScores, Command::Versus}) {
        game.Choose(command);
        EXPECT_TRUE(game.app->Timer().Running()) << "after command " << static_cast<int>(command);
    }
    ASSERT_EQ(script.Seen().size(), 6u);
    EXPECT_EQ(script.Unexpected(), 0);
    for (const DialogScript::Sighting& seen : script.Seen()) {
        EXPECT_FALSE(seen.timerRunning) << seen.kind.toStdString();
    }
    const auto& seen = script.Seen();
    EXPECT_EQ(seen[0].kind, "AppAbout");
    EXPECT_EQ(seen[1].title, QStringLiteral("ゲームのルール"));
    EXPECT_EQ(seen[1].text,
              QStringLiteral("赤く点滅しているチェックポイントを\n全て通過してください"));
    EXPECT_EQ(seen[2].title, QStringLiteral("操作方法"));
    EXPECT_EQ(seen[2].text, QStringLiteral(" カーソルキーまたは\nジョイパッドで操作します"));
    EXPECT_EQ(seen[3].kind, "HISCORE_NAMEENTRY_DIALOG");
    EXPECT_EQ(seen[3].title, QStringLiteral("--過去の挑戦者達の記録--"));
    EXPECT_EQ(seen[4].kind, "QuestionBox");
    EXPECT_EQ(seen[4].title, QStringLiteral("ハイスコアの初期化"));
    EXPECT_EQ(seen[4].text, QStringLiteral("ハイスコアデータを初期化します。\nよろしいですか？"));
    EXPECT_EQ(seen[5].kind, "HISCORE_SELECT_DIALOG");
    EXPECT_EQ(State().Progress().Mode(), ModeVersus);
}

TEST_F(WindowCommandsTest, ConfigDialogLeavesTheRaceRunningAndRestartsTheTimerOnSpeed) {
    DialogScript script = Script();
    int presentsWhileOpen = 0;
    int periodAfterStep = 0;
    bool runningAfterStep = false;
    script.Then([&](QWidget* dialog) {
        const int before = game.Window().View().PresentCount();
        // A few ticks behind the open dialog; a loaded machine may take longer to deliver them.
        for (int waited = 0; waited < 3000 && presentsWhileOpen <= 2; waited += 50) {
            Pump(50);
            presentsWhileOpen = game.Window().View().PresentCount() - before;
        }
        auto* window = static_cast<ConfigDialogWindow*>(dialog);
        window->SpeedBar().triggerAction(QAbstractSlider::SliderSingleStepAdd);
        periodAfterStep = game.app->Timer().Period();
        runningAfterStep = game.app->Timer().Running();
        // Escape is ignored: the dialog is still there after it.
        QTest::keyClick(dialog, Qt::Key_Escape);
        EXPECT_TRUE(dialog->isVisible());
        test::PressOk(dialog);
    });
    game.Choose(Command::Config);
    ASSERT_EQ(script.Seen().size(), 1u);
    EXPECT_EQ(script.Seen()[0].kind, "GAME_CONFIG_DIALOG");
    EXPECT_EQ(script.Seen()[0].title, QStringLiteral(" Game Configuration"));
    EXPECT_TRUE(script.Seen()[0].timerRunning);
    EXPECT_GT(presentsWhileOpen, 2);
    EXPECT_EQ(periodAfterStep, 17);
    EXPECT_TRUE(runningAfterStep);
    EXPECT_EQ(game.app->Objects().Timer().Period(), 17);
}

TEST_F(WindowCommandsTest, EffectsAndMusicSwitchesFollowTheMenu) {
    SoundPlayer& sound = game.app->Objects().Sound();
    game.Choose(Command::Effects);
    EXPECT_FALSE(sound.EffectsOn());
    EXPECT_FALSE(game.Window().Menu().Checked(Command::Effects));
    game.Choose(Command::Effects);
    EXPECT_TRUE(sound.EffectsOn());
    EXPECT_TRUE(game.Window().Menu().Checked(Command::Effects));

    game.Choose(Command::Solo);
    EXPECT_EQ(sound.CurrentPiece(), SoundPlayer::kPieceRace);
    game.Choose(Command::Music);
    EXPECT_FALSE(sound.MusicOn());
    EXPECT_FALSE(game.Window().Menu().Checked(Command::Music));
    EXPECT_FALSE(game.app->Sound().MusicSounding());
    game.Choose(Command::Music);
    EXPECT_TRUE(sound.MusicOn());
    EXPECT_TRUE(game.Window().Menu().Checked(Command::Music));
    if (!game.app->Sound().DeviceOpen()) {
        GTEST_SKIP() << "no sound device: the switches work, nothing sounds";
    }
    ASSERT_TRUE(game.app->Sound().MusicLoaded(MusicPiece::Race));
    EXPECT_EQ(game.app->Sound().MusicInChannel(), MusicPiece::Race);
    EXPECT_TRUE(game.app->Sound().MusicSounding());
}

TEST(WindowCommandsRace, FinishedRaceGoesToTheNameEntryWithTheTimerStoppedThenBackToDemo) {
    // Stage 1 on level ground with every checkpoint around the start: the craft, standing still,
    // passes one a tick, far faster than any stored run, and the race ends about two seconds in.
    TestGame game;
    if (!game.haveContent) {
        GTEST_SKIP() << "no generated game directory";
    }
    {
        // Level ground: every corner at height 0.
        std::ofstream(game.dir.path() / "MAP0.DAT", std::ios::binary | std::ios::trunc)
            << std::string(41 * 41 * 2, '\0');
        std::ofstream(game.dir.path() / "TYPE_0.DAT", std::ios::binary | std::ios::trunc)
            << std::string(40 * 40 * 2, '\0');
    }
    {
        std::ofstream boxes(game.dir.path() / "CHK0.COD", std::ios::binary | std::ios::trunc);
        for (int i = 0; i < kCheckpointCount; ++i) {
            boxes.write("\0\x16\0\x16", 4);  // (22, 22): the start point (30, 30) inside
        }
    }
    game.Start();
    auto State = [&game]() -> const GameState& { return game.app->Objects().State(); };
    auto Script = [&game] { return DialogScript([&game] { return game.app->Timer().Running(); }); };
    game.Choose(Command::Solo);

    DialogScript script = Script();
    bool highlighted = false;
    QString newLine;
    script.Then([](QWidget* dialog) { test::TypeName(dialog, "ACE"); }).Then([&](QWidget* dialog) {
        auto& names = static_cast<HiScoreListDialog*>(dialog)->Names();
        for (int i = 0; i < names.count(); ++i) {
            if (names.item(i)->isSelected()) {
                highlighted = true;
                newLine = names.item(i)->text();
            }
        }
        test::PressOk(dialog);
    });
    for (int i = 0; i < 300 && script.Seen().size() < 2; ++i) {
        Pump(20);
    }
    Pump(50);
    ASSERT_EQ(script.Seen().size(), 2u);
    EXPECT_EQ(script.Seen()[0].kind, "HISCORE_NAMEINPUT_DIALOG");
    EXPECT_EQ(script.Seen()[0].title, QStringLiteral("競技終了"));
    EXPECT_FALSE(script.Seen()[0].timerRunning);
    EXPECT_FALSE(script.Seen()[1].timerRunning);
    EXPECT_TRUE(highlighted);
    EXPECT_TRUE(newLine.startsWith(" 1 : ACE")) << newLine.toStdString();
    EXPECT_EQ(State().Progress().Mode(), ModeDemo);
    EXPECT_EQ(game.app->GameShell().ResultArmed(), true);
    EXPECT_TRUE(game.app->Timer().Running());
    EXPECT_TRUE(game.app->Objects().Records().Changed());
}

TEST_F(WindowCommandsTest, MinimiseStopsTheGameAndRegainingTheFocusRestartsIt) {
    game.Window().showMinimized();
    Pump(20);
    EXPECT_FALSE(game.app->Timer().Running());
    game.Window().showNormal();
    // Another window has the focus meanwhile; then ours gets it back.
    QWidget other;
    other.show();
    other.activateWindow();
    Pump(20);
    EXPECT_FALSE(game.app->Timer().Running());
    game.Window().activateWindow();
    for (int i = 0; i < 50 && !game.app->Timer().Running(); ++i) {
        Pump(10);
    }
    EXPECT_TRUE(game.app->Timer().Running());
}

TEST_F(WindowCommandsTest, ClosingOffersTheSaveStopsTheTimerAndStoresTheSpeed) {
    // A run entered the table.
    ASSERT_TRUE(game.app->Objects().Records().Offer({.time = 1}).Entered());
    DialogScript script = Script();
    // Escape means Cancel: the window stays and the game goes on where it was.
    script.Then([](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); }).Then([](QWidget* box) {
        test::AnswerBox(box, false);
    });
    game.Window().close();
    Pump(20);
    EXPECT_FALSE(game.Window().Destroyed());
    EXPECT_TRUE(game.app->Timer().Running());
    game.Window().close();
    ASSERT_EQ(script.Seen().size(), 2u);
    EXPECT_EQ(script.Seen()[0].kind, "QuestionBox");
    EXPECT_EQ(script.Seen()[0].text, QStringLiteral("ハイスコアデータをセーブしますか？"));
    EXPECT_FALSE(script.Seen()[0].timerRunning) << "the race must not go on behind the question";
    EXPECT_TRUE(game.Window().Destroyed());
    EXPECT_FALSE(game.app->Timer().Running());
    // A first run had nothing stored: the default speed is stored at the end.
    QSettings settings(game.settingsFile, QSettings::IniFormat);
    EXPECT_EQ(settings.value("game/tickPeriod").toInt(), 16);
}

TEST_F(WindowCommandsTest, ResizingStretchesTheViewAndKeepsTheStripAtTheBottom) {
    Pump(50);
    game.Window().resize(400, 500);
    Pump(50);
    GameView& view = game.Window().View();
    EXPECT_EQ(view.StripRect().bottom(), view.height() - 1);
    EXPECT_EQ(view.ViewRect().height(), view.height() - 22);
    EXPECT_EQ(view.ViewRect().width(), 400);
}

}  // namespace
}  // namespace vantrell::desktop
