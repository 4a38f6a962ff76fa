// Fault injection on saving a stage's table in a copy of the generated game folder, whose
// default records are real runs. The save of a new table (every slot moved, one new run entered)
// is stopped dead or refused at each of its steps; the table opened again must be wholly the old
// or wholly the new one, and every run in it must drive to its stored time.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "hosts/headless/scripted_dialogs.h"
#include "race/headless_race.h"
#include "records/hiscore_dialogs.h"
#include "records/hiscore_table.h"
#include "records/records_test_support.h"

namespace vantrell {
namespace {

namespace fs = std::filesystem;
using test::TempGameDir;

constexpr int kStopped = 77;  // exit code of a save stopped dead
constexpr int32_t kStage = 2;

std::vector<std::string> StageFiles() {
    std::vector<std::string> names{HiScoreTable::RecordFileName(kStage)};
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        names.push_back(HiScoreTable::RecordingFileName(kStage, k));
    }
    return names;
}

class SaveFaults : public testing::Test {
  protected:
    void SetUp() override {
        fs::copy(VANTRELL_GAME_DIR, dir_.path(), fs::copy_options::recursive);
        race_ = std::make_unique<HeadlessRace>(dir_.path(), kStage);
        old_ = std::make_unique<HiScoreTable>(dir_.path());
        ASSERT_TRUE(old_->Load(kStage).empty());
        // Every slot moves up one, so every file of the stage changes...
        std::vector<test::SlotRun> moved;
        for (int32_t k = 0; k < kHiScoreSlots; ++k) {
            moved.push_back(test::SlotOf(*old_, (k + 1) % kHiScoreSlots));
        }
        fresh_ = std::make_unique<HiScoreTable>(test::TableOf(moved, dir_.path()));
        // ...and a new run enters: the best run driven one tick late, still real driving.
        const HiScoreEntry& best = old_->AtRank(1);
        Recording late{};
        std::copy(best.recording.begin(), best.recording.end() - 1, late.begin() + 1);
        const RaceOutcome outcome = race_->Run(late);
        ASSERT_TRUE(outcome.goal);
        ScriptedDialogs dialogs;
        dialogs.QueueName("Late Starter");
        EnterRun(dialogs, *fresh_, outcome.time, late.data());
        ASSERT_TRUE(fresh_->Changed());
        for (int32_t k = 0; k < kHiScoreSlots; ++k) {
            ASSERT_NE(test::SlotOf(*fresh_, k).recording, test::SlotOf(*old_, k).recording) << k;
        }
    }

    // The stage's files as the build made them, nothing beside them.
    void RestoreOldFiles() {
        for (const auto& item : fs::directory_iterator(dir_.path())) {
            const std::string name = item.path().filename().string();
            if (name.ends_with(".tmp") || name.ends_with(".JNL")) {
                fs::remove(item.path());
            }
        }
        for (const std::string& name : StageFiles()) {
            fs::copy_file(fs::path(VANTRELL_GAME_DIR) / name, dir_ / name,
                          fs::copy_options::overwrite_existing);
        }
    }

    // The steps of a whole save, each with the file it acts on.
    std::vector<std::string> StepFiles() {
        RestoreOldFiles();
        HiScoreTable table = *fresh_;
        std::vector<std::string> files;
        table.SetSaveStepHook([&files](SaveStep, const fs::path& path) {
            files.push_back(path.filename().string());
            return true;
        });
        EXPECT_TRUE(table.Write(kStage).written);
        return files;
    }

    // Opens the table as the game would after the fault and checks it: all old or all new, and
    // every run driving to its stored time. Returns which it is.
    std::string CheckReopened(const std::string& when) {
        HiScoreTable loaded(dir_.path());
        EXPECT_TRUE(loaded.Load(kStage).empty()) << when;
        for (const auto& item : fs::directory_iterator(dir_.path())) {
            const std::string name = item.path().filename().string();
            EXPECT_FALSE(name.ends_with(".tmp") || name.ends_with(".JNL")) << name << " " << when;
        }
        for (int32_t k = 0; k < kHiScoreSlots; ++k) {
            const test::SlotRun entry = test::SlotOf(loaded, k);
            if (entry.name == kEmptyName && entry.time == kEmptyTime &&
                entry.recording == Recording{}) {
                continue;
            }
            EXPECT_EQ(DrivenTime(entry.recording), entry.time) << "slot " << k << " " << when;
        }
        auto same = [&loaded](const HiScoreTable& table) {
            const RecordBytes a = loaded.SavedBytes();
            const RecordBytes b = table.SavedBytes();
            return a.record == b.record && a.recordings == b.recordings;
        };
        return same(*old_) ? "old" : same(*fresh_) ? "new" : "mixed";
    }

