// Fault injection on saving the high-score table: files that cannot be created, a full disk, a
// save refused at every one of its steps and a save stopped dead at every one of them. Whatever
// happens, each record and recording file on disk is the complete old or the complete new file,
// and a save that failed has told the player.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "hosts/headless/scripted_dialogs.h"
#include "records/hiscore_table.h"
#include "records/records_test_support.h"

namespace vantrell {
namespace {

using test::Numbered;
using test::Pattern;
using test::ReadBytes;
using test::TempGameDir;
using test::WriteBytes;

const std::string kFailed = "ハイスコアデータを保存できませんでした。";
constexpr int32_t kStage = 3;
constexpr int kStopped = 77;  // exit code of a save stopped dead

// The names of the stage's eleven files: the record file first, then the recordings.
std::vector<std::string> StageFiles() {
    std::vector<std::string> names{HiScoreTable::RecordFileName(kStage)};
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        names.push_back(HiScoreTable::RecordingFileName(kStage, k));
    }
    return names;
}

// A table whose every file differs from the old set's, slot by slot.
void FillTable(HiScoreTable& table, const std::string& prefix, uint8_t seed) {
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        table.entries[k] = {Numbered(prefix, k), 500 + 10 * k + seed,
                            Pattern(static_cast<uint8_t>(seed + k)), false};
    }
    table.changed = true;
}

// The bytes of every file, as a save of this table writes them.
std::vector<std::string> FilesOf(HiScoreTable& table) {
    TempGameDir scratch;
    HiScoreTable copy = table;
    copy.directory = scratch.path();
    copy.beforeSaveStep = nullptr;
    ScriptedDialogs dialogs;
    dialogs.QueueYesNo(true);
    EXPECT_EQ(copy.Save(dialogs, kStage), SaveResult::Written);
    std::vector<std::string> bytes;
    for (const std::string& name : StageFiles()) {
        bytes.push_back(ReadBytes(scratch / name));
    }
    return bytes;
}

struct Sets {
    std::vector<std::string> before;  // empty when the stage had no files yet
    std::vector<std::string> after;
};

// Lays the old set into the folder (unless there is none) and returns both sets' bytes.
Sets Prepare(const TempGameDir& dir, HiScoreTable& table, bool withOldFiles) {
    HiScoreTable old(dir.path());
    FillTable(old, "Old", 1);
    Sets sets;
    if (withOldFiles) {
        sets.before = FilesOf(old);
        const std::vector<std::string> names = StageFiles();
        for (std::size_t i = 0; i < names.size(); ++i) {
            WriteBytes(dir / names[i], sets.before[i]);
        }
    }
    FillTable(table, "New", 101);
    sets.after = FilesOf(table);
    return sets;
}

// Every file is whole: the old one (or absent when there was none) or the new one.
void ExpectWholeFiles(const TempGameDir& dir, const Sets& sets, const std::string& when) {
    const std::vector<std::string> names = StageFiles();
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::filesystem::path path = dir / names[i];
        if (!std::filesystem::exists(path)) {
            EXPECT_TRUE(sets.before.empty()) << names[i] << " lost " << when;
            continue;
        }
        const std::string bytes = ReadBytes(path);
        const bool old = !sets.before.empty() && bytes == sets.before[i];
        EXPECT_TRUE(old || bytes == sets.after[i]) << names[i] << " is a mixture " << when;
    }
}

std::vector<std::filesystem::path> Temporaries(const TempGameDir& dir) {
    std::vector<std::filesystem::path> found;
    for (const auto& item : std::filesystem::directory_iterator(dir.path())) {
        if (item.path().extension() == ".tmp") {
            found.push_back(item.path());
        }
    }
    return found;
}

// How many steps a whole save takes: each file created, written, flushed and closed, then
// each renamed.
int CountSteps() {
    TempGameDir dir;
    HiScoreTable table(dir.path());
    FillTable(table, "Count", 7);
    int steps = 0;
    table.beforeSaveStep = [&steps](SaveStep, const std::filesystem::path&) {
        ++steps;
        return true;
    };
    ScriptedDialogs dialogs;
    dialogs.QueueYesNo(true);
    EXPECT_EQ(table.Save(dialogs, kStage), SaveResult::Written);
    return steps;
}

