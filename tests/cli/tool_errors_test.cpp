// What a user sees when the tool cannot do its work: a non-zero exit and one line that names
// the file or option, the reason and what to do.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "cli/tool_runner.h"

namespace vantrell::test {
namespace {

// Input the tool cannot use: exit status 2, nothing on standard output, one line on error.
void ExpectOneClearLine(const ToolResult& result, const std::string& names,
                        const std::string& reason) {
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    const std::vector<std::string> lines = Lines(result.err);
    ASSERT_EQ(lines.size(), 1u) << result.err;
    EXPECT_EQ(lines[0].rfind("vantrell-tool: ", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find(names), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find(reason), std::string::npos) << lines[0];
}

TEST(ToolErrors, RecordingFilesItCannotRead) {
    ScratchDir scratch;
    const std::string missing = (scratch / "gone.JOY").string();
    ExpectOneClearLine(RunTool({"verify", "--stage", "1", missing}), missing, "no such file");
    ExpectOneClearLine(RunTool({"trace", "--stage", "1", missing}), missing, "no such file");

    const std::string shortFile = (scratch / "short.JOY").string();
    WriteBytes(shortFile, std::string(100, '\1'));
    ExpectOneClearLine(RunTool({"verify", "--stage", "1", shortFile}), shortFile,
                       "is 100 bytes, a recording has exactly 2400");
    const std::string longFile = (scratch / "long.JOY").string();
    WriteBytes(longFile, std::string(2401, '\0'));
    ExpectOneClearLine(RunTool({"verify", "--stage", "1", longFile}), longFile, "2401 bytes");
    ExpectOneClearLine(RunTool({"verify", "--stage", "1", scratch.path().string()}),
                       scratch.path().string(), "not a file");
}

TEST(ToolErrors, StageNumbersAndOptions) {
    ScratchDir scratch;
    const std::string file = (scratch / "run.JOY").string();
    WriteBytes(file, std::string(2400, '\0'));
    ExpectOneClearLine(RunTool({"verify", "--stage", "6", file}), "--stage 6", "stages 1 to 5");
    ExpectOneClearLine(RunTool({"verify", "--stage", "-1", file}), "--stage -1", "stages 1 to 5");
    ExpectOneClearLine(RunTool({"verify", "--stage", "two", file}), "--stage two",
                       "not a whole number");
    ExpectOneClearLine(RunTool({"verify", file}), "verify", "no stage given");
    ExpectOneClearLine(RunTool({"verify", "--stage", "1", "--speed", "3", file}), "--speed",
                       "unknown option");
    ExpectOneClearLine(RunTool({"verify", "--stage"}), "--stage", "needs a value");
    ExpectOneClearLine(RunTool({"fly", "--stage", "1"}), "fly", "unknown command");
    ExpectOneClearLine(RunTool({"autopilot", "--stage", "1", "--out", file, "--style", "wild"}),
                       "--style wild", "no such driving style");
    ExpectOneClearLine(RunTool({"render", "--stage", "1", "--x", "50", "--y", "30", "--heading",
                                "64", "--out", (scratch / "v.bmp").string()}),
                       "--heading 64", "0..63");
    ExpectOneClearLine(RunTool({"render", "--stage", "1", "--x", "50", "--y", "30", "--heading",
                                "0", "--out", (scratch / "v.gif").string()}),
                       "render", "FILE.bmp");
    // replay without a file needs the stage's records.
    for (const char* name : {"MAP1_8.BMP", "MAP1.DAT", "TYPE_1.DAT", "CHR1_8.BMP", "CHR_H0.DAT",
                             "OBJ1.COD", "CHK1.COD"}) {
        std::filesystem::copy_file(GameDir() / name, scratch / name);
    }
    ExpectOneClearLine(RunTool({"replay", "--stage", "2", "--dir", scratch.path().string(), "--out",
                                (scratch / "run.png").string()}),
                       "VANREC1.DAT", "no records for this stage");
    // A folder that is not there, or not a folder.
    ExpectOneClearLine(
        RunTool({"verify", "--stage", "3", "--dir", (scratch / "nowhere").string(), file}),
        (scratch / "nowhere").string(), "no such folder");
    ExpectOneClearLine(RunTool({"verify", "--stage", "3", "--dir", file, file}), file,
                       "not a folder");
}

// Each command takes its own options; any other is refused, however valid it is elsewhere.
TEST(ToolErrors, OptionsAndArgumentsACommandDoesNotTake) {
    ScratchDir scratch;
    const std::string run = (GameDir() / "S0N0.JOY").string();
    const std::string out = (scratch / "out.png").string();
    const std::string dir = GameDir().string();
    const std::vector<std::string> view = {"--stage", "1",         "--x", "5",     "--y",
                                           "30",      "--heading", "0",   "--out", out};
    auto with = [](std::vector<std::string> args, std::vector<std::string> more) {
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };
    struct Case {
        std::vector<std::string> args;
        std::string says;
    };
    const std::vector<Case> cases = {
        {{"verify", "--stage", "1", "--out", out, run}, "verify: does not take --out"},
        {{"verify", "--stage", "1", "--replace", run}, "verify: does not take --replace"},
        {{"verify", "--stage", "1", "--ladder", run}, "verify: --ladder checks the stored tables"},
        {{"table", "--stage", "1", "--ladder"}, "table: does not take --ladder"},
        {{"trace", "--stage", "1", "--every", "2", run}, "trace: does not take --every"},
        {with({"render"}, with(view, {"--style", "bold"})), "render: does not take --style"},
        {with({"render"}, with(view, {run})), "render: does not take the argument '" + run},
        {{"replay", "--stage", "1", "--heading", "3", "--out", out},
         "replay: does not take --heading"},
        {{"autopilot", "--stage", "1", "--out", out, "--every", "3"},
         "autopilot: does not take --every"},
        {{"autopilot", "--stage", "1", "--out", out, run}, "autopilot: does not take the argument"},
        {{"make-records", "--x", "3"}, "make-records: does not take --x"},
        {{"make-records", "--dir", dir, "extra"}, "make-records: does not take the argument"},
        {{"check-stage", "--stage", "1", "--replace"}, "check-stage: does not take --replace"},
        {{"verify", "--stage", "1", "--dir", dir, "--dir", dir, run}, "--dir: given twice"},
        {{"verify", "--stage", "1", run, run}, "verify: does not take the argument '" + run},
    };
    for (const Case& c : cases) {
        ExpectOneClearLine(RunTool(c.args), c.says, "");
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

// Only where a craft can be (x 0..400, y 6..387) is a view the game's own.
TEST(ToolErrors, RenderOffTheCourse) {
    ScratchDir scratch;
    const std::string out = (scratch / "view.bmp").string();
    auto render = [&](int32_t x, int32_t y) {
        return RunTool({"render", "--stage", "2", "--x", std::to_string(x), "--y",
                        std::to_string(y), "--heading", "9", "--out", out});
    };
    const int32_t off[][2] = {{-1, 30}, {401, 30}, {50, 5}, {50, 388}, {50, -200}, {50, 600}};
    for (const auto& at : off) {
        std::string where = "render: (";
        where += std::to_string(at[0]) + ", " + std::to_string(at[1]) + ") is off the course";
        ExpectOneClearLine(render(at[0], at[1]), where, "give --x 0..400 and --y 6..387");
    }
    EXPECT_FALSE(std::filesystem::exists(out));
    for (const auto& at : {std::pair{0, 6}, std::pair{400, 387}}) {
        const ToolResult edge = render(at.first, at.second);
        EXPECT_EQ(edge.status, 0) << at.first << ", " << at.second << ": " << edge.err;
        EXPECT_EQ(ReadBytes(out).size(), 54u + 1024 + 96 * 120);
        std::filesystem::remove(out);
    }
}

TEST(ToolErrors, ReplayToANameItCannotHonour) {
    ScratchDir scratch;
    ExpectOneClearLine(RunTool({"replay", "--stage", "2", "--out", (scratch / "run.gif").string()}),
                       "--out " + (scratch / "run.gif").string(),
                       "neither a folder nor a .png file");
    EXPECT_FALSE(std::filesystem::exists(scratch / "run.gif"));
    // A folder that is already there is a folder, whatever its name looks like.
    std::filesystem::create_directory(scratch / "frames.d");
    const ToolResult folder = RunTool(
        {"replay", "--stage", "2", "--every", "2000", "--out", (scratch / "frames.d").string()});
    EXPECT_EQ(folder.status, 0) << folder.err;
    EXPECT_TRUE(std::filesystem::exists(scratch / "frames.d" / "frame_0001.png"));
}

// Each way a save can fail gives its own reason; the file left on disk is the save routine's
// promise (tests/io/atomic_save_test.cpp).
TEST(ToolErrors, PicturesItCannotWrite) {
    ScratchDir scratch;
    auto render = [&](const std::filesystem::path& out) {
        return RunTool({"render", "--stage", "1", "--x", "50", "--y", "30", "--heading", "0",
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
    for (const char* command : {"verify", "trace", "render", "replay", "autopilot", "make-records",
                                "check-stage", "table", "export", "import"}) {
        EXPECT_NE(help.out.find(command), std::string::npos) << command;
    }
    EXPECT_NE(RunTool({}).status, 0);
}

}  // namespace
}  // namespace vantrell::test
