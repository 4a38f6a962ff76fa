// make-stage: a stage design file made into a stage pack. The stage is laid out and painted by
// the content generator's own code, checked as the build checks the built-in stages, raced by
// every autopilot style for its ten default records (each run driven again from its recording
// alone), and written as one .vstage archive with a manifest naming its course digest.
#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <system_error>
#include <vector>

#include "autopilot/autopilot.h"
#include "cli/commands.h"
#include "content_writer.h"
#include "design_file.h"
#include "io/atomic_save.h"
#include "pack/stage_pack.h"
#include "race/course_digest.h"
#include "race/stage_check.h"
#include "records/record_names.h"

namespace vantrell::cli {

namespace {

// A private folder for the made files, removed when the command ends.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vantrell-stage-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw CliError(pattern + ": cannot make a folder to build the stage in (" +
                           std::error_code(errno, std::generic_category()).message() +
                           "); set TMPDIR to a writable folder");
        }
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

std::string PieceText(const contentgen::RoutePiece& piece) {
    char text[64];
    if (piece.turnDegrees == 0.0) {
        std::snprintf(text, sizeof text, "straight %g", piece.straight);
    } else {
        std::snprintf(text, sizeof text, "%s %g radius %g",
                      piece.turnDegrees > 0 ? "right" : "left", std::abs(piece.turnDegrees),
                      piece.radius);
    }
    return text;
}

struct MadeRun {
    std::string name;
    int32_t time = 0;
    Recording recording{};
};

}  // namespace

int RunMakeStage(const CliOptions& options) {
    AcceptOnly(options, {"--out"}, 1);
    if (options.positional.empty()) {
        throw CliError("make-stage: no design file given; add the stage's .toml design");
    }
    if (options.out.empty()) {
        throw CliError("make-stage: no output file given; add --out FILE.vstage");
    }
    const std::string designFile = options.positional[0];
    contentgen::StageDesign design;
    try {
        design = contentgen::ReadDesignFile(designFile);
    } catch (const contentgen::DesignError& error) {
        throw CliError(std::string(error.what()) + "; no pack made");
    }
    const contentgen::SpriteSheet sheet = contentgen::DrawSpriteSheet();
    const contentgen::BuiltStage built = contentgen::BuildStage(design, sheet);

    const ScratchFolder scratch;
    const std::filesystem::path& dir = scratch.path();
    contentgen::WriteProfiles(dir.string(), sheet);
    contentgen::WriteStageFiles(dir.string(), kPackStage, built, sheet);
    const std::vector<StageProblem> problems = CheckStage(dir, kPackStage);
    for (const StageProblem& problem : problems) {
        std::fprintf(stderr, "vantrell-tool: %s: the stage made fails the stage check: %s: %s\n",
                     designFile.c_str(), problem.file.c_str(), problem.reason.c_str());
    }
    if (!problems.empty()) {
        return 1;
    }

    HeadlessRace race(dir, kPackStage);
    race.SetDrawing(Drawing::None);  // only the outcome counts
    HeadlessRace check(dir, kPackStage);
    check.SetDrawing(Drawing::None);
    std::vector<MadeRun> runs;
    int failures = 0;
    for (const AutopilotStyle& style : AutopilotStyles()) {
        const AutopilotRun run = DriveAutopilot(race, style);
        const RaceOutcome replayed = check.Run(run.recording);
        if (replayed.goal != run.outcome.goal || replayed.time != run.outcome.time) {
            std::fprintf(stderr,
                         "vantrell-tool: style %s: the replay ended at %d, the drive at %d; the "
                         "race is not deterministic, report this\n",
                         style.name.c_str(), replayed.time, run.outcome.time);
            return 1;
        }
        if (run.outcome.goal) {
            std::printf("%-9s %-13s goal %d\n", style.name.c_str(), style.driver.c_str(),
                        run.outcome.time);
            runs.push_back({NameForTable(style.driver), run.outcome.time, run.recording});
            continue;
        }
        // Where the run stuck: the checkpoint it never reached, and the piece of the design
        // that checkpoint lies on.
        ++failures;
        const int32_t next = race.game().Progress().NextCheckpoint();
        const size_t piece = contentgen::RoutePieceAt(
            built.stage, contentgen::CheckpointRouteDistance(built.stage, next));
        std::fprintf(stderr,
                     "vantrell-tool: %s:%d: style %s ran out of time before checkpoint %d of "
                     "20, on this piece (%s); widen the track, open the turn or lower the "
                     "ground there\n",
                     designFile.c_str(), static_cast<int>(design.routeLines[piece]),
                     style.name.c_str(), static_cast<int>(next + 1),
                     PieceText(design.route[piece]).c_str());
    }
    if (failures > 0) {
        std::fprintf(stderr,
                     "vantrell-tool: %s: the autopilot finished %d of its 10 runs; a stage needs "
                     "all ten for its records; no pack made\n",
                     designFile.c_str(), static_cast<int>(runs.size()));
        return 1;
    }

    // The ten runs enter an empty table as raced runs would, worst first.
    HiScoreTable table(dir);
    table.FillEmpty();
    std::stable_sort(runs.begin(), runs.end(),
                     [](const MadeRun& a, const MadeRun& b) { return a.time < b.time; });
    for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
        table.Offer({.time = run->time, .recording = run->recording, .name = run->name});
    }
    StagePack pack;
    pack.records = table.SavedBytes();
    pack.stage = ReadStageBytes(kPackStage, dir);
    pack.manifest = {.nameEn = design.name,
                     .nameJa = design.nameJa,
                     .author = design.author,
                     .version = design.version,
                     .course = CourseDigest(pack.stage)};
    const std::vector<uint8_t> bytes = WriteStagePack(pack);
    // What players will be given must pass the reader they will use.
    const PackRead reread = ReadStagePack(bytes);
    if (!reread.pack) {
        std::fprintf(stderr, "vantrell-tool: %s: the pack made does not read back: %s\n",
                     designFile.c_str(), reread.problem.c_str());
        return 1;
    }
    if (const std::optional<SaveFailure> failure = SaveFile(options.out, bytes)) {
        throw CliError(options.out + ": cannot be written (" + failure->error.message() +
                       "); check the folder exists and is writable");
    }
    std::printf("made %s: %s (%s), %zu bytes, course %s\n", options.out.c_str(),
                design.name.c_str(), design.nameJa.c_str(), bytes.size(),
                HexDigest(pack.manifest.course).c_str());
    return 0;
}

}  // namespace vantrell::cli