TEST(SaveFaults, AStepRefusedAnywhereFailsTheSaveWholeAndTellsThePlayer) {
    const int steps = CountSteps();
    ASSERT_EQ(steps, 11 * 5);
    for (bool withOldFiles : {true, false}) {
        for (int refused = 0; refused < steps; ++refused) {
            const std::string when = "with step " + std::to_string(refused) + " refused" +
                                     (withOldFiles ? "" : ", no old files");
            TempGameDir dir;
            HiScoreTable table(dir.path());
            const Sets sets = Prepare(dir, table, withOldFiles);
            int step = 0;
            std::string refusedFile;
            table.beforeSaveStep = [&](SaveStep, const std::filesystem::path& path) {
                if (step++ == refused) {
                    refusedFile = path.filename().string();
                    return false;
                }
                return true;
            };
            const auto entries = table.entries;
            ScriptedDialogs dialogs;
            dialogs.QueueYesNo(true);
            ASSERT_EQ(table.Save(dialogs, kStage), SaveResult::Failed) << when;

            ASSERT_EQ(dialogs.Kinds(),
                      (std::vector<DialogKind>{DialogKind::YesNo, DialogKind::Message}))
                << when;
            const std::string& told = dialogs.Calls()[1].text;
            EXPECT_EQ(told.substr(0, kFailed.size()), kFailed) << when;
            const std::string target = refusedFile.substr(0, refusedFile.size() - 4);
            EXPECT_NE(told.find(target), std::string::npos) << when << ": " << told;
            EXPECT_TRUE(table.changed) << when;
            EXPECT_EQ(table.entries[4].name, entries[4].name) << when;
            ExpectWholeFiles(dir, sets, when);
            EXPECT_TRUE(Temporaries(dir).empty()) << when;

            // Before the renames nothing is replaced; the record file is replaced first, so a
            // recording is only ever newer than the record file when both are new.
            const std::vector<std::string> names = StageFiles();
            const int renameStart = steps - 11;
            for (std::size_t i = 0; i < names.size(); ++i) {
                const bool replaced = refused >= renameStart &&
                                      (i == 0 ? refused > renameStart
                                              : refused > renameStart &&
                                                    static_cast<int>(i) != refused - renameStart);
                const std::filesystem::path path = dir / names[i];
                if (replaced) {
                    EXPECT_EQ(ReadBytes(path), sets.after[i]) << names[i] << " " << when;
                } else if (withOldFiles) {
                    EXPECT_EQ(ReadBytes(path), sets.before[i]) << names[i] << " " << when;
                } else {
                    EXPECT_FALSE(std::filesystem::exists(path)) << names[i] << " " << when;
                }
            }

            // The next chance to save asks again and writes everything.
            table.beforeSaveStep = nullptr;
            dialogs.QueueYesNo(true);
            ASSERT_EQ(table.Save(dialogs, kStage), SaveResult::Written) << when;
            for (std::size_t i = 0; i < names.size(); ++i) {
                EXPECT_EQ(ReadBytes(dir / names[i]), sets.after[i]) << names[i] << " " << when;
            }
        }
    }
}

// The save runs in a child process that dies at the chosen step, as a game killed or a machine
// losing power would; the folder is then looked at as the next start would find it.
TEST(SaveFaults, ASaveStoppedDeadAtAnyStepLeavesEachFileOldOrNew) {
    GTEST_FLAG_SET(death_test_style, "fast");
    const int steps = CountSteps();
    for (bool withOldFiles : {true, false}) {
        for (int stop = 0; stop <= steps; ++stop) {
            const std::string when = "stopped before step " + std::to_string(stop) +
                                     (withOldFiles ? "" : ", no old files");
            TempGameDir dir;
            HiScoreTable table(dir.path());
            const Sets sets = Prepare(dir, table, withOldFiles);
            int step = 0;
            table.beforeSaveStep = [&](SaveStep, const std::filesystem::path&) {
                if (step++ == stop) {
                    _exit(kStopped);
                }
                return true;
            };
            EXPECT_EXIT(
                {
                    ScriptedDialogs dialogs;
                    dialogs.QueueYesNo(true);
                    table.Save(dialogs, kStage);
                    _exit(kStopped);
                },
                testing::ExitedWithCode(kStopped), "")
                << when;
            ExpectWholeFiles(dir, sets, when);
            if (stop == steps) {
                EXPECT_TRUE(Temporaries(dir).empty()) << when;
            }

            // The next start reads a sound table, and the next save tidies up after the last.
            HiScoreTable next(dir.path());
            next.Load(kStage);
            for (const HiScoreEntry& entry : next.entries) {
                EXPECT_TRUE(entry.name.starts_with("Old") || entry.name.starts_with("New") ||
                            entry.name == kEmptyName)
                    << entry.name << " " << when;
            }
            FillTable(next, "New", 101);
            ScriptedDialogs dialogs;
            dialogs.QueueYesNo(true);
            ASSERT_EQ(next.Save(dialogs, kStage), SaveResult::Written) << when;
            const std::vector<std::string> names = StageFiles();
            for (std::size_t i = 0; i < names.size(); ++i) {
                EXPECT_EQ(ReadBytes(dir / names[i]), sets.after[i]) << names[i] << " " << when;
            }
            EXPECT_TRUE(Temporaries(dir).empty()) << when;
        }
    }
}

