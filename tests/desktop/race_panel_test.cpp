// The race display in the real window (offscreen): a panel below the picture that leaves the
// picture's size alone, its switches in the menu and the settings file, the retry key that
// counts only in the main window, the name entry that says the run's time and rank, and a run
// that misses the table told in the panel.
#include <gtest/gtest.h>

#include <cstdlib>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include "desktop_test_support.h"
#include "hosts/desktop/dialog_builder.h"
#include "hosts/desktop/hiscore_list_dialogs.h"
#include "hosts/desktop/name_input_dialog.h"
#include "records/hiscore_table.h"
#include "support/virtual_pads.h"

namespace vantrell::desktop {
namespace {

using test::DialogScript;
using test::Pump;
using test::TestGame;

class RacePanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!game.haveContent) {
            GTEST_SKIP() << "no generated game directory";
        }
    }
    // The language is the whole program's: the tests after these start in Japanese.
    void TearDown() override { ApplyUiLanguage(UiLanguage::Japanese); }

    void Start(UiLanguage language) {
        game.language = language;
        game.Start();
    }

    QRect InWindow(QWidget& widget) {
        return QRect(widget.mapTo(&game.Window(), QPoint(0, 0)), widget.size());
    }

    const GameState& State() { return game.app->Objects().State(); }

    TestGame game;
};

TEST_F(RacePanelTest, PanelSitsBelowThePictureWhichKeepsItsSize) {
    Start(UiLanguage::Japanese);
    MainWindow& window = game.Window();
    RacePanel& panel = window.Panel();
    ASSERT_TRUE(panel.isVisible()) << "on by default";
    const QRect view = InWindow(window.View());
    const QRect shown = InWindow(panel);
    EXPECT_EQ(shown.top(), view.bottom() + 1);
    EXPECT_EQ(shown.width(), view.width());
    EXPECT_EQ(shown.height(), RacePanel::kHeight);
    EXPECT_EQ(window.frameGeometry().height(), 360 + RacePanel::kHeight);
    Pump(60);
    EXPECT_EQ(panel.Shown().stage, 0);
    EXPECT_FALSE(panel.Shown().timed) << "the idle demonstration has no clock";
    EXPECT_EQ(panel.ClockText(), QStringLiteral("タイム --"));

    // Off from the menu: the window shrinks by the panel, the picture stays as it was.
    RaceDisplaySwitches* switches = window.RaceDisplaySettings();
    ASSERT_NE(switches, nullptr);
    EXPECT_EQ(switches->PanelItem()->text(), QStringLiteral("レース表示"));
    EXPECT_TRUE(switches->PanelItem()->isChecked());
    switches->PanelItem()->trigger();
    Pump(30);
    EXPECT_FALSE(panel.isVisible());
    EXPECT_EQ(window.frameGeometry().height(), 360);
    EXPECT_EQ(InWindow(window.View()), view);
    QSettings stored(game.settingsFile, QSettings::IniFormat);
    EXPECT_EQ(stored.value("display/racePanel").toString(), "false");
    EXPECT_EQ(stored.value("display/splits").toString(), "true");

    // Remembered: a game started on the same settings file opens without it.
    DesktopApp second(DesktopSettings{game.dir.path(), game.settingsFile, UiLanguage::Japanese});
    EXPECT_FALSE(second.Window().RaceDisplaySettings()->PanelItem()->isChecked());
    EXPECT_TRUE(second.Window().Panel().isHidden());
    EXPECT_EQ(second.Window().frameGeometry().height(), 360);

    switches->PanelItem()->trigger();
    switches->SplitsItem()->trigger();
    Pump(30);
    EXPECT_TRUE(panel.isVisible());
    EXPECT_EQ(InWindow(window.View()), view);
    EXPECT_EQ(InWindow(panel), shown);
    EXPECT_FALSE(panel.SplitsShown());
}

