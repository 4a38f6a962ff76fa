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
    EnterRun(host.dialogs, host.game().records, 700, run.data());
    ASSERT_TRUE(host.game().records.changed);
}

TEST(GameSaveFaults, AFailedSaveIsToldOnStageChangeAndOnClose) {
    test::TempGameDir dir;
    std::filesystem::copy(VANTRELL_GAME_DIR, dir.path(), std::filesystem::copy_options::recursive);
    HeadlessHost host;
    host.Start(dir.path());

    // Stage change: the stage-0 recording files cannot be replaced (a folder in the way).
    EnterARun(host);
    std::filesystem::remove(dir / "S0N4.JOY");
    std::filesystem::create_directory(dir / "S0N4.JOY");
    std::filesystem::create_directory(dir / "S0N4.JOY" / "keep");
    host.dialogs.ClearLog();
    host.dialogs.QueueYesNo(true);
    host.Command(Command::Stage2);
    EXPECT_EQ(FailureMessages(host.dialogs), 1);
    EXPECT_EQ(host.game().state.CurrentStage().Index(), 1);
    EXPECT_TRUE(host.timer.Running());
    EXPECT_EQ(host.RunTicks(50), 50);

    // Close: the record file of stage 1 cannot be created over a folder.
    EnterARun(host);
    std::filesystem::remove(dir / "VANREC1.DAT");
    std::filesystem::create_directory(dir / "VANREC1.DAT");
    std::filesystem::create_directory(dir / "VANREC1.DAT" / "keep");
    host.dialogs.ClearLog();
    host.dialogs.QueueYesNo(true);
    host.Close();
    EXPECT_EQ(FailureMessages(host.dialogs), 1);
    EXPECT_FALSE(host.Started());
}

}  // namespace
}  // namespace vantrell
