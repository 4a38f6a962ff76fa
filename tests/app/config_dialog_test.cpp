#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/config_dialog.h"
#include "app/tick_timer_state.h"
#include "hosts/headless/headless_host.h"
#include "hosts/headless/scripted_input.h"

namespace vantrell {
namespace {

using Log = std::vector<std::string>;

class ConfigDialogTest : public ::testing::Test {
  protected:
    ConfigDialogTest() {
        // Both joysticks present unless a test says otherwise.
        input.SetJoystickReady(0, true);
        input.SetJoystickReady(1, true);
        dialog.InitMarks();
    }

    // Marks of player 1's four boxes, then player 2's, as a string: "x" marked, "." empty.
    std::string Marks() const {
        std::string marks;
        for (int32_t i = 0; i < ConfigDialog::kBoxCount; ++i) {
            marks += i == 4 ? "|" : "";
            marks += dialog.Marked(static_cast<ConfigBox>(i)) ? 'x' : '.';
        }
        return marks;
    }
    std::string Flags() const {
        std::string flags;
        for (const PlayerAssignment* p : {&input.Player(1), &input.Player(2)}) {
            for (int32_t flag :
                 {p->useCursorKeys, p->useLetterKeys, p->useJoystick1, p->useJoystick2}) {
                flags += flag > 0 ? 'x' : '.';
            }
            flags += '|';
        }
        flags.pop_back();
        return flags;
    }

