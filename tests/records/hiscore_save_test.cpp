#include <gtest/gtest.h>

#include <string>

#include "hosts/headless/scripted_dialogs.h"
#include "records/hiscore_table.h"
#include "records_test_support.h"

namespace vantrell {
namespace {

using test::Pattern;
using test::ReadBytes;
using test::TempGameDir;
using test::WriteBytes;

const std::string kQuestion = "ハイスコアデータをセーブしますか？";
const std::string kCaption = "スコアデータのセーブ";
const std::string kFailed = "ハイスコアデータを保存できませんでした。";

std::string Joy(int32_t stage, int32_t slot) {
    return HiScoreTable::RecordingFileName(stage, slot);
}

// A table whose every slot differs from the empty entry, so a written file is recognisable.
HiScoreTable FilledTable(const std::filesystem::path& dir) {
    HiScoreTable table(dir);
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        table.entries[k] = {test::Numbered("N", k), 100 + k, Pattern(static_cast<uint8_t>(k)),
                            false};
    }
    return table;
}

TEST(HiScoreSave, AsksOnlyWhenChangedAndWritesOnlyOnYes) {
    TempGameDir dir;
    HiScoreTable table = FilledTable(dir.path());
    ScriptedDialogs dialogs;
    dialogs.QueueYesNo(true);  // must stay unused: nothing to save
    EXPECT_EQ(table.Save(dialogs, 0), SaveResult::Unchanged);
    EXPECT_TRUE(dialogs.Calls().empty());
    EXPECT_EQ(dialogs.PendingAnswers(), 1u);

    HiScoreTable declined = FilledTable(dir.path());
    declined.changed = true;
    ScriptedDialogs no;
    no.QueueYesNo(false);
    EXPECT_EQ(declined.Save(no, 0), SaveResult::Declined);
    ASSERT_EQ(no.Calls().size(), 1u);
    EXPECT_EQ(no.Calls()[0].kind, DialogKind::YesNo);
    EXPECT_EQ(no.Calls()[0].text, kQuestion);
    EXPECT_EQ(no.Calls()[0].caption, kCaption);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    EXPECT_TRUE(declined.changed);

    table.changed = true;
    EXPECT_EQ(table.Save(dialogs, 0), SaveResult::Written);
    EXPECT_EQ(dialogs.Kinds(), std::vector<DialogKind>{DialogKind::YesNo});
    EXPECT_EQ(ReadBytes(dir / "VANREC0.DAT").substr(0, 14), "N0\r\n  100\r\nN1\r");
    EXPECT_EQ(ReadBytes(dir / "S0N9.JOY").size(), 2400u);
    EXPECT_TRUE(table.changed);
}

TEST(HiScoreSave, MissingFolderTellsThePlayerAndKeepsTheRuns) {
    TempGameDir dir;
    HiScoreTable table = FilledTable(dir / "no-such-folder");
    table.changed = true;
    ScriptedDialogs dialogs;
    dialogs.QueueYesNo(true);
    EXPECT_EQ(table.Save(dialogs, 0), SaveResult::Failed);
    ASSERT_EQ(dialogs.Calls().size(), 2u);
    const DialogCall& message = dialogs.Calls()[1];
    EXPECT_EQ(message.kind, DialogKind::Message);
    EXPECT_EQ(message.text.substr(0, kFailed.size()), kFailed);
    EXPECT_NE(message.text.find("VANREC0.DAT"), std::string::npos);
    EXPECT_EQ(message.caption, kCaption);
    EXPECT_TRUE(table.changed);
    EXPECT_FALSE(std::filesystem::exists(dir / "no-such-folder"));

    // The question comes again at the next chance, and succeeds once the folder is there.
    std::filesystem::create_directory(dir / "no-such-folder");
    dialogs.QueueYesNo(true);
    EXPECT_EQ(table.Save(dialogs, 0), SaveResult::Written);
    EXPECT_EQ(ReadBytes(dir / "no-such-folder" / "S0N3.JOY")[5], 8);
}

TEST(HiScoreSave, UnreplaceableRecordFileLeavesEveryOldFileWhole) {
    TempGameDir dir;
    std::filesystem::create_directory(dir / "VANREC0.DAT");  // in the way of the rename
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        WriteBytes(dir / Joy(0, k), "old");
    }
    HiScoreTable table = FilledTable(dir.path());
    table.changed = true;
    ScriptedDialogs dialogs;
    dialogs.QueueYesNo(true);
    EXPECT_EQ(table.Save(dialogs, 0), SaveResult::Failed);
    EXPECT_EQ(dialogs.Kinds(), (std::vector<DialogKind>{DialogKind::YesNo, DialogKind::Message}));
    EXPECT_TRUE(table.changed);
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        EXPECT_EQ(ReadBytes(dir / Joy(0, k)), "old") << k;
    }
    for (const auto& item : std::filesystem::directory_iterator(dir.path())) {
        EXPECT_NE(item.path().extension(), ".tmp") << item.path();
    }
}

TEST(HiScoreSave, UnreplaceableRecordingIsReportedAndTheRestWritten) {
    TempGameDir dir;
    std::filesystem::create_directory(dir / Joy(2, 5));
    WriteBytes(dir / "VANREC2.DAT", std::string(400, 'x'));  // longer than the new file
    HiScoreTable table = FilledTable(dir.path());
    table.changed = true;
    ScriptedDialogs dialogs;
    dialogs.QueueYesNo(true);
    EXPECT_EQ(table.Save(dialogs, 2), SaveResult::Failed);
    ASSERT_EQ(dialogs.Calls().size(), 2u);
    EXPECT_NE(dialogs.Calls()[1].text.find("S2N5.JOY"), std::string::npos);
    EXPECT_TRUE(table.changed);

    HiScoreTable loaded(dir.path());
    loaded.Load(2);
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        EXPECT_EQ(loaded.entries[k].name, table.entries[k].name);
        EXPECT_EQ(loaded.entries[k].time, table.entries[k].time);
        EXPECT_EQ(loaded.entries[k].recording, k == 5 ? Recording{} : table.entries[k].recording);
    }
    EXPECT_FALSE(std::filesystem::exists(dir / (Joy(2, 5) + ".tmp")));
}

}  // namespace
}  // namespace vantrell
