#include "records/hiscore_dialogs.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "hosts/headless/scripted_dialogs.h"
#include "records/shift_jis.h"
#include "records_test_support.h"

namespace vantrell {
namespace {

using test::Pattern;
using test::TempGameDir;
using Kinds = std::vector<DialogKind>;

const std::string kNotEntered = "もっと精進せいよ！";
const std::string kEnded = "競技終了";

using test::SlotOf;
using test::SlotRun;
using test::TableOf;

HiScoreTable EmptyTable() {
    HiScoreTable table;
    table.FillEmpty();
    return table;
}

// A table whose slot k holds times[k] under empty names.
HiScoreTable TableOfTimes(const std::array<int32_t, kHiScoreSlots>& times,
                          const std::filesystem::path& dir = ".") {
    std::vector<SlotRun> slots;
    for (int32_t time : times) {
        slots.push_back({kEmptyName, time});
    }
    return TableOf(slots, dir);
}

TEST(HiScoreDialogs, OnlyATimeBelowTheWorstEnters) {
    const Recording run = Pattern(42);
    for (int32_t time : {2398, 2400}) {
        HiScoreTable table = EmptyTable();
        ScriptedDialogs dialogs;
        EnterRun(dialogs, table, time, run.data());
        EXPECT_EQ(dialogs.Kinds(), (Kinds{DialogKind::Message, DialogKind::HiScoreList})) << time;
        EXPECT_EQ(dialogs.Calls()[0].text, kNotEntered);
        EXPECT_EQ(dialogs.Calls()[0].caption, kEnded);
        EXPECT_FALSE(table.Changed());
        for (int32_t k = 0; k < kHiScoreSlots; ++k) {
            EXPECT_EQ(SlotOf(table, k).time, 2398);
            EXPECT_EQ(SlotOf(table, k).recording, Recording{});
        }
        EXPECT_FALSE(dialogs.Calls()[1].lines[0].selected);
    }

    // A full table: equal to the worst is not enough, one tick better is.
    // Worst is slot 9 at 690.
    HiScoreTable table = TableOfTimes({600, 610, 620, 630, 640, 650, 660, 670, 680, 690});
    ScriptedDialogs dialogs;
    EnterRun(dialogs, table, 690, run.data());
    EXPECT_EQ(dialogs.Kinds(), (Kinds{DialogKind::Message, DialogKind::HiScoreList}));
    EXPECT_EQ(SlotOf(table, 9).time, 690);
    EXPECT_FALSE(table.Changed());
    dialogs.ClearLog();
    dialogs.QueueName("Hana");
    EnterRun(dialogs, table, 689, run.data());
    EXPECT_EQ(dialogs.Kinds(), (Kinds{DialogKind::Name, DialogKind::HiScoreList}));
    EXPECT_EQ(SlotOf(table, 9).time, 689);
    EXPECT_EQ(SlotOf(table, 9).name, "Hana");
    EXPECT_EQ(SlotOf(table, 9).recording, run);
    EXPECT_TRUE(table.Changed());
}

TEST(HiScoreDialogs, FirstRunIsRankOneAndHighlightedOnce) {
    TempGameDir dir;
    HiScoreTable table(dir.path());
    table.Load(0);  // no files: ten empty entries
    ScriptedDialogs dialogs;
    dialogs.QueueName("Taro");
    const Recording run = Pattern(7);
    EnterRun(dialogs, table, 2397, run.data());

    ASSERT_EQ(dialogs.Kinds(), (Kinds{DialogKind::Name, DialogKind::HiScoreList}));
    EXPECT_EQ(dialogs.Calls()[0].text, "");  // empty right after a load
    EXPECT_EQ(SlotOf(table, 9).name, "Taro");
    EXPECT_EQ(SlotOf(table, 9).time, 2397);
    EXPECT_EQ(SlotOf(table, 9).recording, run);
    EXPECT_EQ(SlotOf(table, 0).recording, Recording{});

    const HiScoreLines lines = dialogs.Calls()[1].lines;
    EXPECT_EQ(lines[0].rankAndName, " 1 : Taro             ");
    EXPECT_EQ(lines[0].time, "TIME: 2397");
    EXPECT_TRUE(lines[0].selected);
    for (int i = 1; i < 10; ++i) {
        EXPECT_EQ(lines[i].rankAndName,
                  test::Numbered(i == 9 ? "" : " ", i + 1).append(" : ------           "));
        EXPECT_EQ(lines[i].time, "TIME: 2398");
        EXPECT_FALSE(lines[i].selected);
    }

    // Opened again from the menu: the same lines, no highlight.
    dialogs.ClearLog();
    ShowHiScores(dialogs, table);
    ASSERT_EQ(dialogs.Kinds(), (Kinds{DialogKind::HiScoreList}));
    EXPECT_EQ(dialogs.Calls()[0].lines[0].rankAndName, lines[0].rankAndName);
    for (const HiScoreLine& line : dialogs.Calls()[0].lines) {
        EXPECT_FALSE(line.selected);
    }
}

TEST(HiScoreDialogs, ListColumnsAlignForWideNamesAndWideTimes) {
    HiScoreTable table =
        TableOf({{EncodeShiftJis("山田太郎ＶＡＮ"), 512}, {"abcdefghijklmno", 12345}, {"", 8}});
    ScriptedDialogs dialogs;
    ShowHiScores(dialogs, table);
    const HiScoreLines& lines = dialogs.Calls()[0].lines;
    EXPECT_EQ(lines[0].rankAndName, " 1 : " + std::string(16, ' ') + " ");
    EXPECT_EQ(lines[0].time, "TIME:    8");
    EXPECT_EQ(lines[1].rankAndName, " 2 : 山田太郎ＶＡＮ   ");
    EXPECT_EQ(lines[1].time, "TIME:  512");
    EXPECT_EQ(lines[9].rankAndName, "10 : abcdefghijklmno  ");
    EXPECT_EQ(lines[9].time, "TIME:12345");
    for (const HiScoreLine& line : lines) {
        EXPECT_EQ(ShiftJisWidth(line.rankAndName), 22u) << line.rankAndName;
    }
}

TEST(HiScoreDialogs, NameBoxOffersTheSlotsCurrentName) {
    HiScoreTable table = EmptyTable();
    ScriptedDialogs dialogs;
    dialogs.QueueName("abcdefghijklmnopqrst");  // 20 bytes
    EnterRun(dialogs, table, 1000, nullptr);
    EXPECT_EQ(SlotOf(table, 9).name, "abcdefghijklmno");
    EXPECT_EQ(SlotOf(table, 9).recording, Recording{});

    dialogs.ClearLog();
    dialogs.QueueName("あいうえおかきく");  // 16 bytes in Shift-JIS
    EnterRun(dialogs, table, 900, nullptr);
    EXPECT_EQ(dialogs.Calls()[0].text, "abcdefghijklmno");               // the last name typed
    EXPECT_EQ(SlotOf(table, 8).name, EncodeShiftJis("あいうえおかき"));  // whole characters

    dialogs.ClearLog();
    dialogs.QueueName("line\nbreak");
    EnterRun(dialogs, table, 800, nullptr);
    EXPECT_EQ(dialogs.Calls()[0].text, "あいうえおかき");  // shown as text, not as bytes
    EXPECT_EQ(SlotOf(table, 7).name, "linebreak");

    // After a reset the box follows the slot, which now holds the empty entry.
    dialogs.ClearLog();
    dialogs.QueueAnswer(Answer::Yes);
    ResetHiScores(dialogs, table);
    EnterRun(dialogs, table, 700, nullptr);  // no name queued: OK pressed at once
    ASSERT_EQ(dialogs.Calls()[1].kind, DialogKind::Name);
    EXPECT_EQ(dialogs.Calls()[1].text, "------");
    EXPECT_EQ(SlotOf(table, 9).name, "------");
}

TEST(HiScoreDialogs, OpponentChoice) {
    TempGameDir dir;
    // Slot 3 gets a run of 2398 and is new: the times are then 100 50 100 2398 7 50 300 300 1
    // 2398.
    HiScoreTable table = TableOfTimes({100, 50, 100, 2399, 7, 50, 300, 300, 1, 2398}, dir.path());
    ASSERT_TRUE(table.Offer({.time = 2398, .refuseHeld = false}).Entered());
    ScriptedDialogs dialogs;

    SelectOpponent(dialogs, table);  // OK without touching the list
    EXPECT_EQ(table.SelectedOpponent(), 9);
    const HiScoreLines& lines = dialogs.Calls()[0].lines;
    EXPECT_EQ(lines[0].time, "TIME:    1");
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(lines[i].selected, i == 0) << i;
    }
    EXPECT_TRUE(table.AtRank(9).isNew);  // only the list dialog clears it

