// A save that fails inside the running game: when the stage is changed and when the window is
// closed, the player is told, and the game goes on as it would after a save.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "hosts/headless/headless_host.h"
#include "platform/commands.h"
#include "records/hiscore_dialogs.h"
#include "records/records_test_support.h"

namespace vantrell {
namespace {

const std::string kFailed = "ハイスコアデータを保存できませんでした。";

int32_t FailureMessages(const ScriptedDialogs& dialogs) {
    int32_t count = 0;
    for (const DialogCall& call : dialogs.Calls()) {
        count += call.kind == DialogKind::Message && call.text.starts_with(kFailed);
    }
    return count;
}

// A run enters the stage's table as the name entry would put it there.
void EnterARun(HeadlessHost& host) {
    Recording run{};
    run[1] = 1;
    host.dialogs.QueueName("Kaito");
    EnterRun(host.dialogs, host.game().Records(), 700, run.data());
    ASSERT_TRUE(host.game().Records().Changed());
}

int32_t FailureQuestions(const ScriptedDialogs& dialogs) {
    int32_t count = 0;
    for (const DialogCall& call : dialogs.Calls()) {
        count += call.kind == DialogKind::Question && call.text.starts_with(kFailed);
    }
    return count;
}

bool SavedOnDisk(const std::filesystem::path& dir, int32_t stage, const std::string& name) {
    HiScoreTable table(dir);
    table.Load(stage);
    for (const HiScoreEntry& entry : test::BestFirst(table)) {
        if (entry.name == name) {
            return true;
        }
    }
    return false;
}

// The game started on a copy of the generated game folder.
struct StartedGame {
    StartedGame() {
        std::filesystem::copy(VANTRELL_GAME_DIR, dir.path(),
                              std::filesystem::copy_options::recursive);
        host.Start(dir.path());
    }
    test::TempGameDir dir;
    HeadlessHost host;
};

// A folder in the way of a file the save must replace.
void Block(const std::filesystem::path& file) {
    std::filesystem::remove(file);
    std::filesystem::create_directories(file / "keep");
}

TEST(GameSaveFaults, AFailedSaveOnAStageChangeKeepsTheStageAndItsRuns) {
    StartedGame game;
    test::TempGameDir& dir = game.dir;
    HeadlessHost& host = game.host;

    EnterARun(host);
    const std::filesystem::path blocked = dir / "S0N4.JOY";
    const std::string recording = test::ReadBytes(dir / "S0N5.JOY");
    Block(blocked);
    host.dialogs.ClearLog();
    host.dialogs.QueueYesNo(true);
    host.Command(Command::Stage2);
    EXPECT_EQ(FailureMessages(host.dialogs), 1);
    EXPECT_NE(host.dialogs.Calls().back().text.find("S0N4.JOY"), std::string::npos);
    // Still on stage 1 with the unsaved run, the race going on; nothing on disk changed.
    EXPECT_EQ(host.game().State().CurrentStage().Index(), 0);
    EXPECT_TRUE(host.display.Checked(Command::Stage1));
    EXPECT_TRUE(host.game().Records().Changed());
    EXPECT_TRUE(host.timer.Running());
    EXPECT_EQ(host.RunTicks(50), 50);
    EXPECT_EQ(test::ReadBytes(dir / "S0N5.JOY"), recording);
    EXPECT_FALSE(SavedOnDisk(dir.path(), 0, "Kaito"));

    // The folder mended, the next change saves and moves on.
    std::filesystem::remove_all(blocked);
    host.dialogs.QueueYesNo(true);
    host.Command(Command::Stage2);
    EXPECT_EQ(host.game().State().CurrentStage().Index(), 1);
    EXPECT_TRUE(SavedOnDisk(dir.path(), 0, "Kaito"));
}

TEST(GameSaveFaults, AFailedSaveOnCloseOffersRetryDiscardOrCancel) {
    StartedGame game;
    test::TempGameDir& dir = game.dir;
    HeadlessHost& host = game.host;
    EnterARun(host);

    // Cancel at the question: the window stays and the game goes on.
    host.dialogs.QueueAnswer(Answer::Cancel);
    EXPECT_FALSE(host.Close());
    EXPECT_TRUE(host.Started());
    EXPECT_TRUE(host.timer.Running());

    // Yes, the save fails: the failure names the file; Cancel keeps the window and the runs.
    Block(dir / "VANREC0.DAT");
    host.dialogs.ClearLog();
    host.dialogs.QueueAnswer(Answer::Yes);
    host.dialogs.QueueAnswer(Answer::Cancel);
    EXPECT_FALSE(host.Close());
    ASSERT_EQ(host.dialogs.Calls().size(), 2u);
    EXPECT_TRUE(host.dialogs.Calls()[1].text.starts_with(kFailed));
    EXPECT_NE(host.dialogs.Calls()[1].text.find("VANREC0.DAT"), std::string::npos);
    EXPECT_TRUE(host.game().Records().Changed());
    EXPECT_TRUE(host.timer.Running());

    // Retry: the folder mended meanwhile, the save goes through and the window goes. The
    // first try is refused at its first step, as a full disk would.
    std::filesystem::remove_all(dir / "VANREC0.DAT");
    int32_t refusals = 1;
    host.game().Records().SetSaveStepHook(
        [&refusals](SaveStep, const std::filesystem::path&) { return refusals-- <= 0; });
    host.dialogs.ClearLog();
    host.dialogs.QueueAnswer(Answer::Yes);
    host.dialogs.QueueAnswer(Answer::Retry);
    EXPECT_TRUE(host.Close());
    EXPECT_EQ(FailureQuestions(host.dialogs), 1);
    EXPECT_FALSE(host.Started());
    EXPECT_TRUE(SavedOnDisk(dir.path(), 0, "Kaito"));
}

TEST(GameSaveFaults, DiscardingAfterAFailedSaveClosesWithoutWriting) {
    StartedGame game;
    test::TempGameDir& dir = game.dir;
    HeadlessHost& host = game.host;
    EnterARun(host);
    const std::string before = test::ReadBytes(dir / "S0N9.JOY");
    Block(dir / "S0N3.JOY");
    host.dialogs.QueueAnswer(Answer::Yes);
    host.dialogs.QueueAnswer(Answer::Discard);
    EXPECT_TRUE(host.Close());
    EXPECT_FALSE(host.Started());
    EXPECT_EQ(test::ReadBytes(dir / "S0N9.JOY"), before);
    EXPECT_FALSE(SavedOnDisk(dir.path(), 0, "Kaito"));
}

}  // namespace
}  // namespace vantrell
