// What a user sees when the tool cannot do its work: a non-zero exit and one line that names
// the file or option, the reason and what to do.
#include <gtest/gtest.h>

#include <string>

#include "cli/tool_runner.h"

namespace vantrell::test {
namespace {

void ExpectOneClearLine(const ToolResult& result, const std::string& names,
                        const std::string& reason) {
    EXPECT_NE(result.status, 0);
    EXPECT_EQ(result.out, "");
    const std::vector<std::string> lines = Lines(result.err);
    ASSERT_EQ(lines.size(), 1u) << result.err;
    EXPECT_EQ(lines[0].rfind("vantrell-tool: ", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find(names), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find(reason), std::string::npos) << lines[0];
}

TEST(ToolErrors, RecordingFilesItCannotRead) {
    ScratchFolder scratch;
    const std::string missing = (scratch / "gone.JOY").string();
    ExpectOneClearLine(RunTool({"verify", "--stage", "0", missing}), missing, "no such file");
    ExpectOneClearLine(RunTool({"trace", "--stage", "0", missing}), missing, "no such file");

    const std::string shortFile = (scratch / "short.JOY").string();
    WriteFile(shortFile, std::string(100, '\1'));
    ExpectOneClearLine(RunTool({"verify", "--stage", "0", shortFile}), shortFile,
                       "is 100 bytes, a recording has exactly 2400");
    const std::string longFile = (scratch / "long.JOY").string();
    WriteFile(longFile, std::string(2401, '\0'));
    ExpectOneClearLine(RunTool({"verify", "--stage", "0", longFile}), longFile, "2401 bytes");
    ExpectOneClearLine(RunTool({"verify", "--stage", "0", scratch.path().string()}),
                       scratch.path().string(), "not a file");
    ExpectOneClearLine(RunTool({"verify", "--stage", "0"}), "verify", "no recording file");
}

TEST(ToolErrors, StageNumbersAndOptions) {
    ScratchFolder scratch;
    const std::string file = (scratch / "run.JOY").string();
    WriteFile(file, std::string(2400, '\0'));
    ExpectOneClearLine(RunTool({"verify", "--stage", "5", file}), "--stage 5", "stages 0 to 4");
    ExpectOneClearLine(RunTool({"verify", "--stage", "-1", file}), "--stage -1", "stages 0 to 4");
    ExpectOneClearLine(RunTool({"verify", "--stage", "two", file}), "--stage two",
                       "not a whole number");
    ExpectOneClearLine(RunTool({"verify", file}), "verify", "no stage given");
    ExpectOneClearLine(RunTool({"verify", "--stage", "0", "--speed", "3", file}), "--speed",
                       "unknown option");
    ExpectOneClearLine(RunTool({"verify", "--stage"}), "--stage", "needs a value");
    ExpectOneClearLine(RunTool({"fly", "--stage", "0"}), "fly", "unknown command");
    ExpectOneClearLine(RunTool({"autopilot", "--stage", "0", "--out", file, "--style", "wild"}),
                       "--style wild", "no such driving style");
    ExpectOneClearLine(RunTool({"render", "--stage", "0", "--x", "50", "--y", "30", "--heading",
                                "64", "--out", (scratch / "v.bmp").string()}),
                       "--heading 64", "0..63");
    ExpectOneClearLine(RunTool({"render", "--stage", "0", "--x", "50", "--y", "30", "--heading",
                                "0", "--out", (scratch / "v.gif").string()}),
                       "render", "FILE.bmp");
    // replay without a file needs the stage's records.
    for (const char* name : {"MAP1_8.BMP", "MAP1.DAT", "TYPE_1.DAT", "CHR1_8.BMP", "CHR_H0.DAT",
                             "OBJ1.COD", "CHK1.COD"}) {
        std::filesystem::copy_file(GameDir() / name, scratch / name);
    }
    ExpectOneClearLine(RunTool({"replay", "--stage", "1", "--dir", scratch.path().string(), "--out",
                                (scratch / "run.png").string()}),
                       "VANREC1.DAT", "no records for this stage");
    // A folder without the stage's files.
    ExpectOneClearLine(RunTool({"verify", "--stage", "2", "--dir", scratch.path().string(), file}),
                       "MAP2_8.BMP", "stage file missing");
}

// Each way a save can fail gives its own reason; the file left on disk is the save routine's
// promise (tests/io/atomic_save_test.cpp).
TEST(ToolErrors, PicturesItCannotWrite) {
    ScratchFolder scratch;
    auto render = [&](const std::filesystem::path& out) {
        return RunTool({"render", "--stage", "0", "--x", "50", "--y", "30", "--heading", "0",
                        "--out", out.string()});
    };
    const std::filesystem::path missing = scratch / "missing" / "v.png";
    ExpectOneClearLine(render(missing), missing.string(), "cannot create the file");
    std::filesystem::create_directory(scratch / "taken.png");
    ExpectOneClearLine(render(scratch / "taken.png"), (scratch / "taken.png").string(),
                       "cannot move the new file into place: Is a directory");
    std::filesystem::create_symlink("/dev/full", scratch / "full.png.tmp");
    ExpectOneClearLine(render(scratch / "full.png"), (scratch / "full.png").string(),
                       "write failed (disk full?)");
    const std::filesystem::path bmp = scratch / "missing" / "v.bmp";
    ExpectOneClearLine(render(bmp), bmp.string(), "cannot be written");
}

TEST(ToolErrors, HelpNamesEveryCommand) {
    const ToolResult help = RunTool({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* command :
         {"verify", "trace", "render", "replay", "autopilot", "make-records"}) {
        EXPECT_NE(help.out.find(command), std::string::npos) << command;
    }
    EXPECT_NE(RunTool({}).status, 0);
}

}  // namespace
}  // namespace vantrell::test
