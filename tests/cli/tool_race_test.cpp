// verify, trace and autopilot through the built tool, checked against the same races driven
// in-process.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "cli/tool_runner.h"
#include "race/headless_race.h"

namespace vantrell::test {
namespace {

Recording AsRecording(const std::string& bytes) {
    Recording recording{};
    std::copy(bytes.begin(), bytes.begin() + std::min<size_t>(bytes.size(), kRaceTickLimit),
              recording.begin());
    return recording;
}

TEST(ToolRace, VerifyGivesTheTimeTheAutopilotReported) {
    ScratchDir scratch;
    const std::string file = (scratch / "run.JOY").string();
    const ToolResult drive =
        RunTool({"autopilot", "--stage", "5", "--style", "steady", "--out", file});
    ASSERT_EQ(drive.status, 0) << drive.err;
    ASSERT_EQ(drive.out.rfind("goal ", 0), 0u) << drive.out;
    const std::string bytes = ReadBytes(file);
    EXPECT_EQ(bytes.size(), 2400u);

    const ToolResult verify = RunTool({"verify", "--stage", "5", file});
    EXPECT_EQ(verify.status, 0) << verify.err;
    EXPECT_EQ(verify.out, drive.out);
    EXPECT_EQ(verify.err, "");
    // The same file on another stage is simply another race, and --dir names the folder.
    const ToolResult elsewhere =
        RunTool({"verify", "--stage", "1", "--dir", GameDir().string(), file});
    EXPECT_EQ(elsewhere.status, 0);
    EXPECT_TRUE(elsewhere.out == "timeup\n" || elsewhere.out.rfind("goal ", 0) == 0);

    // In-process, the recording gives the time the tool printed.
    HeadlessRace race(GameDir(), 4);
    const RaceOutcome outcome = race.Run(AsRecording(bytes));
    EXPECT_EQ(GoalLine(outcome.time), verify.out);

    // An all-zero recording never leaves the start: time-up.
    const std::string idle = (scratch / "idle.JOY").string();
    WriteBytes(idle, std::string(2400, '\0'));
    EXPECT_EQ(RunTool({"verify", "--stage", "5", idle}).out, "timeup\n");
}

TEST(ToolRace, TraceIsOneCsvLinePerTickOfTheSameDrive) {
    ScratchDir scratch;
    const std::string file = (scratch / "run.JOY").string();
    ASSERT_EQ(RunTool({"autopilot", "--stage", "4", "--out", file}).status, 0);
    const ToolResult trace = RunTool({"trace", "--stage", "4", file});
    ASSERT_EQ(trace.status, 0) << trace.err;
    const std::vector<std::string> lines = Lines(trace.out);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "tick,phase,x,y,posX,posY,velX,velY,heading,nextCheckpoint");

    std::vector<std::string> expected;
    HeadlessRace race(GameDir(), 3);
    const RaceOutcome outcome =
        race.Run(AsRecording(ReadBytes(file)), [&](RacePhase phase, const GameState& game) {
            const CraftState& c = game.Crafts().first;
            std::ostringstream row;
            row << game.Progress().RaceTicks() << ',' << RacePhaseName(phase) << ',' << c.x << ','
                << c.y << ',' << c.posX << ',' << c.posY << ',' << c.velX << ',' << c.velY << ','
                << c.heading << ',' << game.Progress().NextCheckpoint();
            expected.push_back(row.str());
        });
    ASSERT_TRUE(outcome.goal);
    ASSERT_EQ(lines.size(), 1 + 63 + static_cast<size_t>(outcome.time) + 63);
    for (size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(lines[i + 1], expected[i]) << "line " << i + 1;
    }
    // The phases in order, and the race clock running 1..T while running.
    EXPECT_EQ(lines[1].substr(0, 12), "0,countdown,");
    EXPECT_EQ(lines[64].substr(0, 10), "1,running,");
    const std::string last = std::to_string(outcome.time) + ",finish,";
    EXPECT_EQ(lines.back().substr(0, last.size()), last);
    EXPECT_NE(lines.back().find(",20"), std::string::npos);
}

// --out writes the very text the trace prints, and nothing is printed.
TEST(ToolRace, TraceOutWritesTheFile) {
    ScratchDir scratch;
    const std::string run = (GameDir() / "S2N4.JOY").string();
    const ToolResult printed = RunTool({"trace", "--stage", "3", run});
    ASSERT_EQ(printed.status, 0) << printed.err;
    const std::string file = (scratch / "run.csv").string();
    const ToolResult written = RunTool({"trace", "--stage", "3", "--out", file, run});
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.out, "");
    EXPECT_EQ(ReadBytes(file), printed.out);

    const std::string nowhere = (scratch / "no-such-folder" / "run.csv").string();
    const ToolResult refused = RunTool({"trace", "--stage", "3", "--out", nowhere, run});
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.out, "");
    EXPECT_NE(refused.err.find(nowhere + ": cannot create the file"), std::string::npos)
        << refused.err;
}

}  // namespace
}  // namespace vantrell::test
