// table, and verify without a recording file: every entry of a stage's table (or of every
// stage's) driven again from its recording, one line each, best first; with --ladder, whether
// each table steps down from an expert's run to a beginner's.
#include <cstdio>
#include <string>

#include "app/record_problems.h"
#include "cli/commands.h"
#include "cli/ladder_check.h"
#include "cli/pack_folder.h"
#include "race/run_check.h"
#include "world/stage_count.h"

namespace vantrell::cli {

namespace {

// Prints the stage's entries best first and returns how many differ.
int32_t PrintStage(HeadlessRace& race, const std::filesystem::path& dir, int32_t stage) {
    const StageRunLines checked = CheckStageRuns(race, dir, stage);
    if (!checked.loadProblems.empty()) {
        std::fprintf(stderr,
                     "vantrell-tool: %s: the record files have faults; entries that do not "
                     "read are shown empty:\n%s\n",
                     StageName(stage).c_str(),
                     DescribeRecordProblems(checked.loadProblems).c_str());
    }
    std::fwrite(checked.lines.data(), 1, checked.lines.size(), stdout);
    return checked.differing;
}

// One line for the stage's ladder after its runs; false when it does not hold.
bool PrintLadder(const std::filesystem::path& dir, int32_t stage) {
    HiScoreTable table(dir);
    table.Load(stage);  // faults were told with the runs
    const LadderCheck ladder = CheckLadder(table);
    std::string line = StageName(stage) + " ladder: " + ladder.summary;
    for (size_t i = 0; i < ladder.problems.size(); ++i) {
        line += (i == 0 ? "; fails: " : "; ") + ladder.problems[i];
    }
    std::printf("%s%s\n", line.c_str(), ladder.problems.empty() ? ": ok" : "");
    return ladder.problems.empty();
}

}  // namespace

int RunVerifyTables(const CliOptions& options) {
    if (PackGiven(options)) {
        const StagePlace place = RaceableStage(options);
        HeadlessRace race(place.dir, place.stage);
        std::fputs(RunLineHeader().c_str(), stdout);
        const bool same = PrintStage(race, place.dir, place.stage) == 0;
        const bool ladder = !options.ladder || PrintLadder(place.dir, place.stage);
        return same && ladder ? 0 : 1;
    }
    const int32_t first = options.stage ? RequireStage(options) : 0;
    const int32_t last = options.stage ? first : kStageCount - 1;
    // Every stage is checked before anything is driven, so a broken folder prints no half list.
    std::filesystem::path dir;
    for (int32_t stage = first; stage <= last; ++stage) {
        dir = GameDirectory(options, stage);
    }
    HeadlessRace race(dir, first);
    std::fputs(RunLineHeader().c_str(), stdout);
    int32_t differing = 0;
    for (int32_t stage = first; stage <= last; ++stage) {
        differing += PrintStage(race, dir, stage);
    }
    int32_t broken = 0;
    for (int32_t stage = first; options.ladder && stage <= last; ++stage) {
        broken += PrintLadder(dir, stage) ? 0 : 1;
    }
    return differing == 0 && broken == 0 ? 0 : 1;
}

int RunTable(const CliOptions& options) {
    AcceptOnly(options, {"--stage", "--dir", "--pack"});
    const StagePlace place = RaceableStage(options);
    HeadlessRace race(place.dir, place.stage);
    std::fputs(RunLineHeader().c_str(), stdout);
    PrintStage(race, place.dir, place.stage);
    return 0;
}

}  // namespace vantrell::cli
