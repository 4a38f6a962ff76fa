#include <gtest/gtest.h>

#include "hosts/headless/scripted_input.h"
#include "platform/virtual_keys.h"

namespace vantrell {
namespace {

TEST(InputScripted, KeysLatchLikeARealKeyboard) {
    ScriptedKeyState keys;
    EXPECT_FALSE(keys.DownOrPressedSinceLastAsked(kKeyUp));

    keys.Tap(kKeyUp);
    EXPECT_TRUE(keys.DownOrPressedSinceLastAsked(kKeyUp));
    EXPECT_FALSE(keys.DownOrPressedSinceLastAsked(kKeyUp));

    keys.SetDown(kKeyUp, true);
    EXPECT_TRUE(keys.DownOrPressedSinceLastAsked(kKeyUp));
    EXPECT_TRUE(keys.DownOrPressedSinceLastAsked(kKeyUp));
    EXPECT_FALSE(keys.DownOrPressedSinceLastAsked(kKeyDown));  // keys are independent
    keys.SetDown(kKeyUp, false);
    EXPECT_FALSE(keys.DownOrPressedSinceLastAsked(kKeyUp));

    // Pressed and released before anyone asked: still seen once.
    keys.SetDown(kKeyW, true);
    keys.ReleaseAll();
    EXPECT_TRUE(keys.DownOrPressedSinceLastAsked(kKeyW));
    EXPECT_FALSE(keys.DownOrPressedSinceLastAsked(kKeyW));

    keys.SetDown(-1, true);
    keys.SetDown(kKeyCount, true);
    EXPECT_FALSE(keys.DownOrPressedSinceLastAsked(-1));
    EXPECT_FALSE(keys.DownOrPressedSinceLastAsked(kKeyCount));
    EXPECT_EQ(keys.QueryCount(kKeyW), 2);
}

TEST(InputScripted, JoysticksStartUnpluggedAndReportWhatWasScripted) {
    ScriptedJoysticks sticks;
    JoystickCaps caps;
    JoystickPosition pos;
    EXPECT_EQ(sticks.Capabilities(0, caps), JoystickResult::Unplugged);
    EXPECT_EQ(sticks.Position(1, pos), JoystickResult::Unplugged);
    EXPECT_EQ(sticks.Position(2, pos), JoystickResult::Unplugged);

    sticks.SetCapabilities(1, JoystickResult::Ok, {1, 2, 3, 4});
    EXPECT_EQ(sticks.Capabilities(1, caps), JoystickResult::Ok);
    EXPECT_EQ(caps.xMin + caps.xMax * 10 + caps.yMin * 100 + caps.yMax * 1000, 4321u);

    sticks.SetPosition(0, {7, 8, 9}, JoystickResult::NoDriver);
    EXPECT_EQ(sticks.Position(0, pos), JoystickResult::NoDriver);
    sticks.SetPosition(0, {7, 8, 9});
    EXPECT_EQ(sticks.Position(0, pos), JoystickResult::Ok);
    EXPECT_EQ(pos.x + pos.y * 10 + pos.buttons * 100, 987u);

    EXPECT_EQ(sticks.CapabilityQueries(), (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(sticks.PositionQueryCount(0), 2);
    EXPECT_EQ(sticks.PositionQueryCount(1), 1);
}

}  // namespace
}  // namespace vantrell
