// export and import through the built tool, between copies of the game folder: a shared run
// arrives byte for byte, and a file that is damaged, cut short, set on other stage files or
// claiming a time its recording does not drive to changes nothing.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "cli/tool_runner.h"
#include "records/records_test_support.h"
#include "records/run_file.h"

namespace vantrell::test {
namespace {

namespace fs = std::filesystem;

using FolderBytes = std::map<std::string, std::string>;

FolderBytes ReadFolder(const fs::path& dir) {
    FolderBytes files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dir)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), dir).string()] = ReadBytes(entry.path());
        }
    }
    return files;
}

fs::path CopyGame(const ScratchDir& scratch, const std::string& name) {
    const fs::path dir = scratch / name;
    fs::copy(GameDir(), dir, fs::copy_options::recursive);
    return dir;
}

TEST(ToolRunFiles, ExportedRunEntersAnotherFolderByteForByte) {
    ScratchDir scratch;
    const fs::path from = CopyGame(scratch, "from");
    const fs::path to = CopyGame(scratch, "to");
    // The best run of stage 1 gets a Shift-JIS name, which must travel as its bytes; the other
    // folder lacks that run (its entry is empty).
    HiScoreTable table(from);
    table.Load(1);
    const int32_t slot = test::SlotOfRank(table, 1);
    table.NameRun(1, "\x83\x65\x83\x58\x83\x67 1");
    ASSERT_TRUE(table.Write(1).written);
    test::EmptyRankOnDisk(to, 1, 1);
    const std::string joy = HiScoreTable::RecordingFileName(1, slot);
    const FolderBytes before = ReadFolder(to);

    const std::string file = (scratch / "best.run").string();
    const ToolResult exported =
        RunTool({"export", "--stage", "2", "--rank", "1", "--dir", from.string(), "--out", file});
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(ReadBytes(file).size(), kRunFileBytes);

    const ToolResult imported = RunTool({"import", file, "--dir", to.string()});
    EXPECT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(imported.out.rfind("imported into stage 2 at rank 1: テスト 1, ", 0), 0u)
        << imported.out;
    // The run went into the emptied slot, so stage 1 is now as in the first folder; every
    // other file kept its bytes.
    FolderBytes after = ReadFolder(to);
    EXPECT_EQ(after["VANREC1.DAT"], ReadBytes(from / "VANREC1.DAT"));
    EXPECT_EQ(after[joy], ReadBytes(from / joy));
    after["VANREC1.DAT"] = before.at("VANREC1.DAT");
    after[joy] = before.at(joy);
    EXPECT_EQ(after, before);

    // Again: it is there already, and nothing changes.
    const FolderBytes done = ReadFolder(to);
    const ToolResult again = RunTool({"import", file, "--dir", to.string()});
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_NE(again.out.find("already in the table of stage 2 at rank 1"), std::string::npos);
    EXPECT_EQ(ReadFolder(to), done);
}

TEST(ToolRunFiles, FilesThatCannotBeTrustedChangeNothing) {
    ScratchDir scratch;
    const std::string good = (scratch / "good.run").string();
    ASSERT_EQ(RunTool({"export", "--stage", "4", "--rank", "2", "--out", good}).status, 0);
    // Each refused file would otherwise enter (the run is faster than rank 10) or be found
    // already there; either way the exit status and the reason would tell.
    const std::string bytes = ReadBytes(good);

    RunFile run =
        *ReadRunFile(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())).run;
    ++run.time;
    const std::vector<uint8_t> slower = WriteRunFile(run);
    std::string damaged = bytes;
    damaged[1000] = static_cast<char>(damaged[1000] ^ 1);

    struct Case {
        const char* what;
        std::string bytes;
        bool otherCourse;
        int status;
        const char* reason;
    };
    const std::vector<Case> cases = {
        {"damaged", damaged, false, 2, ": is damaged: its checksum does not match its contents"},
        {"cut", bytes.substr(0, 2000), false, 2, ": is cut short: 2000 bytes of the 2494"},
        {"slower", std::string(slower.begin(), slower.end()), false, 1, ": claims "},
        {"course", bytes, true, 2, ": made on another course: the stage 4 files in "},
    };
    for (const Case& c : cases) {
        const fs::path dir = CopyGame(scratch, c.what);
        if (c.otherCourse) {
            // One height profile value differs: a stage that passes the check, but not the one
            // the run was set on.
            std::string profiles = ReadBytes(dir / "CHR_H0.DAT");
            profiles[40000] = static_cast<char>(profiles[40000] ^ 2);
            WriteBytes(dir / "CHR_H0.DAT", profiles);
        }
        const FolderBytes before = ReadFolder(dir);
        const std::string file = (scratch / (std::string(c.what) + ".run")).string();
        WriteBytes(file, c.bytes);
        const ToolResult result = RunTool({"import", file, "--dir", dir.string()});
        EXPECT_EQ(result.status, c.status) << c.what << ": " << result.err;
        EXPECT_EQ(result.out, "") << c.what;
        EXPECT_EQ(Lines(result.err).size(), 1u) << c.what << ": " << result.err;
        EXPECT_EQ(result.err.rfind("vantrell-tool: " + file + c.reason, 0), 0u) << result.err;
        EXPECT_NE(result.err.find("nothing imported"), std::string::npos) << result.err;
        EXPECT_EQ(ReadFolder(dir), before) << c.what;
    }
}

}  // namespace
}  // namespace vantrell::test
