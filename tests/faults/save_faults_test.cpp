// Fault injection on saving the high-score table: a save refused at every one of its steps. What
// the files on disk hold then is the save routine's promise (tests/io/atomic_save_test.cpp);
// here what the table adds: the player is told which file failed, the runs stay in the table
// with `changed` set, and the next chance to save asks again and writes every file.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "hosts/headless/scripted_dialogs.h"
#include "records/hiscore_dialogs.h"
#include "records/hiscore_table.h"
#include "records/records_test_support.h"

namespace vantrell {
namespace {

using test::Numbered;
using test::Pattern;
using test::TempGameDir;

const std::string kFailed = "ハイスコアデータを保存できませんでした。";
constexpr int32_t kStage = 3;

// The file name as the failure message shows it, on a line of its own. Built by appending:
// GCC 12 warns falsely on "literal" + string.
std::string OwnLine(const std::string& name) {
    std::string line = "\n";
    line += name;
    line += '\n';
    return line;
}

// The names of the stage's eleven files: the record file first, then the recordings.
std::vector<std::string> StageFiles() {
    std::vector<std::string> names{HiScoreTable::RecordFileName(kStage)};
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        names.push_back(HiScoreTable::RecordingFileName(kStage, k));
    }
    return names;
}

void FillTable(HiScoreTable& table, const std::string& prefix, uint8_t seed) {
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        table.entries[k] = {Numbered(prefix, k), 500 + 10 * k + seed,
                            Pattern(static_cast<uint8_t>(seed + k)), false};
    }
    table.changed = true;
}

// The steps of a whole save, each with the file it acts on: each file created, written,
// flushed and closed beside its target, the record file first, then each renamed.
std::vector<std::string> StepFiles() {
    TempGameDir dir;
    HiScoreTable table(dir.path());
    FillTable(table, "Count", 7);
    std::vector<std::string> files;
    table.beforeSaveStep = [&files](SaveStep, const std::filesystem::path& path) {
        files.push_back(path.filename().string());
        return true;
    };
    ScriptedDialogs dialogs;
    dialogs.QueueYesNo(true);
    EXPECT_EQ(SaveWithQuestion(dialogs, table, kStage), SaveResult::Written);
    return files;
}

TEST(SaveFaults, AStepRefusedAnywhereFailsTheSaveAndTellsThePlayerWhichFile) {
    const std::vector<std::string> stepFiles = StepFiles();
    const std::vector<std::string> names = StageFiles();
    ASSERT_EQ(stepFiles.size(), 11u * 5u);
    EXPECT_EQ(stepFiles.front(), names.front() + ".tmp");
    EXPECT_EQ(stepFiles[4 * 11], names.front() + ".tmp");  // the first rename
    for (int refused = 0; refused < static_cast<int>(stepFiles.size()); ++refused) {
        const std::string when = "with step " + std::to_string(refused) + " refused";
        TempGameDir dir;
        HiScoreTable old(dir.path());
        FillTable(old, "Old", 1);
        ScriptedDialogs oldDialogs;
        oldDialogs.QueueYesNo(true);
        ASSERT_EQ(SaveWithQuestion(oldDialogs, old, kStage), SaveResult::Written);

        HiScoreTable table(dir.path());
        FillTable(table, "New", 101);
        int step = 0;
        table.beforeSaveStep = [&](SaveStep, const std::filesystem::path&) {
            return step++ != refused;
        };
        const auto entries = table.entries;
        ScriptedDialogs dialogs;
        dialogs.QueueYesNo(true);
        ASSERT_EQ(SaveWithQuestion(dialogs, table, kStage), SaveResult::Failed) << when;

        ASSERT_EQ(dialogs.Kinds(),
                  (std::vector<DialogKind>{DialogKind::YesNo, DialogKind::Message}))
            << when;
        const std::string& told = dialogs.Calls()[1].text;
        EXPECT_EQ(told.substr(0, kFailed.size()), kFailed) << when;
        const std::string& beside = stepFiles[refused];
        const std::string target = beside.substr(0, beside.size() - 4);
        EXPECT_NE(told.find(OwnLine(target)), std::string::npos) << when << ": " << told;
        EXPECT_TRUE(table.changed) << when;
        EXPECT_EQ(table.entries[4].name, entries[4].name) << when;
        EXPECT_EQ(table.entries[4].recording, entries[4].recording) << when;

        // The next chance to save asks again and writes everything.
        table.beforeSaveStep = nullptr;
        dialogs.QueueYesNo(true);
        ASSERT_EQ(SaveWithQuestion(dialogs, table, kStage), SaveResult::Written) << when;
        HiScoreTable loaded(dir.path());
        loaded.Load(kStage);
        for (int32_t k = 0; k < kHiScoreSlots; ++k) {
            EXPECT_EQ(loaded.entries[k].name, entries[k].name) << k << " " << when;
            EXPECT_EQ(loaded.entries[k].recording, entries[k].recording) << k << " " << when;
        }
    }
}

}  // namespace
}  // namespace vantrell
