// The pause keys on the real window: P and Pause/Break pause and resume, the mark is drawn over
// the view and not into the game's picture, and the keys do nothing while a dialog is open.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include "desktop_test_support.h"
#include "input/input_config.h"
#include "input/key_bindings.h"
#include "platform/commands.h"
#include "support/virtual_pads.h"

namespace vantrell::desktop {
namespace {

using test::DialogScript;
using test::Pump;
using test::TestGame;

class PauseKeysTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!game.haveContent) {
            GTEST_SKIP() << "no generated game directory";
        }
        game.Start();
        ASSERT_TRUE(Focus());
    }

    // Gives the main window the focus back, as after a dialog closed.
    bool Focus() {
        game.Window().activateWindow();
        for (int i = 0; i < 50 && !game.Window().isActiveWindow(); ++i) {
            Pump(10);
        }
        return game.Window().isActiveWindow();
    }

    bool Paused() { return game.app->GameShell().Paused(); }
    bool Running() { return game.app->Timer().Running(); }

    TestGame game;
};

TEST_F(PauseKeysTest, PAndPauseToggleWithTheMarkOverTheView) {
    Pump(60);
    GameView& view = game.Window().View();
    const QImage running = view.grab().toImage();

    QTest::keyClick(&view, Qt::Key_P);
    EXPECT_TRUE(Paused());
    EXPECT_FALSE(Running());
    const int presents = view.PresentCount();
    const QImage band = view.Band();
    Pump(100);
    EXPECT_EQ(view.PresentCount(), presents) << "no tick while paused";
    EXPECT_EQ(view.Band(), band) << "the game's picture is left as it was";
    // The mark: the centre of the view turns to the black plate with white letters.
    const QImage shown = view.grab().toImage();
    const QRect centre(view.ViewRect().center() - QPoint(20, 4), QSize(40, 8));
    int white = 0;
    for (int y = centre.top(); y <= centre.bottom(); ++y) {
        for (int x = centre.left(); x <= centre.right(); ++x) {
            white += shown.pixel(x, y) == qRgb(255, 255, 255) ? 1 : 0;
        }
    }
    EXPECT_GT(white, 10);
    EXPECT_NE(shown.copy(centre), running.copy(centre));

    QTest::keyClick(&game.Window(), Qt::Key_Pause);
    EXPECT_FALSE(Paused());
    EXPECT_TRUE(Running());
    Pump(60);
    EXPECT_GT(view.PresentCount(), presents);

    // A modifier key bound to pause counts, though its press carries its own modifier; P with
    // Alt held (a menu's key) does not.
    InputConfig& input = game.app->Objects().Input();
    KeyBindings bindings = input.Bindings();
    bindings.Clear(BoundAction::Set1Button);
    ASSERT_TRUE(bindings.Add(BoundAction::Pause, Binding::OfKey(Key::Shift)));
    input.SetBindings(bindings);
    QTest::keyClick(&view, Qt::Key_P, Qt::AltModifier);
    EXPECT_FALSE(Paused());
    // As the window system sends it: the press carries Shift (QTest would press it twice).
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
    QApplication::sendEvent(&view, &press);
    EXPECT_TRUE(Paused());
    QApplication::sendEvent(&view, &press);
    EXPECT_FALSE(Paused());
}

TEST_F(PauseKeysTest, DialogsNeitherTakeTheKeysNorEndThePause) {
    // P typed into a message box is the box's, not a pause.
    DialogScript script([this] { return Running(); });
    bool pausedInside = true;
    script
        .Then([&](QWidget* box) {
            QTest::keyClick(box, Qt::Key_P);
            pausedInside = Paused();
            test::PressOk(box);
        })
        .Then(test::PressOk)   // About, while paused
        .Then(test::PressOk);  // the rules, while paused
    game.Choose(Command::Rules);
    EXPECT_FALSE(pausedInside);
    EXPECT_FALSE(Paused());
    EXPECT_TRUE(Running());

    ASSERT_TRUE(Focus());
    QTest::keyClick(&game.Window(), Qt::Key_P);
    ASSERT_TRUE(Paused());
    game.Choose(Command::About);
    game.Choose(Command::Rules);
    // Losing and regaining the focus does not resume either.
    QWidget other;
    other.show();
    other.activateWindow();
    Pump(20);
    ASSERT_TRUE(Focus());
    Pump(50);
    EXPECT_EQ(script.Seen().size(), 3u);
    EXPECT_TRUE(Paused());
    EXPECT_FALSE(Running());

    // A race chosen from the menu starts at once.
    game.Choose(Command::Solo);
    EXPECT_FALSE(Paused());
    EXPECT_TRUE(Running());
}

TEST_F(PauseKeysTest, TheStartButtonOfAPadAPlayerDrivesWithPauses) {
    if (const std::string why = vantrell::test::WhyNoVirtualPads(game.app->Sticks());
        !why.empty()) {
        GTEST_SKIP() << why;
    }
    // Started without a joystick: the first ticks have let go of player 1's joystick 1.
    InputConfig& input = game.app->Objects().Input();
    for (int i = 0; i < 100 && game.Window().View().PresentCount() < 3; ++i) {
        Pump(10);
    }
    ASSERT_FALSE(input.Uses(1, Device::Joystick1));
    vantrell::test::VirtualDevice pad(vantrell::test::VirtualDevice::Pad);
    ASSERT_TRUE(pad.Ok());
    // Presses Start (or lets go) and waits up to a second for the pause to read `paused`.
    auto press = [&](bool down, bool paused) {
        EXPECT_TRUE(Focus());
        pad.Button(SDL_CONTROLLER_BUTTON_START, down);
        for (int i = 0; i < 100 && Paused() != paused; ++i) {
            Pump(10);
        }
        Pump(60);  // and stays so
        return Paused() == paused;
    };

    EXPECT_TRUE(press(true, false)) << "nobody drives with the pad yet";
    EXPECT_TRUE(press(false, false));

    Pump(1100);  // that release is past counting
    input.Choose(1, Device::Joystick1);
    ASSERT_TRUE(input.Uses(1, Device::Joystick1));
    // Start acts when let go alone (held with Back it opens the menu instead).
    EXPECT_TRUE(press(true, false));
    EXPECT_TRUE(press(false, true));
    EXPECT_FALSE(Running());
    EXPECT_TRUE(input.Uses(1, Device::Joystick1));
    EXPECT_TRUE(press(true, true));
    EXPECT_TRUE(press(false, false));
    EXPECT_TRUE(Running());
    EXPECT_TRUE(input.Uses(1, Device::Joystick1)) << "the pad still drives";
}

}  // namespace
}  // namespace vantrell::desktop
