// export and import: one table entry as a run file, to share between game folders. A run is
// only exported when it drives to its time, and only imported when it does so on this folder's
// own course files; it enters the table through the same save as the game's, which rewrites
// every other entry with the bytes it was loaded from.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/record_problems.h"
#include "cli/commands.h"
#include "cli/pack_folder.h"
#include "common/file_bytes.h"
#include "io/file_bytes.h"
#include "race/course_digest.h"
#include "race/run_check.h"
#include "records/record_names.h"
#include "records/run_file.h"
#include "world/stage_count.h"

namespace vantrell::cli {

namespace {

std::vector<uint8_t> ReadRunFileBytes(const std::filesystem::path& path) {
    std::string why;
    std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(path, &why);
    if (!bytes) {
        throw CliError(path.string() + ": " + why + "; give a run file that export wrote");
    }
    return std::move(*bytes);
}

Sha256Digest LocalCourse(const std::filesystem::path& dir, int32_t stage) {
    std::string reason;
    const std::optional<Sha256Digest> digest = CourseDigest(dir, stage, &reason);
    if (!digest) {
        throw CliError(reason + "; stage files must be readable to share runs");
    }
    return *digest;
}

}  // namespace

int RunExport(const CliOptions& options) {
    AcceptOnly(options, {"--stage", "--rank", "--dir", "--out", "--pack"});
    CheckStageChoice(options);
    if (!options.rank) {
        throw CliError("export: no rank given; add --rank 1..10 (1 is the best run)");
    }
    const int32_t rank = *options.rank;
    if (rank < 1 || rank > kHiScoreSlots) {
        throw CliError("--rank " + std::to_string(rank) +
                       ": a table has ranks 1 to 10; give --rank 1..10");
    }
    if (options.out.empty()) {
        throw CliError("export: no output file given; add --out FILE");
    }
    const StagePlace place = RaceableStage(options);
    const std::filesystem::path& dir = place.dir;
    const int32_t stage = place.stage;
    HiScoreTable table(dir);
    table.Load(stage);
    table.Rank();
    const HiScoreEntry& entry = table.AtRank(rank);
    const std::string which =
        (place.pack ? options.pack : StageName(stage)) + " rank " + std::to_string(rank);
    if (entry.Empty()) {
        throw CliError(which + ": empty, no run to export; 'vantrell-tool table " +
                       (place.pack ? "--pack " + options.pack
                                   : "--stage " + std::to_string(StageNumber(stage))) +
                       "' lists the runs");
    }
    HeadlessRace race(dir, stage);
    const RunCheck check = CheckEntry(race, entry);
    if (!check.ok) {
        std::fprintf(stderr,
                     "vantrell-tool: %s: stored as %d ticks, but its recording drives to %s; "
                     "a run that does not drive to its time is not exported\n",
                     which.c_str(), static_cast<int>(entry.time),
                     OutcomeText(check.driven).c_str());
        return 1;
    }
    const RunFile run{stage, LocalCourse(dir, stage), entry.name, entry.time, entry.recording};
    tools::WriteFileBytes(options.out, WriteRunFile(run));
    std::printf("exported %s: %s, %d ticks\n", which.c_str(), NameForDisplay(entry.name).c_str(),
                static_cast<int>(entry.time));
    return 0;
}

int RunImport(const CliOptions& options) {
    AcceptOnly(options, {"--dir", "--pack"}, 1);
    if (options.positional.empty()) {
        throw CliError("import: no run file given; add the file that export wrote");
    }
    const std::string file = options.positional[0];
    const RunFileRead read = ReadRunFile(ReadRunFileBytes(file));
    if (!read.run) {
        throw CliError(file + ": " + read.problem + "; nothing imported");
    }
    const RunFile& run = *read.run;
    // A pack is known by its course digest alone: its runs carry stage 0, the slot its files
    // take, but a run set on a built-in stage of the same course is the same course's run.
    std::unique_ptr<PackFolder> pack;
    std::filesystem::path dir;
    int32_t stage = run.stage;
    std::string where = StageName(run.stage);
    if (PackGiven(options)) {
        RefuseStageWithPack(options);
        pack = std::make_unique<PackFolder>(options.pack);
        dir = pack->Folder();
        stage = kPackStage;
        where = options.pack;
        if (pack->Pack().manifest.course != run.course) {
            throw CliError(file + ": made on another course: " + options.pack +
                           " is not the course it was set on; nothing imported");
        }
    } else {
        dir = GameDirectory(options, run.stage);
        if (LocalCourse(dir, run.stage) != run.course) {
            throw CliError(file + ": made on another course: the " + StageName(run.stage) +
                           " files in " + dir.string() +
                           " differ from those it was set on; nothing imported");
        }
    }
    HeadlessRace race(dir, stage);
    const RunCheck check = DriveAndCompare(race, run.time, run.recording);
    if (!check.ok) {
        std::fprintf(stderr,
                     "vantrell-tool: %s: claims %d ticks, but its recording drives to %s; "
                     "nothing imported\n",
                     file.c_str(), static_cast<int>(run.time), OutcomeText(check.driven).c_str());
        return 1;
    }

    HiScoreTable table(dir);
    const std::vector<RecordProblem> problems = table.Load(stage);
    if (!problems.empty()) {
        // The game keeps broken record files aside before it saves over them; the tool leaves
        // that choice to the player.
        throw CliError((dir / HiScoreTable::RecordFileName(stage)).string() +
                       ": the stage's record files have faults; open the stage in the game or " +
                       "repair them, then import again; nothing imported\n" +
                       DescribeRecordProblems(problems));
    }
    const std::string name = NameForDisplay(run.name);
    // Entered as a raced run would be, with the name the file carries.
    const OfferResult offer =
        table.Offer({.time = run.time, .recording = run.recording, .name = run.name});
    switch (offer.outcome) {
        case OfferOutcome::AlreadyHeld:
            std::printf("%s: already in the table of %s at rank %d; nothing changed\n",
                        file.c_str(), where.c_str(), static_cast<int>(offer.rank));
            return 0;
        case OfferOutcome::NotFaster:
            std::printf(
                "%s: %s, %d ticks, is not faster than rank 10 of %s (%d ticks); the table is "
                "unchanged\n",
                file.c_str(), name.c_str(), static_cast<int>(run.time), where.c_str(),
                static_cast<int>(offer.worstTime));
            return 0;
        case OfferOutcome::Entered:
            break;
    }
    const SaveReport report = table.Write(stage);
    if (!report.written) {
        throw CliError((dir / report.file).string() + ": the table could not be saved (" +
                       report.reason + "); nothing imported, check the folder is writable");
    }
    if (pack) {
        // The records go back into the pack file, which is saved whole.
        pack->SaveRecords();
    }
    std::printf("imported into %s at rank %d: %s, %d ticks\n", where.c_str(),
                static_cast<int>(offer.rank), name.c_str(), static_cast<int>(run.time));
    return 0;
}

}  // namespace vantrell::cli
