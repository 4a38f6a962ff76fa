// make-records on a folder that already holds runs: the ten best of theirs and ours are kept,
// theirs first on equal times; --replace writes ours alone, as the build does.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/tool_runner.h"
#include "records/hiscore_table.h"
#include "records/records_test_support.h"

namespace vantrell::test {
namespace {

struct HandRun {
    std::string name;
    int32_t time;
    char fill;  // every byte of its recording
};

// Stage 1's files and a record file written by hand: the runs in slots 0.., the rest empty.
void PrepareFolder(const ScratchDir& folder, const std::vector<HandRun>& runs) {
    for (const char* name : {"MAP1_8.BMP", "MAP1.DAT", "TYPE_1.DAT", "CHR1_8.BMP", "CHR_H0.DAT",
                             "OBJ1.COD", "CHK1.COD"}) {
        std::filesystem::copy_file(GameDir() / name, folder / name);
    }
    std::string text;
    for (size_t k = 0; k < kHiScoreSlots; ++k) {
        const bool run = k < runs.size();
        char time[16];
        std::snprintf(time, sizeof time, "%5d", run ? runs[k].time : kEmptyTime);
        text += run ? runs[k].name : std::string(kEmptyName);
        text += "\r\n";
        text += time;
        text += "\r\n";
        WriteBytes(folder / HiScoreTable::RecordingFileName(1, static_cast<int32_t>(k)),
                   std::string(kRecordingBytes, run ? runs[k].fill : '\0'));
    }
    WriteBytes(folder / HiScoreTable::RecordFileName(1), text);
}

// The table's entries best first.
std::vector<HiScoreEntry> BestFirst(const std::filesystem::path& dir) {
    HiScoreTable table(dir);
    table.Load(1);
    return test::BestFirst(table);
}

std::string RecordFiles(const std::filesystem::path& dir) {
    std::string all = ReadBytes(dir / HiScoreTable::RecordFileName(1));
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        all += ReadBytes(dir / HiScoreTable::RecordingFileName(1, k));
    }
    return all;
}

TEST(MakeRecords, KeepsTheTenBestOfTheFolderRunsAndItsOwn) {
    // The build's table is exactly our runs (made with --replace), fastest first.
    const std::vector<HiScoreEntry> ours = BestFirst(GameDir());
    ASSERT_EQ(ours.size(), 10u);
    ScratchDir folder;
    PrepareFolder(folder, {{"Quick Hand", 300, '\x11'},
                           {kEmptyName, kEmptyTime, '\0'},
                           {"Tie Maker", ours[0].time, '\x22'},
                           {"Slow Coach", 2000, '\x33'}});
    const ToolResult made =
        RunTool({"make-records", "--stage", "2", "--dir", folder.path().string()});
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_NE(made.out.find("stage 2  kept 2 of the 3 runs already in the folder"),
              std::string::npos)
        << made.out;
    EXPECT_EQ(made.out.find("stage 1 "), std::string::npos) << "--stage 2 races stage 2 only";

    const std::vector<HiScoreEntry> table = BestFirst(folder.path());
    ASSERT_EQ(table.size(), 10u);
    EXPECT_EQ(table[0].name, "Quick Hand");
    EXPECT_EQ(table[0].time, 300);
    Recording filled;
    filled.fill(0x11);
    EXPECT_EQ(table[0].recording, filled);
    EXPECT_EQ(table[1].name, "Tie Maker") << "the folder's run first on an equal time";
    EXPECT_EQ(table[1].time, ours[0].time);
    filled.fill(0x22);
    EXPECT_EQ(table[1].recording, filled);
    for (size_t k = 2; k < table.size(); ++k) {
        EXPECT_EQ(table[k].name, ours[k - 2].name) << k;
        EXPECT_EQ(table[k].time, ours[k - 2].time) << k;
        EXPECT_EQ(table[k].recording, ours[k - 2].recording) << k;
    }
}

TEST(MakeRecords, ReplaceWritesItsOwnRunsOnly) {
    ScratchDir folder;
    PrepareFolder(folder, {{"Quick Hand", 300, '\x11'}});
    const ToolResult replaced =
        RunTool({"make-records", "--stage", "2", "--replace", "--dir", folder.path().string()});
    ASSERT_EQ(replaced.status, 0) << replaced.err;
    EXPECT_EQ(replaced.out.find("kept"), std::string::npos) << replaced.out;
    EXPECT_EQ(RecordFiles(folder.path()), RecordFiles(GameDir())) << "the build's own records";
}

// Made again over its own output: each run is there already, so nothing changes.
TEST(MakeRecords, ARunAlreadyInTheFolderIsNotEnteredTwice) {
    ScratchDir folder;
    PrepareFolder(folder, {});
    std::filesystem::copy(GameDir() / HiScoreTable::RecordFileName(1), folder.path(),
                          std::filesystem::copy_options::overwrite_existing);
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        std::filesystem::copy(GameDir() / HiScoreTable::RecordingFileName(1, k), folder.path(),
                              std::filesystem::copy_options::overwrite_existing);
    }
    const ToolResult again =
        RunTool({"make-records", "--stage", "2", "--dir", folder.path().string()});
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_NE(again.out.find("kept 10 of the 10 runs"), std::string::npos) << again.out;
    EXPECT_EQ(RecordFiles(folder.path()), RecordFiles(GameDir()));
}

}  // namespace
}  // namespace vantrell::test
