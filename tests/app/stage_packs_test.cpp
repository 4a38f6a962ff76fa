// Stage packs in the game, through the shell's menu as a player uses it: a hostile or broken
// pack is refused and nothing changes, the example pack is added, raced and its record saved
// into its own folder while the built-in stages' files stay as they were; a run file names the
// pack's course; another version of the same course updates the pack and keeps its records;
// the pack is removed. The store alone: a save stopped part-way leaves no half-installed pack.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "app/menu.h"
#include "app/pack_store.h"
#include "hosts/headless/headless_host.h"
#include "io/file_bytes.h"
#include "pack/stage_pack.h"
#include "records/run_file.h"
#include "support/scratch_dir.h"
#include "support/solo_race.h"

namespace vantrell::test {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

Bytes FileBytes(const fs::path& file) {
    return ReadWholeFile(file).value_or(Bytes{});
}

const Bytes& Lakeside() {
    static const Bytes bytes = FileBytes(fs::path(VANTRELL_PACK_DIR) / "lakeside.vstage");
    return bytes;
}

// Every file under a folder with its bytes, to compare a folder before and after.
std::map<std::string, Bytes> Snapshot(const fs::path& dir) {
    std::map<std::string, Bytes> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dir)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), dir).string()] = FileBytes(entry.path());
        }
    }
    return files;
}

// The example pack with one name turned into a path out of the folder (the same length, so
// the archive stays whole), and the example pack cut short.
Bytes Hostile() {
    Bytes bytes = Lakeside();
    const std::string from = "OBJ0.COD";
    const std::string to = "../O.COD";
    for (auto at = std::search(bytes.begin(), bytes.end(), from.begin(), from.end());
         at != bytes.end(); at = std::search(at, bytes.end(), from.begin(), from.end())) {
        std::copy(to.begin(), to.end(), at);
    }
    return bytes;
}

// The same course in another version, with a repainted picture.
Bytes NewVersion() {
    PackRead read = ReadStagePack(Lakeside());
    EXPECT_TRUE(read.pack) << read.problem;
    read.pack->manifest.version = "1.1";
    read.pack->stage.picture.back() ^= 1;
    return WriteStagePack(*read.pack);
}

std::string LastText(const HeadlessHost& host) {
    return host.dialogs.Calls().empty() ? "" : host.dialogs.Calls().back().text;
}

