// Saving a stage's table: Write asks and tells nothing and reports the file that failed with the
// system's reason; SaveWithQuestion is the old dialog flow around it. What the files on disk hold
// after faults is the save routine's promise (tests/io/save_journal_test.cpp) and the fault tests'
// (tests/faults/save_faults_test.cpp).
#include <gtest/gtest.h>

#include <string>
#include <system_error>
#include <vector>

#include "hosts/headless/scripted_dialogs.h"
#include "records/hiscore_dialogs.h"
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

// A text on a line of its own in a message. Built by appending: GCC 12 warns falsely on
// "literal" + string.
std::string OwnLine(const std::string& text) {
    std::string line = "\n";
    line += text;
    line += '\n';
    return line;
}

std::string Reason(std::errc error) {
    return std::make_error_code(error).message();
}

std::string Joy(int32_t stage, int32_t slot) {
    return HiScoreTable::RecordingFileName(stage, slot);
}

// A table whose every slot differs from the empty entry, so a written file is recognisable.
HiScoreTable FilledTable(const std::filesystem::path& dir, int32_t slot5Time = 105) {
    std::vector<test::SlotRun> slots;
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        slots.push_back({test::Numbered("N", k), k == 5 ? slot5Time : 100 + k,
                         Pattern(static_cast<uint8_t>(k))});
    }
    return test::TableOf(slots, dir);
}

// A run enters the table (into slot 9, the worst), so a save has something to write.
void EnterARun(HiScoreTable& table) {
    ASSERT_TRUE(table.Offer({.time = 1, .recording = Pattern(200), .name = "Run"}).Entered());
}

TEST(HiScoreSave, TheQuestionComesOnlyWhenChangedAndWritesOnlyOnYes) {
    TempGameDir dir;
    HiScoreTable table = FilledTable(dir.path());
    ScriptedDialogs dialogs;
    dialogs.QueueYesNo(true);  // must stay unused: nothing to save
    EXPECT_EQ(SaveWithQuestion(dialogs, table, 0, SaveOccasion::StageChange),
              SaveResult::Unchanged);
    EXPECT_TRUE(dialogs.Calls().empty());
    EXPECT_EQ(dialogs.PendingAnswers(), 1u);

    HiScoreTable declined = FilledTable(dir.path());
    EnterARun(declined);
    ScriptedDialogs no;
    no.QueueYesNo(false);
    EXPECT_EQ(SaveWithQuestion(no, declined, 0, SaveOccasion::StageChange), SaveResult::Declined);
    ASSERT_EQ(no.Calls().size(), 1u);
    EXPECT_EQ(no.Calls()[0].kind, DialogKind::YesNo);
    EXPECT_EQ(no.Calls()[0].text, kQuestion);
    EXPECT_EQ(no.Calls()[0].caption, kCaption);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    EXPECT_TRUE(declined.Changed());

    EnterARun(table);
    EXPECT_EQ(SaveWithQuestion(dialogs, table, 0, SaveOccasion::StageChange), SaveResult::Written);
    EXPECT_EQ(dialogs.Kinds(), std::vector<DialogKind>{DialogKind::YesNo});
    EXPECT_EQ(ReadBytes(dir / "VANREC0.DAT").substr(0, 14), "N0\r\n  100\r\nN1\r");
    EXPECT_EQ(ReadBytes(dir / "S0N9.JOY").size(), 2400u);
    EXPECT_TRUE(table.Changed());
    // The eleven files and nothing else: no journal or file beside is left.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 11);
}

// Write itself: no dialog, whatever `changed` says, and `changed` left as it was.
TEST(HiScoreSave, WriteReportsTheFileAndTheReasonAndLeavesChangedAlone) {
    TempGameDir dir;
    HiScoreTable table = FilledTable(dir.path());
    SaveReport report = table.Write(4);
    EXPECT_TRUE(report.written);
    EXPECT_EQ(report.file, "");
    EXPECT_FALSE(table.Changed());
    EXPECT_EQ(ReadBytes(dir / Joy(4, 2)), test::AsBytes(Pattern(2)));
    EXPECT_EQ(ReadBytes(dir / "VANREC4.DAT").substr(0, 11), "N0\r\n  100\r\n");

    std::filesystem::remove(dir / Joy(4, 7));
    std::filesystem::create_directories(dir / Joy(4, 7) / "keep");
    EnterARun(table);
    report = table.Write(4);
    EXPECT_FALSE(report.written);
    EXPECT_EQ(report.file, Joy(4, 7));
    EXPECT_EQ(report.reason, Reason(std::errc::is_a_directory));
    EXPECT_TRUE(table.Changed());
    EXPECT_EQ(ReadBytes(dir / "VANREC4.DAT").substr(0, 11), "N0\r\n  100\r\n");  // still old
}

