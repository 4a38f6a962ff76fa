// check-stage through the built tool, and the race commands refusing a stage that fails it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/tool_runner.h"

namespace vantrell::test {
namespace {

// Stage 0's files copied from the build's game folder, the height map cut to 100 bytes.
void CopyStageWithCutHeights(const ScratchDir& folder) {
    for (const char* name : {"MAP0_8.BMP", "MAP0.DAT", "TYPE_0.DAT", "CHR0_8.BMP", "CHR_H0.DAT",
                             "OBJ0.COD", "CHK0.COD"}) {
        std::filesystem::copy_file(GameDir() / name, folder / name);
    }
    WriteBytes(folder / "MAP0.DAT", ReadBytes(GameDir() / "MAP0.DAT").substr(0, 100));
}

TEST(ToolCheckStage, PrintsOkOrOneLinePerProblem) {
    const ToolResult good = RunTool({"check-stage", "--stage", "5"});
    EXPECT_EQ(good.status, 0) << good.err;
    EXPECT_EQ(good.out, "ok\n");

    ScratchDir folder;
    CopyStageWithCutHeights(folder);
    std::filesystem::remove(folder / "CHK0.COD");
    const ToolResult bad =
        RunTool({"check-stage", "--stage", "1", "--dir", folder.path().string()});
    EXPECT_EQ(bad.status, 1) << bad.err;
    EXPECT_EQ(bad.err, "");
    EXPECT_EQ(bad.out,
              "MAP0.DAT: is 100 bytes, but the 41 x 41 corner heights need 3362\n"
              "CHK0.COD: no such file\n");

    const ToolResult nowhere =
        RunTool({"check-stage", "--stage", "1", "--dir", (folder / "nowhere").string()});
    EXPECT_EQ(nowhere.status, 2);
    EXPECT_EQ(nowhere.out, "");
    EXPECT_EQ(nowhere.err, "vantrell-tool: " + (folder / "nowhere").string() +
                               ": no such folder; give the game directory with --dir DIR\n");
}

// A stage with a cut height map used to race on whatever the game made of it and print
// "timeup"; every command that loads the stage refuses it now, naming the problem.
TEST(ToolCheckStage, CommandsRefuseAStageThatFailsTheCheck) {
    ScratchDir folder;
    CopyStageWithCutHeights(folder);
    const std::string dir = folder.path().string();
    const std::string run = (GameDir() / "S0N0.JOY").string();
    const std::vector<std::vector<std::string>> commands = {
        {"verify", "--stage", "1", "--dir", dir, run},
        {"trace", "--stage", "1", "--dir", dir, run},
        {"replay", "--stage", "1", "--dir", dir, run, "--out", (folder / "frames").string()},
        {"autopilot", "--stage", "1", "--dir", dir, "--out", (folder / "mine.JOY").string()},
        {"render", "--stage", "1", "--dir", dir, "--x", "50", "--y", "30", "--heading", "0",
         "--out", (folder / "view.png").string()},
    };
    for (const std::vector<std::string>& args : commands) {
        const ToolResult result = RunTool(args);
        EXPECT_EQ(result.status, 2) << args[0];
        EXPECT_EQ(result.out, "") << args[0];
        EXPECT_EQ(result.err, "vantrell-tool: " + (folder / "MAP0.DAT").string() +
                                  ": is 100 bytes, but the 41 x 41 corner heights need 3362; " +
                                  "stage 1 cannot be raced: fix the file or rebuild the game " +
                                  "content (target vantrell-game-content)\n")
            << args[0];
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "frames"));
    EXPECT_FALSE(std::filesystem::exists(folder / "mine.JOY"));
}

}  // namespace
}  // namespace vantrell::test
