#include <gtest/gtest.h>

#include "hosts/headless/scripted_input.h"
#include "platform/key_state.h"

namespace vantrell {
namespace {

TEST(InputScripted, KeysLatchLikeARealKeyboard) {
    ScriptedKeyState keys;
    EXPECT_FALSE(keys.DownOrPressedSinceLastAsked(Key::Up));

    keys.Tap(Key::Up);
    EXPECT_TRUE(keys.DownOrPressedSinceLastAsked(Key::Up));
    EXPECT_FALSE(keys.DownOrPressedSinceLastAsked(Key::Up));

    keys.SetDown(Key::Up, true);
    EXPECT_TRUE(keys.DownOrPressedSinceLastAsked(Key::Up));
    EXPECT_TRUE(keys.DownOrPressedSinceLastAsked(Key::Up));
    EXPECT_FALSE(keys.DownOrPressedSinceLastAsked(Key::Down));  // keys are independent
    keys.SetDown(Key::Up, false);
    EXPECT_FALSE(keys.DownOrPressedSinceLastAsked(Key::Up));

    // Pressed and released before anyone asked: still seen once.
    keys.SetDown(Key::W, true);
    keys.ReleaseAll();
    EXPECT_TRUE(keys.DownOrPressedSinceLastAsked(Key::W));
    EXPECT_FALSE(keys.DownOrPressedSinceLastAsked(Key::W));

    EXPECT_EQ(keys.QueryCount(Key::W), 2);
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
