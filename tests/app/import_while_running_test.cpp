// The tool imports a run into the game folder while the game runs on it with an unsaved run of
// its own: the game's save keeps both. A table the player emptied is still saved as emptied.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "cli/tool_runner.h"
#include "hosts/headless/headless_host.h"
#include "records/hiscore_dialogs.h"
#include "records/records_test_support.h"

namespace vantrell::test {
namespace {

namespace fs = std::filesystem;

using Runs = std::vector<std::pair<int32_t, std::string>>;  // time and name, fastest first

Runs RunsOnDisk(const fs::path& dir) {
    HiScoreTable table(dir);
    table.Load(0);
    Runs runs;
    for (const HiScoreEntry& entry : test::BestFirst(table)) {
        if (!(entry.name == kEmptyName && entry.time == kEmptyTime)) {
            runs.emplace_back(entry.time, entry.name);
        }
    }
    std::sort(runs.begin(), runs.end());
    return runs;
}

void EnterARun(HeadlessHost& host, const std::string& name, int32_t time) {
    Recording run{};
    run[1] = 1;
    host.dialogs.QueueName(name);
    EnterRun(host.dialogs, host.game().Records(), time, run.data());
}

TEST(ImportWhileRunning, TheGamesSaveKeepsTheImportedRun) {
    ScratchDir scratch;
    const fs::path dir = scratch / "game";
    fs::copy(GameDir(), dir, fs::copy_options::recursive);
    // The folder lacks stage 0's best run: its entry is empty. The build's folder shares it.
    const HiScoreEntry best = test::EmptyRankOnDisk(dir, 0, 1);
    HiScoreTable table(dir);
    table.Load(0);
    const std::string file = (scratch / "best.run").string();
    ASSERT_EQ(RunTool({"export", "--stage", "1", "--rank", "1", "--out", file}).status, 0);

    HeadlessHost host;
    host.Start(dir);
    EXPECT_EQ(host.RunTicks(20), 20);
    EnterARun(host, "Kaito", 700);
    const ToolResult imported = RunTool({"import", file, "--dir", dir.string()});
    ASSERT_EQ(imported.status, 0) << imported.err;
    ASSERT_EQ(imported.out.rfind("imported into stage 1 at rank 1: ", 0), 0u) << imported.out;
    // A recording file gone meanwhile is no new run: its entry is not taken a second time.
    fs::remove(dir / HiScoreTable::RecordingFileName(0, test::SlotOfRank(table, 1)));
    host.dialogs.QueueAnswer(Answer::Yes);
    EXPECT_TRUE(host.Close());

    // Both runs are saved; the slowest of the build's runs made way for the imported one.
    Runs expected = RunsOnDisk(GameDir());
    expected.pop_back();
    expected.insert(expected.begin(), {700, "Kaito"});
    EXPECT_EQ(RunsOnDisk(dir), expected);
    HiScoreTable saved(dir);
    saved.Load(0);
    EXPECT_TRUE(saved.RankHolding(best.time, best.recording).has_value());

    // Emptied in the game, then a run entered: saved as the player left it.
    HeadlessHost again;
    again.Start(dir);
    again.dialogs.QueueAnswer(Answer::Yes);
    again.Command(Command::ResetHiScores);
    EnterARun(again, "Mika", 800);
    again.dialogs.QueueAnswer(Answer::Yes);
    EXPECT_TRUE(again.Close());
    EXPECT_EQ(RunsOnDisk(dir), (Runs{{800, "Mika"}}));
}

}  // namespace
}  // namespace vantrell::test
