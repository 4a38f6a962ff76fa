// verify without a recording and table, through the built tool, on a copy of the game folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/tool_runner.h"

namespace vantrell::test {
namespace {

// The line verify prints for a run, up to the name.
std::string Columns(const std::string& line) {
    return line.substr(0, line.find_last_not_of(' ', 40) + 1);
}

// A stored time as the table shows it: the ticks and the seconds they take at 16 ms a tick.
std::string TimeColumn(int ticks) {
    char text[32];
    std::snprintf(text, sizeof text, "%14s",
                  (std::to_string(ticks) + " (" +
                   [ticks] {
                       char seconds[16];
                       std::snprintf(seconds, sizeof seconds, "%.2f", ticks * 0.016);
                       return std::string(seconds);
                   }() +
                   " s)")
                      .c_str());
    return text;
}

TEST(ToolVerifyTables, EveryStoredRunIsDrivenAndAnAlteredOneDiffers) {
    ScratchDir scratch;
    const std::filesystem::path dir = scratch / "game";
    std::filesystem::copy(GameDir(), dir, std::filesystem::copy_options::recursive);

    const ToolResult clean = RunTool({"verify", "--dir", dir.string()});
    ASSERT_EQ(clean.status, 0) << clean.err;
    const std::vector<std::string> lines = Lines(clean.out);
    ASSERT_EQ(lines.size(), 51u);
    EXPECT_EQ(lines[0], "stage rank           time driven result  name");
    for (size_t i = 1; i < lines.size(); ++i) {
        // Stage and rank in order, and each stored time driven again to the same tick.
        char expected[32];
        std::snprintf(expected, sizeof expected, "%5d %4d", static_cast<int>((i - 1) / 10 + 1),
                      static_cast<int>((i - 1) % 10 + 1));
        EXPECT_EQ(lines[i].substr(0, 10), expected);
        const int driven = std::stoi(lines[i].substr(26, 6));
        EXPECT_EQ(lines[i].substr(11, 14), TimeColumn(driven)) << lines[i];
        EXPECT_EQ(lines[i].substr(33, 8), "ok      ") << lines[i];
    }

    // Stage 2's second best claims one tick more than it drives; stage 4's slot 0 is emptied.
    std::string record = ReadBytes(dir / "VANREC2.DAT");
    const std::string second = std::to_string(std::stoi(lines[22].substr(26, 6)));
    const size_t at = record.find(" " + second + "\r\n");
    ASSERT_NE(at, std::string::npos);
    const std::string altered = std::to_string(std::stoi(second) + 1);
    record.replace(at + 1 + second.size() - altered.size(), altered.size(), altered);
    WriteBytes(dir / "VANREC2.DAT", record);
    std::string fourth = ReadBytes(dir / "VANREC4.DAT");
    fourth.replace(0, fourth.find("\r\n", fourth.find("\r\n") + 2), "------\r\n 2398");
    WriteBytes(dir / "VANREC4.DAT", fourth);

    const ToolResult altered_run = RunTool({"verify", "--dir", dir.string()});
    EXPECT_EQ(altered_run.status, 1) << altered_run.err;
    const std::vector<std::string> after = Lines(altered_run.out);
    ASSERT_EQ(after.size(), 51u);
    char differs[64];
    std::snprintf(differs, sizeof differs, "    3    2 %s %6s differs",
                  TimeColumn(std::stoi(altered)).c_str(), second.c_str());
    EXPECT_EQ(Columns(after[22]), differs);
    EXPECT_EQ(Columns(after[50]), "    5   10 2398 (38.37 s)      - empty");
    EXPECT_EQ(after[50].substr(41), "------");
    int oks = 0;
    for (const std::string& line : after) {
        oks += line.find(" ok ") != std::string::npos;
    }
    EXPECT_EQ(oks, 48);

    // table shows the same lines for one stage, and a difference is no failure there.
    const ToolResult table = RunTool({"table", "--stage", "3", "--dir", dir.string()});
    EXPECT_EQ(table.status, 0) << table.err;
    std::string expected = after[0] + '\n';
    for (size_t i = 21; i <= 30; ++i) {
        expected += after[i] + '\n';
    }
    EXPECT_EQ(table.out, expected);
}

}  // namespace
}  // namespace vantrell::test