TEST(StagePacks, AddRefuseRaceSaveUpdateAndRemoveThroughTheMenu) {
    ScratchDir scratch;
    ASSERT_TRUE(scratch.CopyGameContent("game"));
    const fs::path game = scratch / "game";
    const std::map<std::string, Bytes> builtIn = Snapshot(game);
    for (const auto& [name, bytes] : std::map<std::string, Bytes>{
             {"hostile.vstage", Hostile()},
             {"cut.vstage", Bytes(Lakeside().begin(), Lakeside().end() - 200)},
             {"lakeside.vstage", Lakeside()},
             {"lakeside-1.1.vstage", NewVersion()}}) {
        ASSERT_FALSE(SaveFile(scratch / name, bytes));
    }

    HeadlessHost host;
    host.packReader = ReadStagePack;
    host.Start(game);

    // Refused with the reader's reason; not a file appears in the game folder.
    host.dialogs.QueueFile(scratch / "hostile.vstage");
    host.Command(Command::AddStagePack);
    EXPECT_NE(LastText(host).find("'..'"), std::string::npos) << LastText(host);
    host.dialogs.QueueFile(scratch / "cut.vstage");
    host.Command(Command::AddStagePack);
    EXPECT_EQ(host.dialogs.Calls().back().kind, DialogKind::Message);
    EXPECT_EQ(Snapshot(game), builtIn);
    EXPECT_TRUE(host.shell().CurrentPack().empty());

    // Added, and raced at once: no built-in stage is marked.
    host.dialogs.ClearLog();
    host.dialogs.QueueFile(scratch / "lakeside.vstage");
    host.dialogs.QueueYesNo(true);
    host.Command(Command::AddStagePack);
    EXPECT_EQ(host.dialogs.Kinds(),
              (std::vector<DialogKind>{DialogKind::OpenFile, DialogKind::YesNo}));
    const PackRead lakeside = ReadStagePack(Lakeside());
    ASSERT_TRUE(lakeside.pack) << lakeside.problem;
    const std::string id = HexDigest(lakeside.pack->manifest.course);
    ASSERT_EQ(host.shell().CurrentPack(), id);
    const fs::path folder = game / "packs" / id;
    EXPECT_EQ(host.shell().StageDir(), folder);
    for (int32_t s = 0; s < kStageCount; ++s) {
        EXPECT_FALSE(host.display.Checked(StageCommand(s)));
    }
    EXPECT_EQ(host.game().State().CurrentStage().Picture().Width(), 400);
    // The pack's own table: its best run drives on its course.
    const HiScoreEntry staffBest = host.game().Records().AtRank(1);
    ASSERT_FALSE(staffBest.Empty());
    EXPECT_EQ(FileBytes(folder / "VANREC0.DAT"), *lakeside.pack->records.record);

    // Emptied, then raced with the staff's best run: it enters as rank 1 under a new name.
    host.dialogs.QueueAnswer(Answer::Yes);
    host.Command(Command::ResetHiScores);
    host.dialogs.QueueName("PACKER");
    DriveSoloRace(host, staffBest.recording);
    EXPECT_EQ(host.game().Records().AtRank(1).name, "PACKER");
    EXPECT_EQ(host.game().Records().AtRank(1).time, staffBest.time);

    // A run file of it names the pack's course; the race against it replays it.
    host.dialogs.QueueSelectedItem(0);
    host.dialogs.QueueSave("best.run");
    host.Command(Command::ExportRun);
    ASSERT_EQ(host.dialogs.SavedFiles().size(), 1u);
    const RunFileRead run = ReadRunFile(host.dialogs.SavedFiles()[0].bytes);
    ASSERT_TRUE(run.run) << run.problem;
    EXPECT_EQ(run.run->stage, 0);
    EXPECT_EQ(run.run->course, lakeside.pack->manifest.course);
    EXPECT_EQ(run.run->time, staffBest.time);
    ASSERT_FALSE(SaveFile(scratch / "best.run", host.dialogs.SavedFiles()[0].bytes));
    host.dialogs.QueueSelectedItem(0);
    host.Command(Command::Versus);
    EXPECT_EQ(host.game().State().Progress().Mode(), ModeVersus);
    EXPECT_TRUE(std::equal(staffBest.recording.begin(), staffBest.recording.end(),
                           host.game().State().Opponent()));

    // Saved at closing into the pack's folder; the built-in stages' files are untouched.
    host.dialogs.QueueAnswer(Answer::Yes);
    ASSERT_TRUE(host.Close());
    const Bytes saved = FileBytes(folder / "VANREC0.DAT");
    EXPECT_NE(std::string(saved.begin(), saved.end()).find("PACKER"), std::string::npos);
    std::map<std::string, Bytes> now = Snapshot(game);
    std::erase_if(now, [](const auto& file) { return file.first.starts_with("packs"); });
    EXPECT_EQ(now, builtIn);

    // The list beside the five stages: the pack's name, author and the player's best time.
    HeadlessHost again;
    again.packReader = ReadStagePack;
    again.Start(game);
    // The pack's run is of another course than stage 1's: refused there.
    const RecordBytes stageOne = again.game().Records().SavedBytes();
    again.dialogs.QueueFile(scratch / "best.run");
    again.Command(Command::ImportRun);
    EXPECT_EQ(again.dialogs.Kinds(),
              (std::vector<DialogKind>{DialogKind::OpenFile, DialogKind::Message}));
    EXPECT_EQ(again.game().Records().SavedBytes().record, stageOne.record);
    EXPECT_FALSE(again.game().Records().Changed());
    again.dialogs.ClearLog();
    again.dialogs.QueueStageChoice({StageListAction::Race, kStageCount});
    again.Command(Command::MoreStages);
    ASSERT_FALSE(again.dialogs.Calls().empty());
    const std::string rows = again.dialogs.Calls()[0].text;
    EXPECT_NE(rows.find("Lakeside Loop | Vantrell examples | " + std::to_string(staffBest.time)),
              std::string::npos)
        << rows;
    EXPECT_EQ(rows.rfind("１面 |  | ", 0), 0u) << rows;  // the five stages first
    ASSERT_EQ(again.shell().CurrentPack(), id);
    EXPECT_EQ(again.game().Records().AtRank(1).name, "PACKER");
    // On the pack the course decides, whatever stage number the file carries: the run is
    // taken, and found held already.
    RunFile numbered = *run.run;
    numbered.stage = 3;
    ASSERT_FALSE(SaveFile(scratch / "numbered.run", WriteRunFile(numbered)));
    again.dialogs.QueueFile(scratch / "numbered.run");
    again.Command(Command::ImportRun);
    EXPECT_EQ(LastText(again), "この走行はすでに記録にあります。");

    // The same pack again changes nothing; another version of its course is an update that
    // keeps the player's records and shows the new picture at once.
    again.dialogs.ClearLog();
    again.dialogs.QueueFile(scratch / "lakeside.vstage");
    again.Command(Command::AddStagePack);
    EXPECT_EQ(again.dialogs.Kinds(),
              (std::vector<DialogKind>{DialogKind::OpenFile, DialogKind::Message}));
    again.dialogs.ClearLog();
    again.dialogs.QueueFile(scratch / "lakeside-1.1.vstage");
    again.dialogs.QueueYesNo(true);
    again.Command(Command::AddStagePack);
    EXPECT_EQ(again.dialogs.Kinds(),
              (std::vector<DialogKind>{DialogKind::OpenFile, DialogKind::YesNo}));
    EXPECT_EQ(FileBytes(folder / "VANREC0.DAT"), saved);
    EXPECT_EQ(again.game().Packs().Find(id)->manifest.version, "1.1");
    EXPECT_EQ(FileBytes(folder / "MAP0_8.BMP"), ReadStagePack(NewVersion()).pack->stage.picture);
    EXPECT_EQ(again.game().Records().AtRank(1).name, "PACKER");

    // Removed from the list while raced: back on stage 1, the pack and its records gone.
    again.dialogs.QueueStageChoice({StageListAction::Remove, kStageCount});
    again.dialogs.QueueYesNo(true);
    again.Command(Command::MoreStages);  // the list comes back after the removal and is closed
    EXPECT_TRUE(again.shell().CurrentPack().empty());
    EXPECT_TRUE(again.display.Checked(Command::Stage1));
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_TRUE(again.game().Packs().List().empty());
    EXPECT_EQ(again.dialogs.PendingAnswers(), 0u);
}