    dialogs.QueueSelectedItem(3);
    SelectOpponent(dialogs, table);
    EXPECT_EQ(table.SelectedOpponent(), 6);

    // Items 2 and 7 selected: rank order is 9 3 7 6 2 0 5 1 4 8, visited from the back, and
    // slot 2 (item 7) comes before slot 7 (item 2).
    ListSelection two{};
    two[2] = true;
    two[7] = true;
    dialogs.QueueSelection(two);
    SelectOpponent(dialogs, table);
    EXPECT_EQ(table.SelectedOpponent(), 2);

    dialogs.QueueSelection(ListSelection{});
    SelectOpponent(dialogs, table);
    EXPECT_EQ(table.SelectedOpponent(), 9);  // nothing selected: the fastest

    // The choice survives loading another stage.
    dialogs.QueueSelectedItem(9);
    SelectOpponent(dialogs, table);
    table.Load(1);
    EXPECT_EQ(table.SelectedOpponent(), 0);
    EXPECT_EQ(dialogs.PendingAnswers(), 0u);
}

TEST(HiScoreDialogs, ResetAsksAndNeverMarksChanged) {
    HiScoreTable table = TableOf({{}, {}, {}, {}, {"Keep", 321, Pattern(1)}});
    ScriptedDialogs dialogs;
    ResetHiScores(dialogs, table);  // Escape, or Enter on the default: No
    dialogs.QueueAnswer(Answer::No);
    ResetHiScores(dialogs, table);
    ASSERT_EQ(dialogs.Calls().size(), 2u);
    EXPECT_EQ(dialogs.Calls()[0].text, "ハイスコアデータを初期化します。\nよろしいですか？");
    EXPECT_EQ(dialogs.Calls()[0].caption, "ハイスコアの初期化");
    EXPECT_EQ(SlotOf(table, 4).name, "Keep");
    EXPECT_EQ(SlotOf(table, 4).recording, Pattern(1));

    dialogs.QueueAnswer(Answer::Yes);
    ResetHiScores(dialogs, table);
    EXPECT_EQ(SlotOf(table, 4).name, "------");
    EXPECT_EQ(SlotOf(table, 4).time, 2398);
    EXPECT_EQ(SlotOf(table, 4).recording, Recording{});
    EXPECT_FALSE(table.Changed());
    EXPECT_TRUE(table.EmptiedSinceLoad());
}

TEST(HiScoreDialogs, StageVisitFromEmptyFolderToDiskAndBack) {
    TempGameDir dir;
    HiScoreTable table(dir.path());
    ScriptedDialogs dialogs;
    table.Load(0);
    dialogs.QueueName("速い人");
    const Recording run = Pattern(200);
    EnterRun(dialogs, table, 1500, run.data());
    dialogs.QueueYesNo(true);
    ASSERT_EQ(SaveWithQuestion(dialogs, table, 0, SaveOccasion::StageChange), SaveResult::Written);
    EXPECT_EQ(test::ReadBytes(dir / "VANREC0.DAT").substr(135),
              "\x91\xAC\x82\xA2\x90\x6C\r\n 1500\r\n");  // slot 9, in Shift-JIS

    // A reset alone is never saved: the next stage change asks nothing, and the old table
    // comes back from its file.
    table.Load(0);
    dialogs.ClearLog();
    dialogs.QueueAnswer(Answer::Yes);
    ResetHiScores(dialogs, table);
    EXPECT_EQ(SaveWithQuestion(dialogs, table, 0, SaveOccasion::StageChange),
              SaveResult::Unchanged);
    table.Load(0);
    EXPECT_EQ(table.AtRank(1).name, "\x91\xAC\x82\xA2\x90\x6C");
    EXPECT_EQ(table.RecordingAt(9), table.AtRank(1).recording.data());
    EXPECT_EQ(SlotOf(table, 9).recording, run);
    EXPECT_EQ(dialogs.Kinds(), (Kinds{DialogKind::Question}));
}

}  // namespace
}  // namespace vantrell