// Real failures of the system: whichever file could not be written is named to the player with
// the reason, the runs stay in the table with `changed` set, and once the trouble is gone the
// next save asks again and writes.
TEST(HiScoreSave, FailuresNameTheFileAndReasonToThePlayerAndKeepTheRuns) {
    struct Case {
        std::string what;
        std::string folder;   // below the scratch folder; "" for the scratch folder itself
        std::string blocker;  // the name in the way, or a full disk under it (".tmp")
        std::string told;
        std::errc reason;
    };
    const std::vector<Case> cases = {
        {"a missing folder", "no-such-folder", "", Joy(0, 0), std::errc::no_such_file_or_directory},
        {"a file where the folder should be", "plain", "", Joy(0, 0), std::errc::not_a_directory},
        {"a folder where the record file should be", "", "VANREC0.DAT", "VANREC0.DAT",
         std::errc::is_a_directory},
        {"a folder where the first recording should be", "", Joy(0, 0), Joy(0, 0),
         std::errc::is_a_directory},
        {"a folder where the last recording should be", "", Joy(0, 9), Joy(0, 9),
         std::errc::is_a_directory},
        {"a folder where the record file is written first", "", "VANREC0.DAT.tmp", "VANREC0.DAT",
         std::errc::is_a_directory},
        {"a folder where the journal is written first", "", "VANREC0.JNL.tmp", "VANREC0.JNL",
         std::errc::is_a_directory},
        {"a full disk under the record file", "", "VANREC0.DAT.tmp", "VANREC0.DAT",
         std::errc::no_space_on_device},
        {"a full disk under a recording", "", Joy(0, 6) + ".tmp", Joy(0, 6),
         std::errc::no_space_on_device},
    };
    for (const Case& c : cases) {
        TempGameDir dir;
        const std::filesystem::path folder = c.folder.empty() ? dir.path() : dir / c.folder;
        const bool fullDisk = c.what.starts_with("a full disk");
        if (c.folder == "plain") {
            WriteBytes(folder, "not a folder");
        } else if (fullDisk) {
            std::filesystem::create_symlink("/dev/full", folder / c.blocker);
        } else if (!c.blocker.empty()) {
            std::filesystem::create_directories(folder / c.blocker / "keep");
        }
        HiScoreTable table = FilledTable(folder);
        EnterARun(table);
        const RecordBytes before = table.SavedBytes();
        ScriptedDialogs dialogs;
        dialogs.QueueYesNo(true);
        EXPECT_EQ(SaveWithQuestion(dialogs, table, 0, SaveOccasion::StageChange),
                  SaveResult::Failed)
            << c.what;
        ASSERT_EQ(dialogs.Calls().size(), 2u) << c.what;
        const DialogCall& message = dialogs.Calls()[1];
        EXPECT_EQ(message.kind, DialogKind::Message) << c.what;
        EXPECT_EQ(message.text.substr(0, kFailed.size()), kFailed) << c.what;
        // The file named with its folder, where the player has to look.
        EXPECT_NE(message.text.find(OwnLine((folder / c.told).string()) + Reason(c.reason) + "\n"),
                  std::string::npos)
            << c.what << ": " << message.text;
        EXPECT_EQ(message.caption, kCaption) << c.what;
        EXPECT_TRUE(table.Changed()) << c.what;
        EXPECT_EQ(table.SavedBytes().record, before.record) << c.what;
        EXPECT_EQ(table.SavedBytes().recordings, before.recordings) << c.what;

        // The trouble gone, the question comes again and the save succeeds.
        if (c.blocker.empty()) {
            std::filesystem::remove(folder);
            std::filesystem::create_directory(folder);
        } else {
            std::filesystem::remove_all(folder / c.blocker);
        }
        dialogs.QueueYesNo(true);
        EXPECT_EQ(SaveWithQuestion(dialogs, table, 0, SaveOccasion::StageChange),
                  SaveResult::Written)
            << c.what;
        EXPECT_EQ(ReadBytes(folder / "S0N3.JOY")[5], 8) << c.what;
    }
}

// A target that cannot be replaced is found before any is: the set stays old whole, rather
// than new recordings standing beside old times.
TEST(HiScoreSave, AnUnreplaceableFileLeavesEveryOldFileWhole) {
    for (const std::string& blocked : {std::string("VANREC2.DAT"), Joy(2, 5)}) {
        TempGameDir dir;
        HiScoreTable old = FilledTable(dir.path(), 2000);
        ASSERT_TRUE(old.Write(2).written);
        std::filesystem::remove(dir / blocked);
        std::filesystem::create_directories(dir / blocked / "keep");

        HiScoreTable table =
            test::TableOf({{}, {}, {}, {}, {}, {"New", 700, Pattern(77)}}, dir.path());
        const SaveReport report = table.Write(2);
        EXPECT_FALSE(report.written) << blocked;
        EXPECT_EQ(report.file, blocked);
        for (int32_t k = 0; k < kHiScoreSlots; ++k) {
            const std::string joy = Joy(2, k);
            if (joy != blocked) {
                EXPECT_EQ(ReadBytes(dir / joy)[0], static_cast<char>(k)) << joy << " " << blocked;
            }
        }
        if (blocked != "VANREC2.DAT") {
            EXPECT_EQ(ReadBytes(dir / "VANREC2.DAT").substr(0, 11), "N0\r\n  100\r\n") << blocked;
        }
    }
}

}  // namespace
}  // namespace vantrell
