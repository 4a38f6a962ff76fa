#include <gtest/gtest.h>

#include "input/input_config.h"
#include "input_test_support.h"
#include "platform/key_state.h"

namespace vantrell {
namespace {

using test::Fields;
using test::FieldsOf;

// Default assignment: player 1 on the cursor keys, player 2 on the letter keys, no joysticks.
class InputKeys : public ::testing::Test {
  protected:
    ScriptedKeyState keys;
    ScriptedJoysticks sticks;
    InputConfig config{keys, sticks};
    TickInput polled;

    // One poll with only this key held; the key is released again afterwards.
    Fields PollOneKey(Key key, int player) {
        keys.SetDown(key, true);
        polled = config.Poll();
        keys.SetDown(key, false);
        return FieldsOf(player == 1 ? polled.player1 : polled.player2);
    }
};

TEST_F(InputKeys, EachKeyAdjustsItsPairOfFields) {
    EXPECT_EQ(PollOneKey(Key::Left, 1), (Fields{0, 0, -1, 1, 0, 1}));
    EXPECT_EQ(PollOneKey(Key::Right, 1), (Fields{0, 0, 1, -1, 0, 1}));
    EXPECT_EQ(PollOneKey(Key::Up, 1), (Fields{1, -1, 0, 0, 0, 1}));
    EXPECT_EQ(PollOneKey(Key::Down, 1), (Fields{-1, 1, 0, 0, 0, 1}));
    EXPECT_EQ(PollOneKey(Key::A, 2), (Fields{0, 0, -1, 1, 0, 1}));
    EXPECT_EQ(PollOneKey(Key::D, 2), (Fields{0, 0, 1, -1, 0, 1}));
    EXPECT_EQ(PollOneKey(Key::W, 2), (Fields{1, -1, 0, 0, 0, 1}));
    EXPECT_EQ(PollOneKey(Key::S, 2), (Fields{-1, 1, 0, 0, 0, 1}));
    EXPECT_EQ(PollOneKey(Key::X, 2), (Fields{-1, 1, 0, 0, 0, 1}));
}

TEST_F(InputKeys, ShiftAndCtrlChangeOnlyTheButton) {
    keys.SetDown(Key::Shift, true);
    polled = config.Poll();
    EXPECT_EQ(FieldsOf(polled.player1), (Fields{0, 0, 0, 0, 1, 1}));
    EXPECT_EQ(FieldsOf(polled.player2), (Fields{0, 0, 0, 0, 0, 1}));

    keys.SetDown(Key::Shift, false);
    keys.SetDown(Key::Control, true);
    polled = config.Poll();  // Shift's latch went at the previous poll
    EXPECT_EQ(FieldsOf(polled.player1), (Fields{0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(FieldsOf(polled.player2), (Fields{0, 0, 0, 0, 1, 1}));
}

TEST_F(InputKeys, OppositeKeysCancel) {
    keys.SetDown(Key::Up, true);
    keys.SetDown(Key::Down, true);
    keys.SetDown(Key::Left, true);
    keys.SetDown(Key::Right, true);
    polled = config.Poll();
    EXPECT_EQ(FieldsOf(polled.player1), (Fields{0, 0, 0, 0, 0, 1}));

    // X is a second reverse key, so it outweighs W against S.
    keys.SetDown(Key::W, true);
    keys.SetDown(Key::S, true);
    keys.SetDown(Key::X, true);
    keys.SetDown(Key::A, true);
    keys.SetDown(Key::D, true);
    polled = config.Poll();
    EXPECT_EQ(FieldsOf(polled.player2), (Fields{-1, 1, 0, 0, 0, 1}));
}

TEST_F(InputKeys, TappedKeyCountsAtTheNextPollOnce) {
    keys.Tap(Key::Up);
    keys.Tap(Key::W);
    polled = config.Poll();
    EXPECT_EQ(FieldsOf(polled.player1)[0], 1);
    EXPECT_EQ(FieldsOf(polled.player2)[0], 1);  // player 1 never asked about W, so the tap survives

    polled = config.Poll();
    EXPECT_EQ(FieldsOf(polled.player1)[0], 0);
    EXPECT_EQ(FieldsOf(polled.player2)[0], 0);

    // Held across polls it keeps counting.
    keys.SetDown(Key::Right, true);
    polled = config.Poll();
    polled = config.Poll();
    EXPECT_EQ(FieldsOf(polled.player1)[2], 1);
}

TEST_F(InputKeys, EachPlayerReadsOnlyTheFirstKeySetSwitchedOn) {
    test::SetFlag(config, 1, &PlayerAssignment::useLetterKeys,
                  1);  // cursor keys are on too and win
    keys.SetDown(Key::Up, true);
    keys.SetDown(Key::A, true);
    polled = config.Poll();
    EXPECT_EQ(FieldsOf(polled.player1), (Fields{1, -1, 0, 0, 0, 1}));
    EXPECT_EQ(keys.QueryCount(Key::A), 1);  // only player 2 asked

    config.SetAssignment(1, {0, 1, 0, 0});
    polled = config.Poll();
    EXPECT_EQ(FieldsOf(polled.player1), (Fields{0, 0, -1, 1, 0, 1}));
}

TEST_F(InputKeys, PlayerWithNothingAssignedGetsZerosAndLive) {
    config.SetAssignment(2, {0, 0, 0, 0});
    for (Key key : {Key::W, Key::S, Key::A, Key::Control, Key::Up, Key::Shift}) {
        keys.SetDown(key, true);
    }
    polled = config.Poll();
    EXPECT_EQ(FieldsOf(polled.player2), (Fields{0, 0, 0, 0, 0, 1}));
    polled = config.Poll();
    EXPECT_EQ(FieldsOf(polled.player2), (Fields{0, 0, 0, 0, 0, 1}));
}

}  // namespace
}  // namespace vantrell
