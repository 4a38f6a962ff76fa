#include <gtest/gtest.h>

#include <optional>

#include "input/input_config.h"
#include "input_test_support.h"
#include "platform/key_state.h"

namespace vantrell {
namespace {

using test::Fields;
using test::FieldsOf;
using test::kCentre;
using test::kDead;

// Joysticks are calibrated in the constructor, so each test scripts them first.
class InputJoystick : public ::testing::Test {
  protected:
    ScriptedKeyState keys;
    ScriptedJoysticks sticks;
    std::optional<InputConfig> config;
    TickInput polled;

    InputConfig& Start() {
        config.emplace(keys, sticks);
        return *config;
    }
    Fields PollStick(int32_t id, uint32_t x, uint32_t y, int player) {
        sticks.SetPosition(id, {x, y, 0});
        polled = config->Poll();
        return FieldsOf(player == 1 ? polled.player1 : polled.player2);
    }
};

TEST_F(InputJoystick, DeadZoneIsExclusiveOnEverySide) {
    test::PlugCentred(sticks, 0);
    Start();
    const int p1 = 1;
    EXPECT_EQ(PollStick(0, kCentre + kDead, kCentre, p1), (Fields{0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(PollStick(0, kCentre + kDead + 1, kCentre, p1), (Fields{0, 0, 1, -1, 0, 1}));
    EXPECT_EQ(PollStick(0, kCentre - kDead, kCentre, p1), (Fields{0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(PollStick(0, kCentre - kDead - 1, kCentre, p1), (Fields{0, 0, -1, 1, 0, 1}));
    // Pulled back (y above centre) is reverse.
    EXPECT_EQ(PollStick(0, kCentre, kCentre + kDead, p1), (Fields{0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(PollStick(0, kCentre, kCentre + kDead + 1, p1), (Fields{-1, 1, 0, 0, 0, 1}));
    EXPECT_EQ(PollStick(0, kCentre, kCentre - kDead, p1), (Fields{0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(PollStick(0, kCentre, kCentre - kDead - 1, p1), (Fields{1, -1, 0, 0, 0, 1}));
    // The far corners: x and y at 0 must read as negative offsets, not huge unsigned ones.
    EXPECT_EQ(PollStick(0, 0, 0, p1), (Fields{1, -1, -1, 1, 0, 1}));
    EXPECT_EQ(PollStick(0, 65535, 65535, p1), (Fields{-1, 1, 1, -1, 0, 1}));
}

TEST_F(InputJoystick, StickAddsToTheKeys) {
    test::PlugCentred(sticks, 0);
    InputConfig& c = Start();  // player 1 by default: cursor keys and joystick 1
    keys.SetDown(Key::Up, true);
    EXPECT_EQ(PollStick(0, kCentre, 0, 1), (Fields{1, -1, 0, 0, 0, 1}));
    EXPECT_EQ(PollStick(0, kCentre, 65535, 1), (Fields{0, 0, 0, 0, 0, 1}));

    // Any number of buttons counts once, on top of Shift.
    keys.SetDown(Key::Up, false);
    keys.SetDown(Key::Shift, true);
    sticks.SetPosition(0, {kCentre, kCentre, 0b1011});
    polled = c.Poll();
    EXPECT_EQ(FieldsOf(polled.player1), (Fields{0, 0, 0, 0, 1, 1}));
}

TEST_F(InputJoystick, LostJoystickSwitchesTheFlagOffForGood) {
    for (JoystickResult lost : {JoystickResult::Unplugged, JoystickResult::NoDriver}) {
        test::PlugCentred(sticks, 0);
        InputConfig& c = Start();
        // A failing read must not use whatever the driver left in the position.
        sticks.SetPosition(0, {0, 0, 1}, lost);
        polled = c.Poll();
        EXPECT_EQ(c.Player(1).useJoystick1, 0);
        EXPECT_EQ(FieldsOf(polled.player1), (Fields{0, 0, 0, 0, 0, 1}));

        // Plugged in again, it stays unread until the player picks it again.
        const int32_t reads = sticks.PositionQueryCount(0);
        sticks.SetPosition(0, {0, 0, 1});
        polled = c.Poll();
        EXPECT_EQ(c.Player(1).useJoystick1, 0);
        EXPECT_EQ(sticks.PositionQueryCount(0), reads);
        EXPECT_EQ(FieldsOf(polled.player1), (Fields{0, 0, 0, 0, 0, 1}));
        EXPECT_EQ(c.JoystickReady(0), 1);

        test::SetFlag(c, 1, &PlayerAssignment::useJoystick1, 1);
        polled = c.Poll();
        EXPECT_EQ(FieldsOf(polled.player1), (Fields{1, -1, -1, 1, 1, 1}));
    }
}

TEST_F(InputJoystick, OtherErrorKeepsTheFlagOnAndChangesNothing) {
    test::PlugCentred(sticks, 1);
    InputConfig& c = Start();
    test::SetFlag(c, 2, &PlayerAssignment::useJoystick2, 1);
    sticks.SetPosition(1, {0, 0, 1}, JoystickResult::OtherError);
    polled = c.Poll();
    EXPECT_EQ(c.Player(2).useJoystick2, 1);
    EXPECT_EQ(FieldsOf(polled.player2), (Fields{0, 0, 0, 0, 0, 1}));

    sticks.SetPosition(1, {0, 0, 0});
    polled = c.Poll();
    EXPECT_EQ(FieldsOf(polled.player2), (Fields{1, -1, -1, 1, 0, 1}));
}

TEST_F(InputJoystick, FirstJoystickFlagOfAPairWins) {
    test::PlugCentred(sticks, 0);
    sticks.SetPosition(1, {0, 0, 1}, JoystickResult::Unplugged);
    InputConfig& c = Start();
    test::SetFlag(c, 1, &PlayerAssignment::useJoystick2, 1);
    polled = c.Poll();
    EXPECT_EQ(sticks.PositionQueryCount(0), 1);
    EXPECT_EQ(sticks.PositionQueryCount(1), 0);
    EXPECT_EQ(c.Player(1).useJoystick2, 1);  // never read, so never switched off

    // Player 2 reads joystick 2 for itself.
    test::PlugCentred(sticks, 1);
    sticks.SetPosition(1, {65535, kCentre, 0});
    test::SetFlag(c, 2, &PlayerAssignment::useJoystick2, 1);
    polled = c.Poll();
    EXPECT_EQ(FieldsOf(polled.player1), (Fields{0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(FieldsOf(polled.player2), (Fields{0, 0, 1, -1, 0, 1}));
}

TEST_F(InputJoystick, StartsWithTheDefaultAssignment) {
    InputConfig& c = Start();
    EXPECT_EQ(c.JoystickReady(0), 1);
    EXPECT_EQ(c.JoystickReady(1), 1);
    EXPECT_EQ(
        (Fields{c.Player(1).useCursorKeys, c.Player(1).useLetterKeys, c.Player(1).useJoystick1,
                c.Player(1).useJoystick2, c.Player(2).useCursorKeys, c.Player(2).useLetterKeys}),
        (Fields{1, 0, 1, 0, 0, 1}));
    EXPECT_EQ(c.Player(2).useJoystick1, 0);
    EXPECT_EQ(c.Player(2).useJoystick2, 0);
    EXPECT_EQ(FieldsOf(polled.player1), (Fields{0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(FieldsOf(polled.player2), (Fields{0, 0, 0, 0, 0, 1}));

    // With no joystick at all, player 1 loses the joystick at the first tick.
    polled = c.Poll();
    EXPECT_EQ(c.Player(1).useJoystick1, 0);
    EXPECT_EQ(c.Player(1).useCursorKeys, 1);
}

using InputCalibration = InputJoystick;

TEST_F(InputCalibration, SecondJoystickFirstAndRangesRoundedDown) {
    sticks.SetCapabilities(0, JoystickResult::Ok, {3, 10, 5, 20});
    sticks.SetCapabilities(1, JoystickResult::Ok, {0, 0xFFFFFFFFu, 100, 100});
    InputConfig& c = Start();
    EXPECT_EQ(sticks.CapabilityQueries(), (std::vector<int32_t>{1, 0}));

    const JoystickCalibration& c0 = c.Calibration(0);
    EXPECT_EQ((Fields{c0.centreX, c0.centreY, c0.deadX, c0.deadY, 0, 0}),
              (Fields{6, 12, 1, 3, 0, 0}));  // 13/2, 25/2, 7/4, 15/4
    // The full unsigned range: treated as signed the centre would come out 0 or -1.
    const JoystickCalibration& c1 = c.Calibration(1);
    EXPECT_EQ((Fields{c1.centreX, c1.centreY, c1.deadX, c1.deadY, 0, 0}),
              (Fields{0x7FFFFFFF, 100, 0x3FFFFFFF, 0, 0, 0}));
}

TEST_F(InputCalibration, FailedCapabilitiesGiveACentredRange) {
    // The driver hands out a lopsided range with the failure; it must not be used.
    sticks.SetCapabilities(0, JoystickResult::OtherError, {60000, 65535, 60000, 65535});
    sticks.SetPosition(0, {kCentre, kCentre, 0});
    InputConfig& c = Start();
    const JoystickCalibration& c0 = c.Calibration(0);
    EXPECT_EQ((Fields{c0.centreX, c0.centreY, c0.deadX, c0.deadY, 0, 0}),
              (Fields{32767, 32767, 16383, 16383, 0, 0}));
    polled = c.Poll();
    EXPECT_EQ(FieldsOf(polled.player1), (Fields{0, 0, 0, 0, 0, 1}));
}

}  // namespace
}  // namespace vantrell

namespace vantrell {
namespace {

// Pad buttons a player bound: set 1's forward on A counts on player 1's pad only while player 1
// drives with set 1, and pause and retry follow their buttons, no longer Start and Back.
TEST(InputPadBindings, BoundButtonsDriveAndActInPlaceOfTheDefaults) {
    ScriptedKeyState keys;
    ScriptedJoysticks sticks;
    test::PlugCentred(sticks, 0);
    InputConfig input(keys, sticks);
    KeyBindings bindings = KeyBindings::Defaults();
    ASSERT_TRUE(bindings.Add(BoundAction::Set1Forward, Binding::OfPad(PadButton::A)));
    bindings.Clear(BoundAction::Pause);
    bindings.Clear(BoundAction::Retry);
    ASSERT_TRUE(bindings.Add(BoundAction::Pause, Binding::OfPad(PadButton::Y)));
    ASSERT_TRUE(bindings.Add(BoundAction::Retry, Binding::OfPad(PadButton::B)));
    EXPECT_FALSE(bindings.Add(BoundAction::Set2Button, Binding::OfPad(PadButton::A)));
    input.SetBindings(bindings);

    const auto press = [&](uint32_t buttons, bool back) {
        sticks.SetPosition(0, {test::kCentre, test::kCentre, buttons, back});
        sticks.SetStartDown(0, false);
    };
    press(PadBit(PadButton::A), false);
    EXPECT_EQ(test::FieldsOf(input.Poll().player1), (test::Fields{1, -1, 0, 0, 1, 1}));
    press(0, true);  // Back: no longer retry
    input.Poll();
    EXPECT_FALSE(input.TakeRetryRequest());
    press(PadBit(PadButton::B), false);
    input.Poll();
    EXPECT_TRUE(input.TakeRetryRequest());
    sticks.SetStartDown(0, true);  // Start: no longer pause
    EXPECT_FALSE(input.TakePauseRequest());
    press(PadBit(PadButton::Y), false);
    EXPECT_TRUE(input.TakePauseRequest());
    EXPECT_FALSE(input.TakePauseRequest()) << "held, not pressed again";

    // Driving with set 2, player 1's A is only a button.
    input.Choose(2, Device::LetterKeys);  // player 2 lets go of set 2
    input.Choose(1, Device::LetterKeys);
    ASSERT_TRUE(input.Uses(1, Device::LetterKeys));
    press(PadBit(PadButton::A), false);
    EXPECT_EQ(test::FieldsOf(input.Poll().player1), (test::Fields{0, 0, 0, 0, 1, 1}));
}

}  // namespace
}  // namespace vantrell
