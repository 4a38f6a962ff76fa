// Stage packs through the built tool, as a player makes and shares them: a design becomes a
// pack (the built-in stage's design gives that stage's very files and runs), a pack is raced,
// listed, exported from and imported into like a built-in stage, a design's faults are named
// by their line, and a pack the reader refuses is refused by every command.
#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "cli/tool_runner.h"
#include "records/records_test_support.h"
#include "records/run_file.h"

namespace vantrell::test {
namespace {

namespace fs = std::filesystem;

const fs::path kPacks = VANTRELL_PACK_DIR;
const fs::path kSource = VANTRELL_SOURCE_DIR;

RunFile ReadRun(const std::string& file) {
    const std::string bytes = ReadBytes(file);
    const RunFileRead read =
        ReadRunFile(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    EXPECT_TRUE(read.run) << read.problem;
    return read.run.value_or(RunFile{});
}

// The lines of a table without their first column (the stage number).
std::vector<std::string> WithoutStage(const std::string& out) {
    std::vector<std::string> lines = Lines(out);
    for (std::string& line : lines) {
        line = line.substr(5);
    }
    return lines;
}

TEST(ToolPacks, BuiltInDesignMakesThePackOfItsStage) {
    ScratchDir scratch;
    const std::string pack = (scratch / "harbour.vstage").string();
    const ToolResult made = RunTool(
        {"make-stage", (kSource / "tools/contentgen/stages/stage3.toml").string(), "--out", pack});
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_NE(made.out.find("made " + pack + ": Harbour Works (港の倉庫街), "), std::string::npos)
        << made.out;
    EXPECT_EQ(RunTool({"check-stage", "--pack", pack}).out, "ok\n");

    // The pack's table is the build's table of stage 4 (stage3.toml): the same runs, each driving
    // to its time.
    const ToolResult packTable = RunTool({"table", "--pack", pack});
    const ToolResult stageTable = RunTool({"table", "--stage", "4"});
    ASSERT_EQ(packTable.status, 0) << packTable.err;
    EXPECT_EQ(Lines(packTable.out).size(), 11u);
    EXPECT_EQ(WithoutStage(packTable.out), WithoutStage(stageTable.out));

    // And the same course: a run exported from either names the same digest.
    const std::string fromPack = (scratch / "pack.run").string();
    const std::string fromStage = (scratch / "stage.run").string();
    ASSERT_EQ(RunTool({"export", "--pack", pack, "--rank", "1", "--out", fromPack}).status, 0);
    ASSERT_EQ(RunTool({"export", "--stage", "4", "--rank", "1", "--out", fromStage}).status, 0);
    const RunFile packRun = ReadRun(fromPack);
    const RunFile stageRun = ReadRun(fromStage);
    EXPECT_EQ(packRun.stage, 0);
    EXPECT_EQ(packRun.course, stageRun.course);
    EXPECT_EQ(packRun.recording, stageRun.recording);
}

TEST(ToolPacks, SharedRunEntersThePackAndOnlyThatPack) {
    ScratchDir scratch;
    const fs::path pack = scratch / "lakeside.vstage";
    const fs::path other = scratch / "quarry.vstage";
    fs::copy_file(kPacks / "lakeside.vstage", pack);
    fs::copy_file(kPacks / "quarry.vstage", other);

    const ToolResult verified = RunTool({"verify", "--pack", pack.string()});
    EXPECT_EQ(verified.status, 0) << verified.err;
    const std::vector<std::string> lines = Lines(verified.out);
    ASSERT_EQ(lines.size(), 11u) << verified.out;
    for (size_t i = 1; i < lines.size(); ++i) {
        EXPECT_NE(lines[i].find(" ok "), std::string::npos) << lines[i];
    }

    // A run nobody holds yet: the best run with a byte past its finish changed, which the race
    // never reads, so it drives to the same time.
    const std::string best = (scratch / "best.run").string();
    ASSERT_EQ(RunTool({"export", "--pack", pack.string(), "--rank", "1", "--out", best}).status, 0);
    RunFile run = ReadRun(best);
    run.recording[2399] ^= 1;
    const std::string shared = (scratch / "shared.run").string();
    const std::vector<uint8_t> sharedBytes = WriteRunFile(run);
    WriteBytes(shared, std::string(sharedBytes.begin(), sharedBytes.end()));

    const std::string otherBefore = ReadBytes(other);
    const ToolResult wrongPack = RunTool({"import", shared, "--pack", other.string()});
    EXPECT_EQ(wrongPack.status, 2);
    EXPECT_NE(wrongPack.err.find("made on another course"), std::string::npos) << wrongPack.err;
    EXPECT_EQ(ReadBytes(other), otherBefore);
    const ToolResult wrongStage = RunTool({"import", shared});
    EXPECT_EQ(wrongStage.status, 2);
    EXPECT_NE(wrongStage.err.find("made on another course"), std::string::npos) << wrongStage.err;

    const std::string before = ReadBytes(pack);
    const ToolResult imported = RunTool({"import", shared, "--pack", pack.string()});
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(imported.out.rfind("imported into " + pack.string() + " at rank 2: ", 0), 0u)
        << imported.out;
    EXPECT_NE(ReadBytes(pack), before);

    // The pack was saved whole: it reads, its course is unchanged, the run is in its table
    // beside the one it came from, and every run drives to its time.
    EXPECT_EQ(RunTool({"check-stage", "--pack", pack.string()}).out, "ok\n");
    const ToolResult table = RunTool({"table", "--pack", pack.string()});
    const std::vector<std::string> rows = Lines(table.out);
    ASSERT_EQ(rows.size(), 11u) << table.out;
    // The stored time with its seconds at 16 ms a tick, then the time driven.
    char time[32];
    std::snprintf(time, sizeof time, "%d (%.2f s)", static_cast<int>(run.time), run.time * 0.016);
    char row[64];
    for (const int rank : {1, 2}) {
        std::snprintf(row, sizeof row, "    1 %4d %14s %6d ok ", rank, time,
                      static_cast<int>(run.time));
        EXPECT_EQ(rows[rank].rfind(row, 0), 0u) << rows[rank];
    }
    EXPECT_EQ(RunTool({"verify", "--pack", pack.string()}).status, 0);
    const std::string again = (scratch / "again.run").string();
    ASSERT_EQ(RunTool({"export", "--pack", pack.string(), "--rank", "2", "--out", again}).status,
              0);
    EXPECT_EQ(ReadBytes(again), ReadBytes(shared));

    const std::string after = ReadBytes(pack);
    const ToolResult twice = RunTool({"import", shared, "--pack", pack.string()});
    EXPECT_EQ(twice.status, 0);
    EXPECT_NE(twice.out.find("already in the table of " + pack.string() + " at rank 2"),
              std::string::npos)
        << twice.out;
    EXPECT_EQ(ReadBytes(pack), after);
}

TEST(ToolPacks, DesignFaultsAreNamedByTheirLine) {
    ScratchDir scratch;
    const std::string design = ReadBytes(kSource / "docs/examples/lakeside.toml");
    const std::string out = (scratch / "out.vstage").string();
    struct Case {
        std::string from;
        std::string to;
        int line;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"laps = 3", "laps = = 3", 24, "could not determine value type"},
        {"half_width = 20 ", "half_width = 90 ", 15, "half_width = 90: must lie in 10..40"},
        {"laps = 3", "lapz = 3", 24, "unknown key 'lapz' in route; it takes laps, pieces"},
        {"{ straight = 160 }", "{ straight = 150 }", 27, "the route does not close: one lap ends"},
        {"{ left = 30, radius = 70 }", "{ left = 30 }", 33, "a turn needs its radius"},
        {"\"stones\"", "\"shrub\"", 43, "banks: not an object name; the objects are conifer"},
        {"palette = \"vale\"", "palette = \"neon\"", 11, "palette: must be one of"},
        {"name_ja = \"湖畔の周回路\"", "name_ja = \"湖畔\\t周回路\"", 8,
         "name_ja: holds a control character"},
    };
    for (const Case& c : cases) {
        std::string text = design;
        const size_t at = text.find(c.from);
        ASSERT_NE(at, std::string::npos) << c.from;
        text.replace(at, c.from.size(), c.to);
        const fs::path file = scratch / "bad.toml";
        WriteBytes(file, text);
        const ToolResult result = RunTool({"make-stage", file.string(), "--out", out});
        EXPECT_EQ(result.status, 2) << c.to;
        EXPECT_EQ(Lines(result.err).size(), 1u) << result.err;
        const std::string where = "vantrell-tool: " + file.string() + ":" + std::to_string(c.line);
        EXPECT_EQ(result.err.rfind(where + ": ", 0), 0u) << c.to << ": " << result.err;
        EXPECT_NE(result.err.find(c.reason), std::string::npos) << result.err;
        EXPECT_FALSE(fs::exists(out));
    }
}

TEST(ToolPacks, UndrivableDesignNamesThePieceNotPassed) {
    ScratchDir scratch;
    // The quarry's hairpins on a track two units narrower: one style cannot get round.
    std::string text = ReadBytes(kSource / "docs/examples/quarry.toml");
    const size_t at = text.find("half_width = 18");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 15, "half_width = 16");
    const fs::path file = scratch / "narrow.toml";
    WriteBytes(file, text);
    const std::string out = (scratch / "narrow.vstage").string();
    const ToolResult result = RunTool({"make-stage", file.string(), "--out", out});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find(file.string() + ":28: style flat-out ran out of time before "
                                              "checkpoint 8 of 20, on this piece (right 180 "
                                              "radius 30)"),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("finished 9 of its 10 runs"), std::string::npos) << result.err;
    EXPECT_FALSE(fs::exists(out));
}

