// Joysticks through SDL's joystick subsystem, driven by SDL's virtual joysticks: ids follow
// the device list, sticks come and go while the game runs, and the game's calibration puts the
// dead zone at a quarter of SDL's axis range.
#include <gtest/gtest.h>

#include <SDL.h>

#include "hosts/desktop/sdl_joysticks.h"
#include "hosts/headless/scripted_input.h"
#include "input/input_config.h"
#include "support/virtual_pads.h"

namespace vantrell::desktop {
namespace {

// Only the test's virtual sticks: a pad SDL maps as a game controller, its left stick is axes 0
// and 1, its B button is 1.
using SdlJoysticksTest = test::VirtualPadTest;
using test::VirtualDevice;

TEST_F(SdlJoysticksTest, CapabilitiesGiveTheFullRangeEvenWithoutAStick) {
    JoystickCaps caps;
    EXPECT_EQ(sticks.Capabilities(0, caps), JoystickResult::Unplugged);
    EXPECT_EQ(caps.xMin, 0u);
    EXPECT_EQ(caps.xMax, 65535u);
    EXPECT_EQ(caps.yMax, 65535u);
    JoystickPosition position;
    EXPECT_EQ(sticks.Position(0, position), JoystickResult::Unplugged);
    EXPECT_EQ(sticks.Position(2, position), JoystickResult::Unplugged);
    EXPECT_EQ(AxisToGame(-32768), 0u);
    EXPECT_EQ(AxisToGame(32767), 65535u);
}

TEST_F(SdlJoysticksTest, PositionsAndButtonsOfTheFirstTwoDevicesWithHotPlugging) {
    VirtualDevice first(VirtualDevice::Pad);
    ASSERT_TRUE(first.Ok());
    first.Axes(0, -32768);
    first.Button(1, true);
    JoystickPosition position;
    ASSERT_EQ(sticks.Position(0, position), JoystickResult::Ok);
    EXPECT_EQ(position.x, 32768u);
    EXPECT_EQ(position.y, 0u);
    EXPECT_EQ(position.buttons, 2u);
    EXPECT_EQ(sticks.Position(1, position), JoystickResult::Unplugged);

    VirtualDevice second(VirtualDevice::Pad);  // plugged in while running: becomes id 1
    ASSERT_TRUE(second.Ok());
    second.Axes(32767, 100);
    ASSERT_EQ(sticks.Position(1, position), JoystickResult::Ok);
    EXPECT_EQ(position.x, 65535u);
    EXPECT_EQ(position.buttons, 0u);

    first.Unplug();  // the second stick moves up to id 0, and id 1 is empty
    ASSERT_EQ(sticks.Position(0, position), JoystickResult::Ok);
    EXPECT_EQ(position.x, 65535u);
    EXPECT_EQ(sticks.Position(1, position), JoystickResult::Unplugged);
}

TEST_F(SdlJoysticksTest, TheGameSeesAQuarterDeadZoneAndDropsAnUnpluggedStick) {
    VirtualDevice stick(VirtualDevice::Pad);
    ASSERT_TRUE(stick.Ok());
    ScriptedKeyState keys;
    InputConfig input(keys, sticks);
    EXPECT_EQ(input.Calibration(0).centreX, 32767);
    EXPECT_EQ(input.Calibration(0).deadX, 16383);

    stick.Axes(16383, 0);  // 16384 right of centre: just beyond the dead zone
    EXPECT_EQ(input.Poll().player1, kRunRight);
    stick.Axes(16382, 0);  // exactly at the edge: nothing
    EXPECT_EQ(input.Poll().player1, 0);
    stick.Axes(0, -32768);  // pushed forward
    EXPECT_EQ(input.Poll().player1, kRunForward);
    EXPECT_EQ(input.Player(1).useJoystick1, 1);

    stick.Unplug();
    EXPECT_EQ(input.Poll().player1, 0);
    EXPECT_EQ(input.Player(1).useJoystick1, 0);
}

}  // namespace
}  // namespace vantrell::desktop
