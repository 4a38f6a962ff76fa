#include <gtest/gtest.h>

#include "input/input_config.h"
#include "input_test_support.h"
#include "platform/virtual_keys.h"

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
    Fields PollOneKey(int32_t key, int player) {
        keys.SetDown(key, true);
        polled = config.Poll();
        keys.SetDown(key, false);
        return FieldsOf(player == 1 ? polled.player1 : polled.player2);
    }
};

TEST_F(InputKeys, EachKeyAdjustsItsPairOfFields) {
    EXPECT_EQ(PollOneKey(kKeyLeft, 1), (Fields{0, 0, -1, 1, 0, 1}));
    EXPECT_EQ(PollOneKey(kKeyRight, 1), (Fields{0, 0, 1, -1, 0, 1}));
    EXPECT_EQ(PollOneKey(kKeyUp, 1), (Fields{1, -1, 0, 0, 0, 1}));
    EXPECT_EQ(PollOneKey(kKeyDown, 1), (Fields{-1, 1, 0, 0, 0, 1}));
    EXPECT_EQ(PollOneKey(kKeyA, 2), (Fields{0, 0, -1, 1, 0, 1}));
    EXPECT_EQ(PollOneKey(kKeyD, 2), (Fields{0, 0, 1, -1, 0, 1}));
    EXPECT_EQ(PollOneKey(kKeyW, 2), (Fields{1, -1, 0, 0, 0, 1}));
    EXPECT_EQ(PollOneKey(kKeyS, 2), (Fields{-1, 1, 0, 0, 0, 1}));
    EXPECT_EQ(PollOneKey(kKeyX, 2), (Fields{-1, 1, 0, 0, 0, 1}));
}

TEST_F(InputKeys, ShiftAndCtrlChangeOnlyTheButton) {
    keys.SetDown(kKeyShift, true);
    polled = config.Poll();
    EXPECT_EQ(FieldsOf(polled.player1), (Fields{0, 0, 0, 0, 1, 1}));
    EXPECT_EQ(FieldsOf(polled.player2), (Fields{0, 0, 0, 0, 0, 1}));

    keys.SetDown(kKeyShift, false);
    keys.SetDown(kKeyControl, true);
    polled = config.Poll();  // Shift's latch went at the previous poll
    EXPECT_EQ(FieldsOf(polled.player1), (Fields{0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(FieldsOf(polled.player2), (Fields{0, 0, 0, 0, 1, 1}));
}

TEST_F(InputKeys, OppositeKeysCancel) {
    keys.SetDown(kKeyUp, true);
    keys.SetDown(kKeyDown, true);
    keys.SetDown(kKeyLeft, true);
    keys.SetDown(kKeyRight, true);
    polled = config.Poll();
    EXPECT_EQ(FieldsOf(polled.player1), (Fields{0, 0, 0, 0, 0, 1}));

    // X is a second reverse key, so it outweighs W against S.
    keys.SetDown(kKeyW, true);
    keys.SetDown(kKeyS, true);
    keys.SetDown(kKeyX, true);
    keys.SetDown(kKeyA, true);
    keys.SetDown(kKeyD, true);
    polled = config.Poll();
    EXPECT_EQ(FieldsOf(polled.player2), (Fields{-1, 1, 0, 0, 0, 1}));
}

TEST_F(InputKeys, TappedKeyCountsAtTheNextPollOnce) {
    keys.Tap(kKeyUp);
    keys.Tap(kKeyW);
    polled = config.Poll();
    EXPECT_EQ(FieldsOf(polled.player1)[0], 1);
    EXPECT_EQ(FieldsOf(polled.player2)[0], 1);  // player 1 never asked about W, so the tap survives

    polled = config.Poll();
    EXPECT_EQ(FieldsOf(polled.player1)[0], 0);
    EXPECT_EQ(FieldsOf(polled.player2)[0], 0);

    // Held across polls it keeps counting.
    keys.SetDown(kKeyRight, true);
    polled = config.Poll();
    polled = config.Poll();
    EXPECT_EQ(FieldsOf(polled.player1)[2], 1);
}

TEST_F(InputKeys, EachPlayerReadsOnlyTheFirstKeySetSwitchedOn) {
    test::SetFlag(config, 1, &PlayerAssignment::useLetterKeys,
                  1);  // cursor keys are on too and win
    keys.SetDown(kKeyUp, true);
    keys.SetDown(kKeyA, true);
    polled = config.Poll();
    EXPECT_EQ(FieldsOf(polled.player1), (Fields{1, -1, 0, 0, 0, 1}));
    EXPECT_EQ(keys.QueryCount(kKeyA), 1);  // only player 2 asked

    config.SetAssignment(1, {0, 1, 0, 0});
    polled = config.Poll();
    EXPECT_EQ(FieldsOf(polled.player1), (Fields{0, 0, -1, 1, 0, 1}));
}

TEST_F(InputKeys, PlayerWithNothingAssignedGetsZerosAndLive) {
    config.SetAssignment(2, {0, 0, 0, 0});
    for (int32_t key : {kKeyW, kKeyS, kKeyA, kKeyControl, kKeyUp, kKeyShift}) {
        keys.SetDown(key, true);
    }
    polled = config.Poll();
    EXPECT_EQ(FieldsOf(polled.player2), (Fields{0, 0, 0, 0, 0, 1}));
    polled = config.Poll();
    EXPECT_EQ(FieldsOf(polled.player2), (Fields{0, 0, 0, 0, 0, 1}));
}

}  // namespace
}  // namespace vantrell
