// The whole game by pad on the real window: Guide (or Back and Start together) opens the menu,
// the d-pad and A choose a solo race there, the pad drives it, and the name box's character
// grid takes the name by d-pad, A and B. With VANTRELL_PAD_SHOTS=DIR (under xvfb-run) it keeps
// the grid as the README's picture.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include <cstdlib>

#include "desktop_test_support.h"
#include "hosts/desktop/dialog_builder.h"
#include "hosts/desktop/name_input_dialog.h"
#include "records/hiscore_table.h"
#include "support/virtual_pads.h"

namespace vantrell::desktop {
namespace {

using test::DialogScript;
using test::Pump;
using test::TestGame;
using vantrell::test::VirtualDevice;

TEST(PadMenus, MenuToARaceDrivenByPadAndTheNameGridToTheTable) {
    TestGame game;
    ASSERT_TRUE(game.haveContent);
    game.language = UiLanguage::English;
    game.Start();
    if (const std::string why = vantrell::test::WhyNoVirtualPads(game.app->Sticks());
        !why.empty()) {
        GTEST_SKIP() << why;
    }
    MainWindow& window = game.Window();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    VirtualDevice pad(VirtualDevice::Pad);
    ASSERT_TRUE(pad.Ok());
    auto tap = [&pad](int button) {
        pad.Button(button, true);
        Pump(90);
        pad.Button(button, false);
        Pump(90);
    };
    auto popup = [] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); };
    const RaceProgress& progress = game.app->Objects().State().Progress();

    // Back and Start held together: the menu, and neither a retry nor a pause.
    pad.Button(SDL_CONTROLLER_BUTTON_BACK, true);
    Pump(90);
    pad.Button(SDL_CONTROLLER_BUTTON_START, true);
    Pump(90);
    pad.Button(SDL_CONTROLLER_BUTTON_BACK, false);
    pad.Button(SDL_CONTROLLER_BUTTON_START, false);
    Pump(300);
    ASSERT_NE(popup(), nullptr);
    EXPECT_FALSE(game.app->GameShell().Paused());
    EXPECT_EQ(progress.Mode(), ModeDemo);
    // B does what Escape does: the menu closes.
    tap(SDL_CONTROLLER_BUTTON_B);
    EXPECT_EQ(popup(), nullptr);

    // Guide opens it on its first entry; the d-pad moves, A takes the entry: a solo race.
    tap(SDL_CONTROLLER_BUTTON_GUIDE);
    ASSERT_NE(popup(), nullptr);
    QAction* first = popup()->activeAction();
    ASSERT_NE(first, nullptr);
    tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_NE(popup()->activeAction(), first);
    tap(SDL_CONTROLLER_BUTTON_DPAD_UP);
    EXPECT_EQ(popup()->activeAction(), first);
    // The pad drives player 1 (it was not there at start).
    InputConfig& input = game.app->Objects().Input();
    input.RefreshJoystickReadiness();
    input.Choose(1, Device::Joystick1);
    ASSERT_TRUE(input.Uses(1, Device::Joystick1));
    tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(popup(), nullptr);
    ASSERT_EQ(progress.Mode(), ModeSolo);

    // The table's second run driven on the pad's d-pad, one tick per reading.
    HiScoreTable table(game.dir.path());
    table.Load(0);
    table.Rank();
    const HiScoreEntry run = table.AtRank(2);
    game.app->Timer().Stop();
    QString typed;
    bool gridShown = false;
    bool stayedOpen = false;
    DialogScript script([&game] { return game.app->Timer().Running(); });
    script
        .Then([&](QWidget* dialog) {
            auto* grid = dialog->findChild<QWidget*>("NameGrid");
            auto* edit = dialog->findChild<QLineEdit*>(ControlName(NameInputDialog::kEditId));
            ASSERT_NE(edit, nullptr);
            Pump(50);
            gridShown = grid != nullptr && dialog->focusWidget() == grid;
            ASSERT_NE(grid, nullptr);
            tap(SDL_CONTROLLER_BUTTON_A);  // "A" for the offered name
            tap(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
            tap(SDL_CONTROLLER_BUTTON_A);
            typed = edit->text();
            tap(SDL_CONTROLLER_BUTTON_B);  // no way out but OK
            stayedOpen = dialog->isVisible();
            // Up round to the commands, over to the katakana page, down onto it, one kana.
            tap(SDL_CONTROLLER_BUTTON_DPAD_UP);
            for (int i = 0; i < 3; ++i) {
                tap(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
            }
            tap(SDL_CONTROLLER_BUTTON_A);
            tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
            tap(SDL_CONTROLLER_BUTTON_A);
            const QString withKana = edit->text();
            EXPECT_EQ(withKana.size(), 3);
            EXPECT_TRUE(withKana.size() == 3 && withKana[2] >= QChar(0x30A1) &&
                        withKana[2] <= QChar(0x30FC))
                << withKana.toStdString();
            if (const char* dir = std::getenv("VANTRELL_PAD_SHOTS")) {
                QApplication::processEvents();
                dialog->grab().save(QString::fromLocal8Bit(dir) + "/desktop-name-grid.png", "PNG");
            }
            // The name stops where the box does: 15 bytes of Shift-JIS at most.
            for (int i = 0; i < 9; ++i) {
                tap(SDL_CONTROLLER_BUTTON_A);
            }
            EXPECT_EQ(edit->text().size(), 8) << "AB and six kana: 14 bytes";
            // Up round to the commands again, over to delete: six times, then OK.
            tap(SDL_CONTROLLER_BUTTON_DPAD_UP);
            tap(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
            tap(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
            for (int i = 0; i < 6; ++i) {
                tap(SDL_CONTROLLER_BUTTON_A);
            }
            tap(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
            tap(SDL_CONTROLLER_BUTTON_A);
            EXPECT_FALSE(dialog->isVisible()) << edit->text().toStdString();
            if (dialog->isVisible()) {
                test::PressOk(dialog);  // the test goes on to its checks
            }
        })
        .Then([](QWidget* dialog) { test::PressOk(dialog); });
    for (int i = 0; i < 63 + 2400 + 63 && script.Seen().empty(); ++i) {
        const int tick = progress.RaceTicks() + 1;
        const uint8_t code =
            progress.Countdown() == 0 && tick < kRecordingBytes ? run.recording[tick] : 0;
        pad.Button(SDL_CONTROLLER_BUTTON_DPAD_UP, (code & 1) != 0);
        pad.Button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, (code & 2) != 0);
        pad.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, (code & 4) != 0);
        pad.Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, (code & 8) != 0);
        window.Tick();
    }
    Pump(100);
    ASSERT_EQ(script.Seen().size(), 2u);
    EXPECT_EQ(script.Seen()[0].kind, QStringLiteral("HISCORE_NAMEINPUT_DIALOG"));
    EXPECT_TRUE(gridShown) << "opened after pad input, the box offers its grid";
    EXPECT_EQ(typed, QStringLiteral("AB"));
    EXPECT_TRUE(stayedOpen);
    int named = 0;
    const HiScoreTable& records = game.app->Objects().Records();
    for (int32_t rank = 1; rank <= kHiScoreSlots; ++rank) {
        named += records.AtRank(rank).name == "AB" && records.AtRank(rank).time == run.time;
    }
    EXPECT_EQ(named, 1);
}

}  // namespace
}  // namespace vantrell::desktop