// Real failures of the system, without the step hook: each one fails the save before any file
// is replaced (or, for a recording that cannot be replaced, leaves that one file old), and the
// player is told which file it was.
TEST(SaveFaults, FilesThatCannotBeCreatedOrAFullDiskFailTheSaveAndTellThePlayer) {
    struct Case {
        std::string what;
        std::function<void(const TempGameDir&)> arrange;
        std::string toldFile;
    };
    const std::string record = HiScoreTable::RecordFileName(kStage);
    const std::string first = HiScoreTable::RecordingFileName(kStage, 0);
    const std::string last = HiScoreTable::RecordingFileName(kStage, 9);
    auto replaceByFolder = [](const TempGameDir& dir, const std::string& name) {
        std::filesystem::remove(dir / name);
        std::filesystem::create_directory(dir / name);
        WriteBytes(dir / name / "keep", "x");  // a folder with something in it stays
    };
    const std::vector<Case> cases = {
        {"a folder where the record file should be",
         [&](const TempGameDir& dir) { replaceByFolder(dir, record); }, record},
        {"a folder where the first recording should be",
         [&](const TempGameDir& dir) { replaceByFolder(dir, first); }, first},
        {"a folder where the last recording should be",
         [&](const TempGameDir& dir) { replaceByFolder(dir, last); }, last},
        {"a folder where the record file is written first",
         [&](const TempGameDir& dir) { replaceByFolder(dir, record + ".tmp"); }, record},
        {"a full disk under the record file",
         [&](const TempGameDir& dir) {
             std::filesystem::create_symlink("/dev/full", dir / (record + ".tmp"));
         },
         record},
        {"a full disk under a recording",
         [&](const TempGameDir& dir) {
             std::filesystem::create_symlink("/dev/full", dir / (last + ".tmp"));
         },
         last},
    };
    for (const Case& c : cases) {
        TempGameDir dir;
        HiScoreTable table(dir.path());
        const Sets sets = Prepare(dir, table, true);
        c.arrange(dir);
        ScriptedDialogs dialogs;
        dialogs.QueueYesNo(true);
        ASSERT_EQ(table.Save(dialogs, kStage), SaveResult::Failed) << c.what;
        ASSERT_EQ(dialogs.Calls().size(), 2u) << c.what;
        EXPECT_EQ(dialogs.Calls()[1].text.substr(0, kFailed.size()), kFailed) << c.what;
        EXPECT_NE(dialogs.Calls()[1].text.find(c.toldFile), std::string::npos)
            << c.what << ": " << dialogs.Calls()[1].text;
        EXPECT_TRUE(table.changed) << c.what;

        const std::vector<std::string> names = StageFiles();
        for (std::size_t i = 0; i < names.size(); ++i) {
            const std::filesystem::path path = dir / names[i];
            if (std::filesystem::is_directory(path)) {
                continue;  // the folder in the way is the player's, and left alone
            }
            // Only a recording whose own place is taken is left behind by the others.
            const bool replaced = c.toldFile != record && c.what.starts_with("a folder where t");
            EXPECT_EQ(ReadBytes(path), replaced ? sets.after[i] : sets.before[i])
                << names[i] << " with " << c.what;
        }
        for (const auto& temporary : Temporaries(dir)) {
            EXPECT_TRUE(std::filesystem::is_directory(temporary)) << temporary << " left";
        }
    }

    // A folder that is missing, or a file where the folder should be: nothing to write into.
    TempGameDir dir;
    WriteBytes(dir / "game", "not a folder");
    for (const std::filesystem::path& folder : {dir / "missing", dir / "game"}) {
        HiScoreTable table(folder);
        FillTable(table, "New", 3);
        ScriptedDialogs dialogs;
        dialogs.QueueYesNo(true);
        EXPECT_EQ(table.Save(dialogs, kStage), SaveResult::Failed) << folder;
        ASSERT_EQ(dialogs.Calls().size(), 2u) << folder;
        EXPECT_NE(dialogs.Calls()[1].text.find(record), std::string::npos) << folder;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
    EXPECT_EQ(ReadBytes(dir / "game"), "not a folder");
}

}  // namespace
}  // namespace vantrell