TEST(StagePacks, AStoppedInstallOrUpdateLeavesThePackWholeAndOld) {
    ScratchDir scratch;
    PackStore store(scratch / "packs", ReadStagePack);
    const PackOffer first = store.Check(Lakeside());
    ASSERT_EQ(first.kind, PackOfferKind::New) << first.problem;

    // A new pack whose last file cannot be written: no folder, nothing listed.
    int32_t renames = 0;
    store.SetSaveStepHook(
        [&](SaveStep step, const fs::path&) { return step != SaveStep::Rename || ++renames < 19; });
    EXPECT_FALSE(store.Take(first).empty());
    EXPECT_TRUE(store.List().empty());
    EXPECT_TRUE(fs::is_empty(scratch / "packs"));

    store.SetSaveStepHook({});
    ASSERT_EQ(store.Take(first), "");
    ASSERT_EQ(store.List().size(), 1u);
    const fs::path folder = store.List()[0].folder;
    const std::map<std::string, Bytes> installed = Snapshot(folder);

    // An update stopped between its renames is settled by the next listing: the folder is the
    // old pack or the new one, never a mix, and the records are never touched.
    const PackOffer update = store.Check(NewVersion());
    ASSERT_EQ(update.kind, PackOfferKind::Update);
    renames = 0;
    store.SetSaveStepHook(
        [&](SaveStep step, const fs::path&) { return step != SaveStep::Rename || ++renames < 4; });
    EXPECT_FALSE(store.Take(update).empty());
    store.SetSaveStepHook({});
    const std::vector<InstalledPack> listed = store.List();
    ASSERT_EQ(listed.size(), 1u);
    const std::map<std::string, Bytes> settled = Snapshot(folder);
    EXPECT_FALSE(settled.contains(PackStore::kJournalName));
    const bool isNew = listed[0].manifest.version == "1.1";
    EXPECT_EQ(settled.at("MAP0_8.BMP"),
              isNew ? ReadStagePack(NewVersion()).pack->stage.picture : installed.at("MAP0_8.BMP"));
    EXPECT_EQ(settled.at("VANREC0.DAT"), installed.at("VANREC0.DAT"));

    // A removal takes the folder whole; removing it again is told.
    EXPECT_EQ(store.Remove(listed[0].id), "");
    EXPECT_FALSE(store.Remove(listed[0].id).empty());
    EXPECT_FALSE(store.Remove("../game").empty());
    EXPECT_TRUE(store.List().empty());
}

}  // namespace
}  // namespace vantrell::test
