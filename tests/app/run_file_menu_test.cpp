// Runs shared through the game's menu: exported from one game folder, refused when made on
// another course, raced against, and imported into a second folder, where the save at closing
// writes exactly what the tool's import writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "cli/tool_runner.h"
#include "hosts/headless/headless_host.h"
#include "io/atomic_save.h"
#include "io/file_bytes.h"
#include "records/records_test_support.h"
#include "records/run_file.h"

namespace vantrell::test {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> Bytes(const fs::path& file) {
    return ReadWholeFile(file).value_or(std::vector<uint8_t>{});
}

std::vector<std::vector<uint8_t>> StageZeroRecords(const fs::path& dir) {
    std::vector<std::vector<uint8_t>> files{Bytes(dir / HiScoreTable::RecordFileName(0))};
    for (int32_t slot = 0; slot < kHiScoreSlots; ++slot) {
        files.push_back(Bytes(dir / HiScoreTable::RecordingFileName(0, slot)));
    }
    return files;
}

TEST(RunFileMenu, ExportThenRefuseRaceAndImportInAnotherFolder) {
    ScratchDir scratch;
    const fs::path from = scratch / "from";
    const fs::path to = scratch / "to";
    const fs::path reference = scratch / "reference";
    fs::copy(GameDir(), from, fs::copy_options::recursive);
    fs::copy(GameDir(), to, fs::copy_options::recursive);
    // The second folder lacks stage 0's best run, so the shared one enters there.
    test::EmptyRankOnDisk(to, 0, 1);
    fs::copy(to, reference, fs::copy_options::recursive);

    // Rank 1 from the first folder, as the tool exports it.
    const fs::path shared = scratch / "best.run";
    HeadlessHost exporter;
    exporter.Start(from);
    exporter.dialogs.QueueSelectedItem(0);
    exporter.dialogs.QueueSave(shared.string());
    exporter.Command(Command::ExportRun);
    EXPECT_EQ(exporter.dialogs.Kinds(),
              (std::vector<DialogKind>{DialogKind::ChooseRunToExport, DialogKind::SaveFile,
                                       DialogKind::Message}));
    EXPECT_EQ(exporter.dialogs.Calls()[1].text, "stage1-rank1.run");
    EXPECT_EQ(exporter.dialogs.Calls()[2].text,
              "走行ファイルを書き出しました。\n" + shared.string());
    const fs::path byTool = scratch / "tool.run";
    ASSERT_EQ(RunTool({"export", "--stage", "1", "--rank", "1", "--dir", from.string(), "--out",
                       byTool.string()})
                  .status,
              0);
    ASSERT_EQ(exporter.dialogs.SavedFiles().size(), 1u);
    ASSERT_EQ(exporter.dialogs.SavedFiles()[0].bytes, Bytes(byTool));
    ASSERT_FALSE(SaveFile(shared, exporter.dialogs.SavedFiles()[0].bytes));
    const RunFile run = *ReadRunFile(Bytes(shared)).run;

    // The same run sealed for another course is refused, and the table stays as it was.
    RunFile foreign = run;
    foreign.course[0] ^= 1;
    const fs::path other = scratch / "other.run";
    ASSERT_FALSE(SaveFile(other, WriteRunFile(foreign)));
    HeadlessHost importer;
    importer.Start(to);
    const RecordBytes before = importer.game().Records().SavedBytes();
    importer.dialogs.QueueFile(other);
    importer.Command(Command::ImportRun);
    EXPECT_EQ(importer.dialogs.Kinds(),
              (std::vector<DialogKind>{DialogKind::OpenFile, DialogKind::Message}));
    EXPECT_FALSE(importer.game().Records().Changed());
    EXPECT_EQ(importer.game().Records().SavedBytes().record, before.record);
    EXPECT_EQ(importer.game().Records().SavedBytes().recordings, before.recordings);

    // Raced against without importing: a race against that recording starts.
    importer.dialogs.ClearLog();
    importer.dialogs.QueueFile(shared);
    importer.Command(Command::RaceRunFile);
    EXPECT_EQ(importer.dialogs.Kinds(), std::vector<DialogKind>{DialogKind::OpenFile});
    const GameState& state = importer.game().State();
    EXPECT_EQ(state.Progress().Mode(), ModeVersus);
    EXPECT_TRUE(std::equal(run.recording.begin(), run.recording.end(), state.Opponent()));
    EXPECT_FALSE(importer.game().Records().Changed());
    EXPECT_EQ(importer.RunTicks(10), 10);

    // Imported: in the table at once, on disk only when the closing question is answered Yes.
    importer.dialogs.ClearLog();
    importer.dialogs.QueueFile(shared);
    importer.Command(Command::ImportRun);
    EXPECT_EQ(importer.dialogs.Kinds(),
              (std::vector<DialogKind>{DialogKind::OpenFile, DialogKind::HiScoreList}));
    // Rank 1, highlighted as a run just raced.
    const HiScoreTable& table = importer.game().Records();
    EXPECT_EQ(table.AtRank(1).time, run.time);
    EXPECT_TRUE(importer.dialogs.Calls().back().lines[0].selected);
    EXPECT_TRUE(importer.game().Records().Changed());
    const auto unsaved = StageZeroRecords(to);
    EXPECT_EQ(unsaved, StageZeroRecords(reference));
    importer.dialogs.QueueAnswer(Answer::Yes);
    EXPECT_TRUE(importer.Close());

    const ToolResult imported = RunTool({"import", shared.string(), "--dir", reference.string()});
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(StageZeroRecords(to), StageZeroRecords(reference));
    EXPECT_NE(StageZeroRecords(to), unsaved);
}

// A save the host could not make and a file it could not read are each told in one message
// that names the file and gives the reason; a cancelled save says nothing.
TEST(RunFileMenu, FailedSaveAndUnreadableFileAreToldCancelIsNot) {
    ScratchDir scratch;
    const fs::path dir = scratch / "game";
    fs::copy(GameDir(), dir, fs::copy_options::recursive);
    HeadlessHost host;
    host.Start(dir);
    host.dialogs.QueueSelectedItem(0);
    host.dialogs.QueueSave("/media/stick/best.run", "No space left on device");
    host.Command(Command::ExportRun);
    EXPECT_EQ(host.dialogs.Kinds(),
              (std::vector<DialogKind>{DialogKind::ChooseRunToExport, DialogKind::SaveFile,
                                       DialogKind::Message}));
    EXPECT_EQ(host.dialogs.Calls().back().text,
              "best.run\n走行ファイルを書き出せませんでした。\nNo space left on device");

    host.dialogs.ClearLog();
    host.dialogs.QueueSelectedItem(0);
    host.Command(Command::ExportRun);
    EXPECT_EQ(host.dialogs.Kinds(),
              (std::vector<DialogKind>{DialogKind::ChooseRunToExport, DialogKind::SaveFile}));
    EXPECT_EQ(host.dialogs.Calls().back().answer, "cancel");

    host.dialogs.ClearLog();
    host.dialogs.QueueFile(scratch / "missing.run");
    host.Command(Command::ImportRun);
    ASSERT_EQ(host.dialogs.Kinds(),
              (std::vector<DialogKind>{DialogKind::OpenFile, DialogKind::Message}));
    const std::string told = host.dialogs.Calls().back().text;
    const std::string start = "missing.run\n走行ファイルとして読めません。\n";
    EXPECT_EQ(told.substr(0, start.size()), start);
    EXPECT_GT(told.size(), start.size()) << "the reason is given";

    // An empty file, and a file of something else, in a player's words; a damaged run file
    // with the reason.
    const std::vector<uint8_t> picture = ReadWholeFile(dir / "MAP0_8.BMP").value();
    std::vector<uint8_t> damaged = ReadWholeFile(GameDir() / "S0N0.JOY").value();
    damaged.insert(damaged.begin(), {'V', 'A', 'N', 'R', 'U', 'N', '\r', '\n', 0, 1});
    for (const auto& [name, bytes, want] :
         std::vector<std::tuple<std::string, std::vector<uint8_t>, std::string>>{
             {"empty.run", {}, "empty.run\n空のファイルです。"},
             {"picture.run", picture, "picture.run\nこのゲームの走行ファイルではありません。"},
             {"damaged.run", damaged,
              "damaged.run\n走行ファイルとして読めません。\nis cut short"}}) {
        ASSERT_FALSE(SaveFile(scratch / name, bytes));
        host.dialogs.ClearLog();
        host.dialogs.QueueFile(scratch / name);
        host.Command(Command::ImportRun);
        EXPECT_EQ(host.dialogs.Calls().back().text.substr(0, want.size()), want) << name;
    }
    EXPECT_EQ(host.dialogs.PendingAnswers(), 0u);
}

}  // namespace
}  // namespace vantrell::test
