#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/tick_timer_state.h"
#include "app/config_dialog.h"
#include "hosts/headless/headless_host.h"
#include "hosts/headless/scripted_input.h"

namespace vantrell {
namespace {

using Log = std::vector<std::string>;

class ConfigDialogTest : public ::testing::Test {
  protected:
    ConfigDialogTest() {
        // Both joysticks present unless a test says otherwise.
        input.joystickReady[0] = 1;
        input.joystickReady[1] = 1;
        dialog.InitMarks();
    }

    // Marks of boxes 101..104 and 106..109 as a string, "x" marked, "." empty.
    std::string Marks() const {
        std::string marks;
        for (int32_t id : {101, 102, 103, 104, 0, 106, 107, 108, 109}) {
            marks += id == 0 ? '|' : (dialog.Marked(id) ? 'x' : '.');
        }
        return marks;
    }
    std::string Flags() const {
        std::string flags;
        for (const PlayerAssignment* p : {&input.player1, &input.player2}) {
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
    EXPECT_FALSE(dialog.Marked(100));
    EXPECT_FALSE(dialog.Marked(105));
}

TEST_F(ConfigDialogTest, KeySetHeldByTheOtherPlayerCannotBeTaken) {
    dialog.Click(ConfigIdCursorKeys2);  // player 1 holds the cursor keys
    EXPECT_EQ(Flags(), "x.x.|.x..");
    EXPECT_EQ(Marks(), "x.x.|.x..");

    dialog.Click(ConfigIdLetterKeys1);  // player 2 holds the letter keys
    EXPECT_EQ(Flags(), "x.x.|.x..");
    EXPECT_EQ(Marks(), "x.x.|.x..");

    dialog.Click(ConfigIdLetterKeys2);  // a marked box clears
    EXPECT_EQ(Flags(), "x.x.|....");
    EXPECT_EQ(Marks(), "x.x.|....");

    // Now free: the click marks it and clears player 1's other key set.
    dialog.Click(ConfigIdLetterKeys1);
    EXPECT_EQ(Flags(), ".xx.|....");
    EXPECT_EQ(Marks(), ".xx.|....");

    dialog.Click(ConfigIdCursorKeys2);
    EXPECT_EQ(Flags(), ".xx.|x...");
    EXPECT_EQ(Marks(), ".xx.|x...");
}

TEST_F(ConfigDialogTest, JoystickChoicesMoveAndRespectReadiness) {
    dialog.Click(ConfigIdJoystick2Of1);  // moves player 1 from joystick 1 to joystick 2
    EXPECT_EQ(Flags(), "x..x|.x..");
    EXPECT_EQ(Marks(), "x..x|.x..");

    dialog.Click(ConfigIdJoystick2Of2);  // player 1 holds it
    EXPECT_EQ(Marks(), "x..x|.x..");
    dialog.Click(ConfigIdJoystick1Of2);  // free and ready
    EXPECT_EQ(Flags(), "x..x|.xx.");
    EXPECT_EQ(Marks(), "x..x|.xx.");

    // A joystick that is not ready can be cleared but not chosen.
    input.joystickReady[0] = 0;
    dialog.Click(ConfigIdJoystick1Of2);
    EXPECT_EQ(Flags(), "x..x|.x..");
    dialog.Click(ConfigIdJoystick1Of2);
    EXPECT_EQ(Flags(), "x..x|.x..");
    EXPECT_EQ(Marks(), "x..x|.x..");
    // Choosing an unready joystick leaves the player's other joystick alone.
    dialog.Click(ConfigIdJoystick1Of1);
    EXPECT_EQ(Flags(), "x..x|.x..");
}

TEST_F(ConfigDialogTest, FlagLostToThePollShowsOnlyWhenReopened) {
    // The scripted joysticks are unplugged: the poll drops player 1's joystick 1.
    input.Poll();
    EXPECT_EQ(input.player1.useJoystick1, 0);
    EXPECT_TRUE(dialog.Marked(ConfigIdJoystick1Of1));  // the open dialog keeps its mark

    ConfigDialog reopened(input, timer);
    reopened.InitMarks();
    EXPECT_FALSE(reopened.Marked(ConfigIdJoystick1Of1));
    reopened.Click(ConfigIdJoystick1Of1);  // still ready: it can be marked again
    EXPECT_TRUE(reopened.Marked(ConfigIdJoystick1Of1));
    EXPECT_EQ(input.player1.useJoystick1, 1);
}

TEST_F(ConfigDialogTest, OnlyOkEndsTheDialog) {
    for (int32_t id : {2, 0, 100, 105, 110, 999, -1}) {
        EXPECT_FALSE(dialog.Click(id)) << id;
    }
    EXPECT_FALSE(dialog.ended);
    EXPECT_EQ(Flags(), "x.x.|.x..");
    EXPECT_TRUE(dialog.Click(ConfigIdOk));
    EXPECT_TRUE(dialog.ended);
    EXPECT_EQ(dialog.result, 1);
}

TEST_F(ConfigDialogTest, SpeedStepsStopAtBothEnds) {
    for (int32_t i = 0; i < 5; ++i) {
        dialog.Scroll(ScrollLineLeft, 0);
    }
    EXPECT_EQ(timer.tickPeriod, 16);
    EXPECT_EQ(timer.periodChanged, 1);  // handed on although clamping left it unchanged
    dialog.Scroll(ScrollPageRight, 0);
    EXPECT_EQ(timer.tickPeriod, 17);  // a page is one step too
    for (int32_t i = 0; i < 100; ++i) {
        dialog.Scroll(ScrollLineRight, 0);
    }
    EXPECT_EQ(timer.tickPeriod, 96);
    EXPECT_EQ(dialog.SpeedBarPosition(), 96);
    dialog.Scroll(ScrollPageLeft, 0);
    EXPECT_EQ(timer.tickPeriod, 95);
    dialog.Scroll(ScrollThumbTrack, 50);
    EXPECT_EQ(timer.tickPeriod, 50);
    dialog.Scroll(ScrollThumbTrack, 400);
    EXPECT_EQ(timer.tickPeriod, 96);
    dialog.Scroll(ScrollThumbTrack, 3);
    EXPECT_EQ(timer.tickPeriod, 16);
    EXPECT_EQ(dialog.SpeedBarPosition(), 16);
}

TEST_F(ConfigDialogTest, SpeedCodesWithoutMovementLeaveThePeriod) {
    timer.tickPeriod = 30;
    for (int32_t code : std::initializer_list<int32_t>{ScrollThumbPosition, ScrollLeftEnd,
                                                       ScrollRightEnd, ScrollEndScroll, 9, -1}) {
        dialog.Scroll(code, 80);
    }
    EXPECT_EQ(timer.tickPeriod, 30);
    EXPECT_EQ(timer.periodChanged, 0);
    EXPECT_EQ(dialog.SpeedBarPosition(), 30);
}

TEST_F(ConfigDialogTest, EveryScrollMessageRestartsARunningTimer) {
    timer.StartTickTimer();
    platform.ClearLog();
    dialog.Scroll(ScrollLineRight, 0);
    dialog.Scroll(ScrollEndScroll, 0);  // even a message that moves nothing
    dialog.Scroll(ScrollLineLeft, 0);
    EXPECT_EQ(platform.Log(), (Log{"stop", "start 17", "stop", "start 17", "stop", "start 16"}));
    EXPECT_EQ(timer.timerId, 3);
}

TEST_F(ConfigDialogTest, ScrollingWhileStoppedOnlyChangesThePeriod) {
    dialog.Scroll(ScrollLineRight, 0);
    dialog.Scroll(ScrollLineRight, 0);
    EXPECT_EQ(timer.tickPeriod, 18);
    EXPECT_EQ(timer.timerId, 0);
    EXPECT_TRUE(platform.Log().empty());
    timer.StartTickTimer();
    EXPECT_EQ(platform.Period(), 18);
}

TEST(ConfigDialogTemplate, ChecksBoxesInBothColumnsWithMatchingLabels) {
    const ConfigDialogTemplate& t = GameConfigDialogTemplate();
    EXPECT_STREQ(t.name, "GAME_CONFIG_DIALOG");
    EXPECT_STREQ(t.caption, " Game Configuration");
    std::vector<int32_t> ids;
    std::vector<std::string> labels;
    for (const DialogControl& control : t.controls) {
        if (control.kind == DialogControlKind::CheckBox) {
            ids.push_back(control.id);
            labels.push_back(control.text);
        }
    }
    EXPECT_EQ(ids, (std::vector<int32_t>{101, 102, 103, 104, 106, 107, 108, 109}));
    ASSERT_EQ(labels.size(), 8u);
    for (std::size_t row = 0; row < 4; ++row) {
        EXPECT_EQ(labels[row], labels[row + 4]);  // the same device in the same row
    }
}

}  // namespace
}  // namespace vantrell