TEST(ToolPacks, RefusedPackIsRefusedByEveryCommand) {
    ScratchDir scratch;
    const fs::path pack = scratch / "cut.vstage";
    const std::string whole = ReadBytes(kPacks / "quarry.vstage");
    WriteBytes(pack, whole.substr(0, whole.size() - 100));
    const std::vector<std::vector<std::string>> commands = {
        {"verify", "--pack", pack.string()},
        {"table", "--pack", pack.string()},
        {"render", "--pack", pack.string(), "--x", "60", "--y", "30", "--heading", "0", "--out",
         (scratch / "v.png").string()},
        {"export", "--pack", pack.string(), "--rank", "1", "--out", (scratch / "r.run").string()},
    };
    for (const std::vector<std::string>& command : commands) {
        const ToolResult result = RunTool(command);
        EXPECT_EQ(result.status, 2) << command[0];
        EXPECT_EQ(
            result.err.rfind("vantrell-tool: " + pack.string() + ": is not a readable zip", 0), 0u)
            << result.err;
    }
    const ToolResult checked = RunTool({"check-stage", "--pack", pack.string()});
    EXPECT_EQ(checked.status, 1);
    EXPECT_EQ(checked.out.rfind(pack.string() + ": is not a readable zip archive", 0), 0u);
    const ToolResult both = RunTool({"table", "--pack", pack.string(), "--stage", "2"});
    EXPECT_EQ(both.status, 2);
    EXPECT_NE(both.err.find("give --stage N or --pack FILE, not both"), std::string::npos);
    EXPECT_FALSE(fs::exists(scratch / "v.png"));
    EXPECT_FALSE(fs::exists(scratch / "r.run"));
}

}  // namespace
}  // namespace vantrell::test