    ScriptedKeyState keys;
    ScriptedJoysticks sticks;
    InputConfig input{keys, sticks};
    HeadlessTickTimer platform;
    MemorySpeedStore store;
    TickTimerState timer{platform, store};
    ConfigDialog dialog{input, timer};
};

TEST_F(ConfigDialogTest, OpensWithTheDefaultAssignmentAndSpeed) {
    EXPECT_EQ(Marks(), "x.x.|.x..");
    EXPECT_EQ(dialog.SpeedBarPosition(), 16);
    EXPECT_EQ(ConfigDialog::SpeedBarMin(), 16);
    EXPECT_EQ(ConfigDialog::SpeedBarMax(), 96);
}

TEST_F(ConfigDialogTest, KeySetHeldByTheOtherPlayerCannotBeTaken) {
    dialog.Toggle(ConfigBox::CursorKeys2);  // player 1 holds the cursor keys
    EXPECT_EQ(Flags(), "x.x.|.x..");
    EXPECT_EQ(Marks(), "x.x.|.x..");

    dialog.Toggle(ConfigBox::LetterKeys1);  // player 2 holds the letter keys
    EXPECT_EQ(Flags(), "x.x.|.x..");
    EXPECT_EQ(Marks(), "x.x.|.x..");

    dialog.Toggle(ConfigBox::LetterKeys2);  // a marked box clears
    EXPECT_EQ(Flags(), "x.x.|....");
    EXPECT_EQ(Marks(), "x.x.|....");

    // Now free: the click marks it and clears player 1's other key set.
    dialog.Toggle(ConfigBox::LetterKeys1);
    EXPECT_EQ(Flags(), ".xx.|....");
    EXPECT_EQ(Marks(), ".xx.|....");

    dialog.Toggle(ConfigBox::CursorKeys2);
    EXPECT_EQ(Flags(), ".xx.|x...");
    EXPECT_EQ(Marks(), ".xx.|x...");
}

TEST_F(ConfigDialogTest, JoystickChoicesMoveAndRespectReadiness) {
    dialog.Toggle(ConfigBox::Joystick2Of1);  // moves player 1 from joystick 1 to joystick 2
    EXPECT_EQ(Flags(), "x..x|.x..");
    EXPECT_EQ(Marks(), "x..x|.x..");

    dialog.Toggle(ConfigBox::Joystick2Of2);  // player 1 holds it
    EXPECT_EQ(Marks(), "x..x|.x..");
    dialog.Toggle(ConfigBox::Joystick1Of2);  // free and ready
    EXPECT_EQ(Flags(), "x..x|.xx.");
    EXPECT_EQ(Marks(), "x..x|.xx.");

    // A joystick that is not ready can be cleared but not chosen.
    input.SetJoystickReady(0, false);
    dialog.Toggle(ConfigBox::Joystick1Of2);
    EXPECT_EQ(Flags(), "x..x|.x..");
    dialog.Toggle(ConfigBox::Joystick1Of2);
    EXPECT_EQ(Flags(), "x..x|.x..");
    EXPECT_EQ(Marks(), "x..x|.x..");
    // Choosing an unready joystick leaves the player's other joystick alone.
    dialog.Toggle(ConfigBox::Joystick1Of1);
    EXPECT_EQ(Flags(), "x..x|.x..");
}

TEST_F(ConfigDialogTest, FlagLostToThePollShowsOnlyWhenReopened) {
    // The scripted joysticks are unplugged: the poll drops player 1's joystick 1.
    input.Poll();
    EXPECT_EQ(input.Player(1).useJoystick1, 0);
    EXPECT_TRUE(dialog.Marked(ConfigBox::Joystick1Of1));  // the open dialog keeps its mark

    ConfigDialog reopened(input, timer);
    reopened.InitMarks();
    EXPECT_FALSE(reopened.Marked(ConfigBox::Joystick1Of1));
    reopened.Toggle(ConfigBox::Joystick1Of1);  // still ready: it can be marked again
    EXPECT_TRUE(reopened.Marked(ConfigBox::Joystick1Of1));
    EXPECT_EQ(input.Player(1).useJoystick1, 1);
}

TEST_F(ConfigDialogTest, OnlyOkEndsTheDialog) {
    dialog.Toggle(ConfigBox::LetterKeys2);
    dialog.MoveSpeedBar(SpeedBarMove::Other);
    EXPECT_FALSE(dialog.Ended());
    dialog.Ok();
    EXPECT_TRUE(dialog.Ended());
    EXPECT_EQ(Flags(), "x.x.|....");  // closing undoes nothing
}

TEST_F(ConfigDialogTest, SpeedStepsStopAtBothEnds) {
    for (int32_t i = 0; i < 5; ++i) {
        dialog.MoveSpeedBar(SpeedBarMove::Faster);
    }
    EXPECT_EQ(timer.Period(), 16);
    EXPECT_TRUE(timer.PeriodChanged());  // handed on although clamping left it unchanged
    dialog.MoveSpeedBar(SpeedBarMove::Slower);
    EXPECT_EQ(timer.Period(), 17);  // a page is one step too
    for (int32_t i = 0; i < 100; ++i) {
        dialog.MoveSpeedBar(SpeedBarMove::Slower);
    }
    EXPECT_EQ(timer.Period(), 96);
    EXPECT_EQ(dialog.SpeedBarPosition(), 96);
    dialog.MoveSpeedBar(SpeedBarMove::Faster);
    EXPECT_EQ(timer.Period(), 95);
    dialog.MoveSpeedBar(SpeedBarMove::Track, 50);
    EXPECT_EQ(timer.Period(), 50);
    dialog.MoveSpeedBar(SpeedBarMove::Track, 400);
    EXPECT_EQ(timer.Period(), 96);
    dialog.MoveSpeedBar(SpeedBarMove::Track, 3);
    EXPECT_EQ(timer.Period(), 16);
    EXPECT_EQ(dialog.SpeedBarPosition(), 16);
}

TEST_F(ConfigDialogTest, SpeedMessagesWithoutMovementLeaveThePeriod) {
    store.value = 30;  // stored by an earlier run, so nothing is left to store
    timer.LoadTickPeriod();
    dialog.MoveSpeedBar(SpeedBarMove::Other, 80);
    EXPECT_EQ(timer.Period(), 30);
    EXPECT_FALSE(timer.PeriodChanged());
    EXPECT_EQ(dialog.SpeedBarPosition(), 30);
}

TEST_F(ConfigDialogTest, EveryScrollMessageRestartsARunningTimer) {
    timer.StartTickTimer();
    platform.ClearLog();
    dialog.MoveSpeedBar(SpeedBarMove::Slower);
    dialog.MoveSpeedBar(SpeedBarMove::Other);  // even a message that moves nothing
    dialog.MoveSpeedBar(SpeedBarMove::Faster);
    EXPECT_EQ(platform.Log(), (Log{"stop", "start 17", "stop", "start 17", "stop", "start 16"}));
    EXPECT_EQ(timer.Running(), true);
}

TEST_F(ConfigDialogTest, ScrollingWhileStoppedOnlyChangesThePeriod) {
    dialog.MoveSpeedBar(SpeedBarMove::Slower);
    dialog.MoveSpeedBar(SpeedBarMove::Slower);
    EXPECT_EQ(timer.Period(), 18);
    EXPECT_EQ(timer.Running(), false);
    EXPECT_TRUE(platform.Log().empty());
    timer.StartTickTimer();
    EXPECT_EQ(platform.Period(), 18);
}

}  // namespace
}  // namespace vantrell
