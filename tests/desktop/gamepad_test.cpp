// Pads and hats through SDL's virtual devices: a game controller steers with its left stick and
// its d-pad, a plain joystick with its axes and its first hat, both exactly as a stick's axes
// do; and the controls dialog's marks and pad names follow the live flags and devices.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>

#include "app/config_dialog.h"
#include "hosts/desktop/config_dialog_window.h"
#include "hosts/desktop/sdl_joysticks.h"
#include "hosts/desktop/ui_language.h"
#include "hosts/headless/headless_host.h"
#include "hosts/headless/scripted_input.h"
#include "input/input_config.h"
#include "support/virtual_pads.h"

namespace vantrell::desktop {
namespace {

using test::VirtualDevice;

class GamepadTest : public test::VirtualPadTest {
  protected:
    ScriptedKeyState keys;
};

TEST_F(GamepadTest, APadSteersWithItsLeftStickAndDPadAndHasAStartButton) {
    VirtualDevice pad(VirtualDevice::Pad);
    ASSERT_TRUE(pad.Ok());
    InputConfig input(keys, sticks);
    EXPECT_EQ(sticks.Name(0), "Vantrell Test Pad");
    EXPECT_EQ(sticks.Name(1), "");

    EXPECT_EQ(input.Poll().player1, 0);  // at rest
    pad.Axes(0, -32768);
    EXPECT_EQ(input.Poll().player1, kRunForward);
    pad.Axes(16382, 0);  // inside the dead zone, as for a stick
    EXPECT_EQ(input.Poll().player1, 0);
    pad.Axes(0, 0);

    const struct {
        int button;
        uint8_t run;
    } dpad[] = {{SDL_CONTROLLER_BUTTON_DPAD_UP, kRunForward},
                {SDL_CONTROLLER_BUTTON_DPAD_DOWN, kRunReverse},
                {SDL_CONTROLLER_BUTTON_DPAD_LEFT, kRunLeft},
                {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, kRunRight}};
    for (const auto& d : dpad) {
        pad.Button(d.button, true);
        EXPECT_EQ(input.Poll().player1, d.run) << d.button;
        pad.Button(d.button, false);
    }
    // The d-pad wins over the stick; the d-pad is no button, A is button 0.
    pad.Axes(-32768, 0);
    pad.Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    pad.Button(SDL_CONTROLLER_BUTTON_A, true);
    JoystickPosition position;
    ASSERT_EQ(sticks.Position(0, position), JoystickResult::Ok);
    EXPECT_EQ(position.x, kJoystickAxisMax);
    EXPECT_EQ(position.buttons, 1u);

    // Start and Back count once each when let go alone; held together they are the menu
    // button and neither counts.
    EXPECT_FALSE(sticks.StartDown(0));
    pad.Button(SDL_CONTROLLER_BUTTON_START, true);
    EXPECT_FALSE(sticks.StartDown(0));
    pad.Button(SDL_CONTROLLER_BUTTON_START, false);
    EXPECT_TRUE(sticks.StartDown(0));
    EXPECT_FALSE(sticks.StartDown(0));
    EXPECT_FALSE(sticks.StartDown(1));
    pad.Button(SDL_CONTROLLER_BUTTON_START, true);
    EXPECT_FALSE(sticks.Navigation(0).menu);
    pad.Button(SDL_CONTROLLER_BUTTON_BACK, true);
    EXPECT_TRUE(sticks.Navigation(0).menu);
    pad.Button(SDL_CONTROLLER_BUTTON_START, false);
    EXPECT_FALSE(sticks.StartDown(0));
    pad.Button(SDL_CONTROLLER_BUTTON_BACK, false);
    ASSERT_EQ(sticks.Position(0, position), JoystickResult::Ok);
    EXPECT_FALSE(position.back);
    EXPECT_FALSE(sticks.Navigation(0).menu);
}

TEST_F(GamepadTest, APlainJoysticksFirstHatCountsAsItsDPad) {
    VirtualDevice stick(VirtualDevice::HatStick);
    ASSERT_TRUE(stick.Ok());
    InputConfig input(keys, sticks);
    EXPECT_EQ(sticks.Name(0), "Vantrell Test Stick");
    EXPECT_FALSE(sticks.StartDown(0));  // no Start on a plain joystick

    stick.Hat(SDL_HAT_UP);
    EXPECT_EQ(input.Poll().player1, kRunForward);
    stick.Hat(SDL_HAT_LEFTDOWN);
    EXPECT_EQ(input.Poll().player1, kRunReverse | kRunLeft);
    stick.Hat(SDL_HAT_CENTERED);
    stick.Axes(32767, 0);  // the axes still steer
    EXPECT_EQ(input.Poll().player1, kRunRight);
    stick.Button(3, true);
    JoystickPosition position;
    ASSERT_EQ(sticks.Position(0, position), JoystickResult::Ok);
    EXPECT_EQ(position.buttons, 8u);
}

// The report this answers: with no joystick, player 1's "Joystick 1" could be marked and never
// cleared, and marking "Joystick 2" cleared 1 and then stuck.
TEST_F(GamepadTest, DialogMarksAndNamesFollowTheLiveFlagsAndDevices) {
    ApplyUiLanguage(UiLanguage::English);
    InputConfig input(keys, sticks);
    HeadlessTickTimer ticks;
    MemorySpeedStore store;
    TickTimerState timer(ticks, store);
    input.Poll();  // no joystick: the first tick drops player 1's joystick 1
    ConfigDialog model(input, timer);
    model.InitMarks();
    ConfigDialogWindow window(nullptr, model, [this](int32_t id) { return sticks.Name(id); });
    QCheckBox& joystick1 = *window.Box(ConfigBox::Joystick1Of1);
    QCheckBox& joystick2 = *window.Box(ConfigBox::Joystick2Of1);
    EXPECT_FALSE(joystick1.isChecked());
    EXPECT_EQ(window.PadLine(0).text(), QStringLiteral("Joystick 1: not connected"));

    joystick1.click();  // nothing to take
    joystick2.click();
    EXPECT_FALSE(joystick1.isChecked());
    EXPECT_FALSE(joystick2.isChecked());
    EXPECT_EQ(input.Player(1).useJoystick1 + input.Player(1).useJoystick2, 0);

    // Plugged in while the dialog is open: named, and it can be taken and let go.
    auto pad = std::make_unique<VirtualDevice>(VirtualDevice::Pad);
    ASSERT_TRUE(pad->Ok());
    window.Refresh();
    EXPECT_EQ(window.PadLine(0).text(), QStringLiteral("Joystick 1: Vantrell Test Pad"));
    EXPECT_EQ(window.PadLine(1).text(), QStringLiteral("Joystick 2: not connected"));
    joystick1.click();
    EXPECT_TRUE(joystick1.isChecked());
    joystick1.click();
    EXPECT_FALSE(joystick1.isChecked());
    joystick1.click();
    ASSERT_EQ(input.Player(1).useJoystick1, 1);

    // Pulled out while the race runs behind the dialog: the poll drops the flag and the mark
    // follows at the next refresh, without a click.
    pad.reset();
    input.Poll();
    EXPECT_EQ(input.Player(1).useJoystick1, 0);
    window.Refresh();
    EXPECT_FALSE(joystick1.isChecked());
    EXPECT_EQ(window.PadLine(0).text(), QStringLiteral("Joystick 1: not connected"));
    joystick1.click();
    EXPECT_FALSE(joystick1.isChecked());
}

}  // namespace
}  // namespace vantrell::desktop