TEST_F(RacePanelTest, RetryKeyRestartsTheRaceButNeverFromTheNameDialog) {
    Start(UiLanguage::English);  // as the README's picture shows it
    MainWindow& window = game.Window();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    HiScoreTable table(game.dir.path());
    table.Load(0);
    table.Rank();
    // The second best run's keys, so the splits against the best are not all zero.
    const HiScoreEntry run = table.AtRank(2);

    game.Choose(Command::Solo);
    // Ticks delivered here, one per key state, rather than by the timer.
    game.app->Timer().Stop();
    QtKeyState& keys = game.app->Keys();
    for (int i = 0; i < 63 + 100; ++i) {
        keys.Press(Key::Up);
        window.Tick();
    }
    EXPECT_EQ(State().Progress().RaceTicks(), 100);
    EXPECT_EQ(window.Panel().Shown().raceTicks, 100);
    EXPECT_EQ(window.Panel().ClockText(), QStringLiteral("Time 100 (1.60 s)"));
    EXPECT_EQ(window.Panel().LeftText(), QStringLiteral("Left 2300 (36.80 s)"));
    QTest::keyClick(&window, Qt::Key_R);
    EXPECT_EQ(State().Progress().Countdown(), 63);
    EXPECT_EQ(State().Progress().RaceTicks(), 0);
    EXPECT_EQ(window.Panel().Shown().raceTicks, 0);

    QString runLine;
    bool raceOffered = false;
    int listedRank = 0;
    DialogScript script([this] { return game.app->Timer().Running(); });
    script
        .Then([&runLine](QWidget* dialog) {
            if (auto* line = dialog->findChild<QLabel*>("RunLine")) {
                runLine = line->text();
            }
            // R and Backspace are just typing here.
            auto* edit = dialog->findChild<QLineEdit*>(ControlName(NameInputDialog::kEditId));
            edit->selectAll();
            QTest::keyClicks(edit, "Rr");
            QTest::keyClick(edit, Qt::Key_Backspace);
            QTest::keyClick(edit, Qt::Key_Return);
        })
        .Then([&raceOffered, &listedRank](QWidget* dialog) {
            raceOffered =
                dialog->findChild<QPushButton*>(ControlName(HiScoreListDialog::kRaceId)) != nullptr;
            if (auto* names =
                    dialog->findChild<QListWidget*>(ControlName(HiScoreListDialog::kNamesId))) {
                const QList<QListWidgetItem*> chosen = names->selectedItems();
                listedRank = chosen.size() == 1 ? names->row(chosen[0]) + 1 : -1;
            }
            test::PressOk(dialog);
        });
    keys.ReleaseAll();
    bool shot = false;
    for (int i = 0; i < 63 + 2400 + 63 && script.Seen().size() < 2; ++i) {
        const int tick = State().Progress().RaceTicks() + 1;
        const uint8_t code =
            State().Progress().Countdown() == 0 && tick < kRecordingBytes ? run.recording[tick] : 0;
        for (const auto& [bit, key] : {std::pair{1, Key::Up}, std::pair{2, Key::Down},
                                       std::pair{4, Key::Left}, std::pair{8, Key::Right}}) {
            (code & bit) != 0 ? keys.Press(key) : keys.Release(key);
        }
        window.Tick();
        const RaceDisplay& shown = window.Panel().Shown();
        if (shown.checkpointsPassed == 7 && shown.splitShown && !shot) {
            shot = true;
            EXPECT_EQ(window.Panel().CheckpointText(), QStringLiteral("Checkpoint 7/20"));
            EXPECT_EQ(
                window.Panel().SplitText(),
                (shown.split > 0 ? QStringLiteral("+%1") : QStringLiteral("%1")).arg(shown.split));
            // The picture for the README, when asked for (run under xvfb-run).
            if (const char* file = std::getenv("VANTRELL_RACE_SHOT")) {
                QApplication::processEvents();
                window.grab().save(QString::fromLocal8Bit(file), "PNG");
            }
        }
    }
    EXPECT_TRUE(shot) << "no split shown at checkpoint 7";
    ASSERT_EQ(script.Seen().size(), 2u);
    // The seconds at 16 ms a tick beside the ticks.
    EXPECT_EQ(runLine, QStringLiteral("Time %1 (%2 s): rank %3")
                           .arg(run.time)
                           .arg(run.time * 0.016, 0, 'f', 2)
                           .arg(listedRank));
    EXPECT_TRUE(raceOffered);
    Pump(50);
    // OK: back to the demonstration, with the name as typed.
    EXPECT_EQ(State().Progress().Mode(), ModeDemo);
    const HiScoreTable& records = game.app->Objects().Records();
    int named = 0;
    for (int32_t rank = 1; rank <= kHiScoreSlots; ++rank) {
        const HiScoreEntry& entry = records.AtRank(rank);
        named += entry.name == "R" && entry.time == run.time ? 1 : 0;
    }
    EXPECT_EQ(named, 1);

    // In the demonstration right after, Backspace races again.
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_Backspace);
    EXPECT_EQ(State().Progress().Mode(), ModeSolo);
    EXPECT_EQ(State().Progress().Countdown(), 63);
}

