// The one way every save reaches the disk: written beside, flushed, closed, renamed over. Files
// saved one by one (no journal; tests/io/save_journal_test.cpp has the set saved as one): a save
// refused at any of its steps, stopped dead at any of them, or failed by the system itself leaves
// each target as the order of renames allows (old, or absent when there was none) and no file
// beside it; the failure names the file, the step and the system's reason.
#include "io/atomic_save.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "records/records_test_support.h"

namespace vantrell {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempGameDir;
using test::WriteBytes;

constexpr int kStopped = 77;  // exit code of a save stopped dead
constexpr std::size_t kFileCount = 3;
constexpr int kStepsPerFile = 5;
constexpr int kRenameStart = 4 * kFileCount;  // every file is written before the first rename

const std::vector<std::string> kNames{"FIRST.DAT", "SECOND.JOY", "THIRD.JOY"};
// Old and new differ in length both ways, and the third is larger than a stdio buffer, so its
// write reaches the system before the flush.
const std::vector<std::string> kOld{std::string(700, 'a'), "old second", std::string(20, 'c')};
const std::vector<std::string> kNew{"new first", std::string(300, 'B'), std::string(20000, 'C')};

struct Folder {
    TempGameDir dir;
    std::vector<FileToSave> files;

    explicit Folder(bool withOldFiles) {
        for (std::size_t i = 0; i < kFileCount; ++i) {
            files.push_back({dir / kNames[i], BytesOf(kNew[i])});
            if (withOldFiles) {
                WriteBytes(dir / kNames[i], kOld[i]);
            }
        }
    }
    std::vector<fs::path> Leftovers() const {
        std::vector<fs::path> found;
        for (const auto& item : fs::directory_iterator(dir.path())) {
            if (item.path().extension() == ".tmp") {
                found.push_back(item.path());
            }
        }
        return found;
    }
    // What target i holds, in a word, so a failure reads short whatever the file's size.
    std::string Holds(std::size_t i) const {
        const fs::path path = dir / kNames[i];
        if (fs::is_directory(path)) {
            return "a folder";
        }
        if (!fs::exists(path)) {
            return "nothing";
        }
        const std::string bytes = ReadBytes(path);
        if (bytes == kNew[i]) {
            return "new";
        }
        if (bytes == kOld[i]) {
            return "old";
        }
        // Appended: GCC 12 warns falsely on "literal" + string.
        std::string other = std::to_string(bytes.size());
        other += " bytes, neither old nor new";
        return other;
    }
    // Checks each target: new where `replaced` says so, else the old file or none at all.
    void Expect(const std::vector<bool>& replaced, bool withOldFiles,
                const std::string& when) const {
        for (std::size_t i = 0; i < kFileCount; ++i) {
            const std::string expected = replaced[i] ? "new" : withOldFiles ? "old" : "nothing";
            EXPECT_EQ(Holds(i), expected) << kNames[i] << " " << when;
        }
    }
};

// Which targets are new after a save stopped dead before `step`: none until the renames, then
// each in order.
std::vector<bool> ReplacedBefore(int step) {
    std::vector<bool> replaced;
    for (std::size_t i = 0; i < kFileCount; ++i) {
        replaced.push_back(kRenameStart + static_cast<int>(i) < step);
    }
    return replaced;
}

// Which targets are new after the save failed at step `failed`: none unless the first was
// replaced, and then all but the one whose rename failed.
std::vector<bool> ReplacedAfterFailing(int failed) {
    std::vector<bool> replaced;
    for (std::size_t i = 0; i < kFileCount; ++i) {
        replaced.push_back(failed > kRenameStart && kRenameStart + static_cast<int>(i) != failed);
    }
    return replaced;
}

TEST(AtomicSave, StepsRunFilePerFileThenTheRenamesInOrderOnTheFilesBeside) {
    Folder folder(true);
    // Paths as text: GoogleTest cannot print a path.
    std::vector<std::pair<SaveStep, std::string>> steps;
    const auto failure =
        SaveFiles(folder.files, {.journal = {}, .hook = [&](SaveStep step, const fs::path& path) {
                                     steps.emplace_back(step, path.string());
                                     return true;
                                 }});
    EXPECT_FALSE(failure.has_value());
    std::vector<std::pair<SaveStep, std::string>> expected;
    for (const std::string& name : kNames) {
        for (SaveStep step :
             {SaveStep::Create, SaveStep::Write, SaveStep::Flush, SaveStep::Close}) {
            expected.emplace_back(step, (folder.dir / (name + ".tmp")).string());
        }
    }
    for (const std::string& name : kNames) {
        expected.emplace_back(SaveStep::Rename, (folder.dir / (name + ".tmp")).string());
    }
    EXPECT_EQ(steps, expected);
    folder.Expect({true, true, true}, true, "after the save");
    EXPECT_TRUE(folder.Leftovers().empty());

    // A single file, and an empty one, replaces the old bytes exactly.
    WriteBytes(folder.dir / "EMPTY", "something");
    EXPECT_FALSE(SaveFile(folder.dir / "EMPTY", {}).has_value());
    EXPECT_TRUE(fs::exists(folder.dir / "EMPTY"));
    EXPECT_EQ(ReadBytes(folder.dir / "EMPTY"), "");
}

TEST(AtomicSave, AStepRefusedAnywhereIsReportedAndLeavesNothingHalfDone) {
    const int steps = kStepsPerFile * kFileCount;
    for (bool withOldFiles : {true, false}) {
        for (int refused = 0; refused < steps; ++refused) {
            const std::string when = "with step " + std::to_string(refused) + " refused" +
                                     (withOldFiles ? "" : ", no old files");
            Folder folder(withOldFiles);
            int step = 0;
            SaveStep refusedStep{};
            const auto failure = SaveFiles(
                folder.files, {.journal = {}, .hook = [&](SaveStep kind, const fs::path&) {
                                   if (step++ == refused) {
                                       refusedStep = kind;
                                       return false;
                                   }
                                   return true;
                               }});
            ASSERT_TRUE(failure.has_value()) << when;
            const std::size_t file = refused < kRenameStart ? refused / 4 : refused - kRenameStart;
            EXPECT_EQ(failure->file, file) << when;
            EXPECT_EQ(failure->path.string(), folder.files[file].target.string()) << when;
            EXPECT_EQ(failure->step, refusedStep) << when;
            EXPECT_EQ(failure->error, std::errc::io_error) << when;
            folder.Expect(ReplacedAfterFailing(refused), withOldFiles, when);
            EXPECT_TRUE(folder.Leftovers().empty()) << when;

            EXPECT_FALSE(SaveFiles(folder.files).has_value()) << when;
            folder.Expect({true, true, true}, withOldFiles, when + ", then saved again");
        }
    }
}

// The save runs in a child process that dies before the chosen step, as a game killed or a
// machine losing power would; the folder is then looked at as the next start would find it.
TEST(AtomicSave, ASaveStoppedDeadAtAnyStepLeavesEachTargetOldOrNew) {
    GTEST_FLAG_SET(death_test_style, "fast");
    const int steps = kStepsPerFile * kFileCount;
    for (bool withOldFiles : {true, false}) {
        for (int stop = 0; stop <= steps; ++stop) {
            const std::string when = "stopped before step " + std::to_string(stop) +
                                     (withOldFiles ? "" : ", no old files");
            Folder folder(withOldFiles);
            int step = 0;
            const SaveStepHook hook = [&](SaveStep, const fs::path&) {
                if (step++ == stop) {
                    _exit(kStopped);
                }
                return true;
            };
            EXPECT_EXIT(
                {
                    SaveFiles(folder.files, {.journal = {}, .hook = hook});
                    _exit(kStopped);
                },
                testing::ExitedWithCode(kStopped), "")
                << when;
            folder.Expect(ReplacedBefore(stop), withOldFiles, when);
            if (stop == steps) {
                EXPECT_TRUE(folder.Leftovers().empty()) << when;
            }

            // The next save writes over whatever the last one left beside and tidies up.
            EXPECT_FALSE(SaveFiles(folder.files).has_value()) << when;
            folder.Expect({true, true, true}, withOldFiles, when + ", then saved again");
            EXPECT_TRUE(folder.Leftovers().empty()) << when;
        }
    }
}

// Real failures of the system, without the hook.
TEST(AtomicSave, SystemFailuresCarryTheStepAndTheReason) {
    struct Case {
        std::string what;
        std::function<void(const TempGameDir&)> arrange;
        std::size_t file;
        SaveStep step;
        std::errc error;
        std::vector<bool> replaced;
    };
    auto folderAt = [](const TempGameDir& dir, const std::string& name) {
        fs::remove(dir / name);
        fs::create_directory(dir / name);
        WriteBytes(dir / name / "keep", "x");  // a folder with something in it stays
    };
    auto fullDiskUnder = [](const TempGameDir& dir, const std::string& name) {
        fs::create_symlink("/dev/full", TemporaryBeside(dir / name));
    };
    const std::vector<Case> cases = {
        {"a folder where the first file is written beside",
         [&](const TempGameDir& dir) { folderAt(dir, kNames[0] + ".tmp"); },
         0,
         SaveStep::Create,
         std::errc::is_a_directory,
         {false, false, false}},
        {"a full disk under a small file",
         [&](const TempGameDir& dir) { fullDiskUnder(dir, kNames[1]); },
         1,
         SaveStep::Flush,
         std::errc::no_space_on_device,
         {false, false, false}},
        {"a full disk under a large file",
         [&](const TempGameDir& dir) { fullDiskUnder(dir, kNames[2]); },
         2,
         SaveStep::Write,
         std::errc::no_space_on_device,
         {false, false, false}},
        {"a folder where the first file should be",
         [&](const TempGameDir& dir) { folderAt(dir, kNames[0]); },
         0,
         SaveStep::Rename,
         std::errc::is_a_directory,
         {false, false, false}},
        {"a folder where the second file should be",
         [&](const TempGameDir& dir) { folderAt(dir, kNames[1]); },
         1,
         SaveStep::Rename,
         std::errc::is_a_directory,
         {true, false, true}},
    };
    for (const Case& c : cases) {
        Folder folder(true);
        c.arrange(folder.dir);
        const auto failure = SaveFiles(folder.files);
        ASSERT_TRUE(failure.has_value()) << c.what;
        EXPECT_EQ(failure->file, c.file) << c.what;
        EXPECT_EQ(failure->step, c.step) << c.what;
        EXPECT_EQ(failure->error, c.error) << c.what << ": " << failure->error.message();
        for (std::size_t i = 0; i < kFileCount; ++i) {
            const std::string holds = folder.Holds(i);
            if (holds != "a folder") {  // the folder in the way is not ours, and left alone
                EXPECT_EQ(holds, c.replaced[i] ? "new" : "old") << kNames[i] << " with " << c.what;
            }
        }
        for (const fs::path& leftover : folder.Leftovers()) {
            EXPECT_TRUE(fs::is_directory(leftover)) << leftover << " left with " << c.what;
        }
    }

    // A folder that is missing, or a file where the folder should be: nothing to write into.
    TempGameDir dir;
    WriteBytes(dir / "plain", "not a folder");
    const std::string bytes = "bytes";
    const auto missing = SaveFile(dir / "missing" / "X.DAT", BytesOf(bytes));
    ASSERT_TRUE(missing.has_value());
    EXPECT_EQ(missing->step, SaveStep::Create);
    EXPECT_EQ(missing->error, std::errc::no_such_file_or_directory);
    const auto notFolder = SaveFile(dir / "plain" / "X.DAT", BytesOf(bytes));
    ASSERT_TRUE(notFolder.has_value());
    EXPECT_EQ(notFolder->step, SaveStep::Create);
    EXPECT_EQ(notFolder->error, std::errc::not_a_directory);
    EXPECT_FALSE(fs::exists(dir / "missing"));
    EXPECT_EQ(ReadBytes(dir / "plain"), "not a folder");
}

}  // namespace
}  // namespace vantrell
