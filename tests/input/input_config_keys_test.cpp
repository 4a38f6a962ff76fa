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

    // One poll with only this key held; the key is released again afterwards.
    Fields PollOneKey(int32_t key, const ControlState& player) {
        keys.SetDown(key, true);
        config.Poll();
        keys.SetDown(key, false);
        return FieldsOf(player);
    }
};

TEST_F(InputKeys, EachKeyAdjustsItsPairOfFields) {
    EXPECT_EQ(PollOneKey(kKeyLeft, config.controls1), (Fields{0, 0, -1, 1, 0, 1}));
    EXPECT_EQ(PollOneKey(kKeyRight, config.controls1), (Fields{0, 0, 1, -1, 0, 1}));
    EXPECT_EQ(PollOneKey(kKeyUp, config.controls1), (Fields{1, -1, 0, 0, 0, 1}));
    EXPECT_EQ(PollOneKey(kKeyDown, config.controls1), (Fields{-1, 1, 0, 0, 0, 1}));
    EXPECT_EQ(PollOneKey(kKeyA, config.controls2), (Fields{0, 0, -1, 1, 0, 1}));
    EXPECT_EQ(PollOneKey(kKeyD, config.controls2), (Fields{0, 0, 1, -1, 0, 1}));
    EXPECT_EQ(PollOneKey(kKeyW, config.controls2), (Fields{1, -1, 0, 0, 0, 1}));
    EXPECT_EQ(PollOneKey(kKeyS, config.controls2), (Fields{-1, 1, 0, 0, 0, 1}));
    EXPECT_EQ(PollOneKey(kKeyX, config.controls2), (Fields{-1, 1, 0, 0, 0, 1}));
}

TEST_F(InputKeys, ShiftAndCtrlChangeOnlyTheButton) {
    keys.SetDown(kKeyShift, true);
    config.Poll();
    EXPECT_EQ(FieldsOf(config.controls1), (Fields{0, 0, 0, 0, 1, 1}));
    EXPECT_EQ(FieldsOf(config.controls2), (Fields{0, 0, 0, 0, 0, 1}));

    keys.SetDown(kKeyShift, false);
    keys.SetDown(kKeyControl, true);
    config.Poll();  // Shift's latch went at the previous poll
    EXPECT_EQ(FieldsOf(config.controls1), (Fields{0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(FieldsOf(config.controls2), (Fields{0, 0, 0, 0, 1, 1}));
}

TEST_F(InputKeys, OppositeKeysCancel) {
    keys.SetDown(kKeyUp, true);
    keys.SetDown(kKeyDown, true);
    keys.SetDown(kKeyLeft, true);
    keys.SetDown(kKeyRight, true);
    config.Poll();
    EXPECT_EQ(FieldsOf(config.controls1), (Fields{0, 0, 0, 0, 0, 1}));

    // X is a second reverse key, so it outweighs W against S.
    keys.SetDown(kKeyW, true);
    keys.SetDown(kKeyS, true);
    keys.SetDown(kKeyX, true);
    keys.SetDown(kKeyA, true);
    keys.SetDown(kKeyD, true);
    config.Poll();
    EXPECT_EQ(FieldsOf(config.controls2), (Fields{-1, 1, 0, 0, 0, 1}));
}

TEST_F(InputKeys, TappedKeyCountsAtTheNextPollOnce) {
    keys.Tap(kKeyUp);
    keys.Tap(kKeyW);
    config.Poll();
    EXPECT_EQ(config.controls1.forward, 1);
    EXPECT_EQ(config.controls2.forward, 1);  // player 1 never asked about W, so the tap survives

    config.Poll();
    EXPECT_EQ(config.controls1.forward, 0);
    EXPECT_EQ(config.controls2.forward, 0);

    // Held across polls it keeps counting.
    keys.SetDown(kKeyRight, true);
    config.Poll();
    config.Poll();
    EXPECT_EQ(config.controls1.right, 1);
}

TEST_F(InputKeys, EachPlayerReadsOnlyTheFirstKeySetSwitchedOn) {
    config.player1.useLetterKeys = 1;  // cursor keys are on too and win
    keys.SetDown(kKeyUp, true);
    keys.SetDown(kKeyA, true);
    config.Poll();
    EXPECT_EQ(FieldsOf(config.controls1), (Fields{1, -1, 0, 0, 0, 1}));
    EXPECT_EQ(keys.QueryCount(kKeyA), 1);  // only player 2 asked

    config.player1 = {0, 1, 0, 0};
    config.Poll();
    EXPECT_EQ(FieldsOf(config.controls1), (Fields{0, 0, -1, 1, 0, 1}));
}

TEST_F(InputKeys, PlayerWithNothingAssignedGetsZerosAndLive) {
    config.player2 = {0, 0, 0, 0};
    for (int32_t key : {kKeyW, kKeyS, kKeyA, kKeyControl, kKeyUp, kKeyShift}) {
        keys.SetDown(key, true);
    }
    config.controls2 = {5, 5, 5, 5, 5, 0};
    config.Poll();
    EXPECT_EQ(FieldsOf(config.controls2), (Fields{0, 0, 0, 0, 0, 1}));
    config.Poll();
    EXPECT_EQ(FieldsOf(config.controls2), (Fields{0, 0, 0, 0, 0, 1}));
}

TEST_F(InputKeys, EveryPollRestoresLive) {
    config.controls1.live = 0;
    config.controls2.live = 0;
    config.player1 = {0, 0, 0, 0};
    config.Poll();
    EXPECT_EQ(config.controls1.live, 1);
    EXPECT_EQ(config.controls2.live, 1);
}

}  // namespace
}  // namespace vantrell