    // The race is deterministic: each recording is driven once and its time remembered.
    int32_t DrivenTime(const Recording& recording) {
        auto found = driven_.find(recording);
        if (found == driven_.end()) {
            const RaceOutcome outcome = race_->Run(recording);
            found = driven_.emplace(recording, outcome.goal ? outcome.time : -1).first;
        }
        return found->second;
    }

    TempGameDir dir_;
    std::unique_ptr<HeadlessRace> race_;
    std::unique_ptr<HiScoreTable> old_;
    std::unique_ptr<HiScoreTable> fresh_;
    std::map<Recording, int32_t> driven_;
};

// A hook that stops the process dead before the step numbered `stop`.
SaveStepHook StopAt(int stop) {
    auto step = std::make_shared<int>(0);
    return [stop, step](SaveStep, const fs::path&) {
        if ((*step)++ == stop) {
            _exit(kStopped);
        }
        return true;
    };
}

// The step whose completion makes the save the one the next start finishes: the journal's
// rename into place.
int CommitStep(const std::vector<std::string>& stepFiles) {
    const std::string journalBeside = HiScoreTable::JournalFileName(kStage) + ".tmp";
    const auto last = std::find(stepFiles.rbegin(), stepFiles.rend(), journalBeside);
    return static_cast<int>(stepFiles.rend() - last) - 1;
}

// The steps the next Load takes to finish a save stopped before `stop`: the renames not yet
// done, the folder sync and the journal's removal. After the commit come the sync, the eleven
// renames, the sync and the removal.
int SettlingSteps(int stop, int commit) {
    if (stop <= commit || stop > commit + 14) {
        return 0;
    }
    return std::clamp(commit + 13 - stop, 0, 11) + 2;
}

// Stopped dead in a child process, as a game killed or a machine losing power would be; where
// the journal is in place, the Load that settles it is also stopped at each of its steps
// before the table is opened again.
TEST_F(SaveFaults, ASaveStoppedDeadAtAnyStepReopensAllOldOrAllNewAndEveryRunDrives) {
    GTEST_FLAG_SET(death_test_style, "fast");
    const std::vector<std::string> stepFiles = StepFiles();
    // Eleven files and the journal written beside, the journal renamed, two folder syncs,
    // eleven renames, the journal removed.
    ASSERT_EQ(stepFiles.size(), 12u * 4u + 1u + 2u + 11u + 1u);
    const int commit = CommitStep(stepFiles);
    for (int stop = 0; stop <= static_cast<int>(stepFiles.size()); ++stop) {
        for (int stopAgain = -1; stopAgain < SettlingSteps(stop, commit); ++stopAgain) {
            const std::string when = "stopped before step " + std::to_string(stop) +
                                     ", settling before its step " + std::to_string(stopAgain);
            RestoreOldFiles();
            HiScoreTable table = *fresh_;
            table.SetSaveStepHook(StopAt(stop));
            EXPECT_EXIT(
                {
                    table.Write(kStage);
                    _exit(kStopped);
                },
                testing::ExitedWithCode(kStopped), "")
                << when;
            if (stopAgain >= 0) {
                HiScoreTable settling(dir_.path());
                settling.SetSaveStepHook(StopAt(stopAgain));
                EXPECT_EXIT(settling.Load(kStage), testing::ExitedWithCode(kStopped), "") << when;
            }
            EXPECT_EQ(CheckReopened(when), stop > commit ? "new" : "old") << when;
        }
    }
}

TEST_F(SaveFaults, ASaveRefusedAtAnyStepIsReportedAndReopensAllOldOrAllNew) {
    const std::vector<std::string> stepFiles = StepFiles();
    const int firstRename = CommitStep(stepFiles) + 2;  // after the folder sync
    const std::string io = std::make_error_code(std::errc::io_error).message();
    for (int refused = 0; refused < static_cast<int>(stepFiles.size()); ++refused) {
        const std::string when = "with step " + std::to_string(refused) + " refused";
        RestoreOldFiles();
        HiScoreTable table = *fresh_;
        int step = 0;
        table.SetSaveStepHook([&](SaveStep, const fs::path&) { return step++ != refused; });
        const SaveReport report = table.Write(kStage);
        std::string file = stepFiles[refused];
        if (file.ends_with(".tmp")) {
            file.resize(file.size() - 4);
        }
        // Only the journal's removal, the last step, fails nothing: the files are all new.
        const bool last = refused + 1 == static_cast<int>(stepFiles.size());
        EXPECT_EQ(report.written, last) << when;
        EXPECT_EQ(report.file, last ? "" : file) << when;
        EXPECT_EQ(report.reason, last ? "" : io) << when;
        EXPECT_EQ(CheckReopened(when), refused > firstRename ? "new" : "old") << when;
    }
}

}  // namespace
}  // namespace vantrell