TEST_F(RacePanelTest, BackButtonOfAPadAPlayerDrivesWithRacesAgain) {
    Start(UiLanguage::Japanese);
    if (const std::string why = vantrell::test::WhyNoVirtualPads(game.app->Sticks());
        !why.empty()) {
        GTEST_SKIP() << why;
    }
    vantrell::test::VirtualDevice pad(vantrell::test::VirtualDevice::Pad);
    ASSERT_TRUE(pad.Ok());
    // The new pad is ready once the game's joystick poll has seen it, which takes a moment on a
    // loaded machine.
    for (int waited = 0; waited < 3000; waited += 20) {
        game.app->Objects().Input().Choose(1, Device::Joystick1);
        if (game.app->Objects().Input().Uses(1, Device::Joystick1)) {
            break;
        }
        Pump(20);
    }
    ASSERT_TRUE(game.app->Objects().Input().Uses(1, Device::Joystick1));
    game.Choose(Command::Solo);
    for (int i = 0; i < 300 && State().Progress().RaceTicks() < 20; ++i) {
        Pump(10);
    }
    ASSERT_GE(State().Progress().RaceTicks(), 20);
    pad.Button(SDL_CONTROLLER_BUTTON_BACK, true);
    Pump(60);
    pad.Button(SDL_CONTROLLER_BUTTON_BACK, false);  // Back acts when let go alone
    for (int i = 0; i < 100 && State().Progress().RaceTicks() != 0; ++i) {
        Pump(10);
    }
    EXPECT_EQ(State().Progress().Mode(), ModeSolo);
    EXPECT_EQ(State().Progress().RaceTicks(), 0) << "Back should have started the race again";
    EXPECT_GT(State().Progress().Countdown(), 0);
}

TEST_F(RacePanelTest, TimedOutRaceSaysTimeUpAndHowFarTheTableIs) {
    Start(UiLanguage::English);
    MainWindow& window = game.Window();
    HiScoreTable table(game.dir.path());
    table.Load(0);
    table.Rank();
    const int32_t lastPlace = table.AtRank(kHiScoreSlots).time;
    RacePanel& panel = window.Panel();
    // The demonstration before the first race says how to start one (and never again after).
    Pump(50);
    EXPECT_EQ(panel.NoteText(), QStringLiteral("Alt+G, 1 to race"));

    game.Choose(Command::Solo);
    game.app->Timer().Stop();
    // No keys at all: the craft stands still until the limit.
    for (int i = 0; i < 63 + kRaceTickLimit; ++i) {
        window.Tick();
    }
    ASSERT_EQ(State().Progress().Banner(), BannerTimeUp);
    EXPECT_EQ(panel.NoteText(), QStringLiteral("Time up"));
    EXPECT_EQ(panel.ClockText(), QStringLiteral("Time 2400 (38.40 s)"));
    EXPECT_EQ(panel.LeftText(), QStringLiteral("Left 0 (0.00 s)"));

    // The message box keeps its words; the panel beside it says how far off the run was.
    QString shownClock;
    QString shownLeft;
    QString shownNote;
    QString boxText;
    DialogScript script([this] { return game.app->Timer().Running(); });
    script
        .Then([&](QWidget* box) {
            QApplication::processEvents();
            shownClock = panel.ClockText();
            shownLeft = panel.LeftText();
            shownNote = panel.NoteText();
            if (auto* label = box->findChild<QLabel*>("qt_msgbox_label")) {
                boxText = label->text();
            }
            test::PressOk(box);
        })
        .Then([](QWidget* list) { test::PressOk(list); });
    for (int i = 0; i < 63 + 2 && script.Seen().size() < 2; ++i) {
        window.Tick();
    }
    ASSERT_EQ(script.Seen().size(), 2u);
    EXPECT_EQ(boxText, QStringLiteral("Keep practising!"));
    EXPECT_EQ(shownClock, QStringLiteral("This run 2400 (38.40 s)"));
    EXPECT_EQ(
        shownLeft,
        QStringLiteral("10th place %1 (%2 s)").arg(lastPlace).arg(lastPlace * 0.016, 0, 'f', 2));
    EXPECT_EQ(shownNote, QStringLiteral("Time up"));

    // Still told in the demonstration after it, until the player races again.
    Pump(30);
    EXPECT_EQ(State().Progress().Mode(), ModeDemo);
    EXPECT_EQ(panel.ClockText(), shownClock);
    EXPECT_TRUE(panel.NoteText().isEmpty());
    game.Choose(Command::Solo);
    window.Tick();
    EXPECT_EQ(panel.ClockText(), QStringLiteral("Time 0 (0.00 s)"));
    EXPECT_EQ(panel.LeftText(), QStringLiteral("Left 2400 (38.40 s)"));
}

}  // namespace
}  // namespace vantrell::desktop
