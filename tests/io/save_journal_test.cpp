// What settling a stopped save under a journal decides beyond the straight path (the fault
// tests in tests/faults/ stop and refuse every step of a real save): a journal whose files are
// not whole is undone, and a new save first finishes the one a journal names.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "io/atomic_save.h"
#include "records/records_test_support.h"

namespace vantrell {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempGameDir;
using test::WriteBytes;

constexpr int kStopped = 77;
constexpr int kFirstRename = 18;  // three files and the journal written, renamed, synced
const std::vector<std::string> kNames{"S1N0.JOY", "S1N1.JOY", "VANREC1.DAT"};

struct Set {
    TempGameDir dir;
    fs::path journal = dir / "VANREC1.JNL";
    std::vector<fs::path> targets{dir / kNames[0], dir / kNames[1], dir / kNames[2]};

    Set() {
        for (const fs::path& target : targets) {
            WriteBytes(target, "old");
        }
    }
    // Saves `bytes` into every target, stopped dead before step `stop`.
    void SaveStopped(const std::string& bytes, int stop) {
        std::vector<FileToSave> files;
        for (const fs::path& target : targets) {
            files.push_back({target, BytesOf(bytes)});
        }
        int step = 0;
        const SaveStepHook hook = [&](SaveStep, const fs::path&) {
            if (step++ == stop) {
                _exit(kStopped);
            }
            return true;
        };
        EXPECT_EXIT(SaveFiles(files, {journal, hook}), testing::ExitedWithCode(kStopped), "");
    }
    std::string Holds() const {
        std::string all;
        for (const fs::path& target : targets) {
            all += ReadBytes(target) + " ";
        }
        return all;
    }
    std::size_t FilesInFolder() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir.path()), {}));
    }
};

TEST(SaveJournal, AJournalWhoseFilesAreNotWholeIsUndone) {
    GTEST_FLAG_SET(death_test_style, "fast");
    Set set;
    set.SaveStopped(std::string(5000, 'n'), kFirstRename);
    fs::resize_file(TemporaryBeside(set.targets[1]), 100);  // a flush the disk did not keep
    EXPECT_EQ(RecoverSave(set.journal, set.targets).outcome, Recovery::RolledBack);
    EXPECT_EQ(set.Holds(), "old old old ");
    EXPECT_EQ(set.FilesInFolder(), 3u);

    // A journal cut short names files that cannot all be known: what is beside the targets goes.
    for (const fs::path& target : set.targets) {
        WriteBytes(TemporaryBeside(target), "beside");
    }
    WriteBytes(set.journal, "VANTRELL SAVE JOURNAL 1\n3\n6 0000000000000000 S1N0.JOY\n");
    EXPECT_EQ(RecoverSave(set.journal, set.targets).outcome, Recovery::RolledBack);
    EXPECT_EQ(set.Holds(), "old old old ");
    EXPECT_EQ(set.FilesInFolder(), 3u);
}

// Stopped between its first and second rename, a save leaves "new" in the first target only;
// the next save, stopped as it writes its second file beside, must have finished that one
// first. Otherwise the old journal finds the files beside overwritten and undoes only half.
TEST(SaveJournal, ASaveFirstFinishesTheSaveAJournalNames) {
    GTEST_FLAG_SET(death_test_style, "fast");
    Set set;
    set.SaveStopped("new", kFirstRename + 1);
    ASSERT_EQ(set.Holds(), "new old old ");
    // Four steps finish the first save (two renames, the sync, the removal of its journal);
    // then the first file beside is written in four, and the second is created at step 8.
    set.SaveStopped("newer", 9);
    RecoverSave(set.journal, set.targets);
    EXPECT_EQ(set.Holds(), "new new new ");
    EXPECT_EQ(set.FilesInFolder(), 3u);
}

}  // namespace
}  // namespace vantrell
