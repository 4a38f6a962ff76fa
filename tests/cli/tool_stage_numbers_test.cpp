// The tool numbers stages as the game's menu does, 1 to 5, in what a person types and reads,
// while the files it reads and writes keep their own numbers (MAP0.DAT, VANREC0.DAT, a run
// file's stage field 0 for the first stage).
#include <gtest/gtest.h>

#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "cli/tool_runner.h"
#include "records/hiscore_table.h"
#include "records/records_test_support.h"
#include "records/run_file.h"

namespace vantrell::test {
namespace {

TEST(ToolStageNumbers, StageZeroIsRefusedWithAHintByEveryCommand) {
    ScratchDir scratch;
    const std::string run = (GameDir() / "S0N0.JOY").string();
    const std::string out = (scratch / "out").string();
    const std::string dir = scratch.path().string();
    const std::vector<std::vector<std::string>> commands = {
        {"verify", "--stage", "0", run},
        {"verify", "--stage", "0"},
        {"table", "--stage", "0"},
        {"export", "--stage", "0", "--rank", "1", "--out", out},
        {"trace", "--stage", "0", "--out", out, run},
        {"render", "--stage", "0", "--x", "150", "--y", "120", "--heading", "0", "--out",
         out + ".png"},
        {"replay", "--stage", "0", "--out", out},
        {"autopilot", "--stage", "0", "--out", out},
        {"make-records", "--stage", "0", "--dir", dir},
        {"check-stage", "--stage", "0"},
        {"world", "table", "--stage", "0", "--server", "http://127.0.0.1:9"},
    };
    for (const std::vector<std::string>& args : commands) {
        const ToolResult result = RunTool(args);
        EXPECT_EQ(result.status, 2) << args[0];
        EXPECT_EQ(result.out, "") << args[0];
        EXPECT_EQ(result.err,
                  "vantrell-tool: --stage 0: stages are numbered 1 to 5, as in the game's menu; "
                  "stage 1 is the first\n")
            << args[0];
    }
    EXPECT_TRUE(std::filesystem::is_empty(scratch.path()));
}

TEST(ToolStageNumbers, StageOneIsTheFirstStageAndIsShownSo) {
    // The first stage's table as its files hold it.
    HiScoreTable first(GameDir());
    first.Load(0);
    first.Rank();
    const int32_t best = SlotOfRank(first, 1);

    const ToolResult verify =
        RunTool({"verify", "--stage", "1",
                 (GameDir() / HiScoreTable::RecordingFileName(0, best)).string()});
    EXPECT_EQ(verify.status, 0) << verify.err;
    EXPECT_EQ(verify.out, "goal " + std::to_string(first.AtRank(1).time) + "\n");

    const ToolResult table = RunTool({"table", "--stage", "1"});
    ASSERT_EQ(table.status, 0) << table.err;
    const std::vector<std::string> lines = Lines(table.out);
    ASSERT_EQ(lines.size(), 11u) << table.out;
    for (int32_t rank = 1; rank <= 10; ++rank) {
        // Stage and rank, then the stored time (its seconds beside it).
        char columns[32];
        std::snprintf(columns, sizeof columns, "    1 %4d ", static_cast<int>(rank));
        EXPECT_EQ(lines[rank].substr(0, 11), columns);
        std::string time = lines[rank].substr(11, 14);
        time.erase(0, time.find_first_not_of(' '));
        EXPECT_EQ(time.rfind(std::to_string(first.AtRank(rank).time) + " (", 0), 0u) << lines[rank];
    }

    ScratchDir scratch;
    const std::string file = (scratch / "best.run").string();
    const ToolResult exported = RunTool({"export", "--stage", "1", "--rank", "1", "--out", file});
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(exported.out.rfind("exported stage 1 rank 1: ", 0), 0u) << exported.out;
    const std::string bytes = ReadBytes(file);
    const RunFileRead read =
        ReadRunFile(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    ASSERT_TRUE(read.run) << read.problem;
    EXPECT_EQ(read.run->stage, 0) << "the run file keeps the files' numbering";
}

}  // namespace
}  // namespace vantrell::test
