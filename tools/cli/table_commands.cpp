// table, and verify without a recording file: every entry of a stage's table (or of every
// stage's) driven again from its recording, one line each, best first.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "cli/run_check.h"

namespace vantrell::cli {

namespace {

constexpr int32_t kStageCount = 5;

// Prints the stage's entries best first and returns how many differ. The race is moved to the
// stage; one race serves every stage, so the view tables are built once per process.
int32_t PrintStage(HeadlessRace& race, const std::filesystem::path& dir, int32_t stage) {
    race.game().SelectStage(stage);
    HiScoreTable table(dir);
    table.Load(stage);
    table.Rank();
    if (!table.LoadProblem().empty()) {
        std::fprintf(stderr,
                     "vantrell-tool: stage %d: the record files have faults; entries that do not "
                     "read are shown empty:\n%s\n",
                     static_cast<int>(stage), table.LoadProblem().c_str());
    }
    int32_t differing = 0;
    std::string lines;
    for (int32_t position = kRankBest; position >= kRankWorst; --position) {
        const HiScoreEntry& entry = table.entries[static_cast<size_t>(table.rankOrder[position])];
        const RunCheck check = CheckEntry(race, entry);
        if (!check.empty && !check.ok) {
            ++differing;
        }
        lines += RunLine(stage, kHiScoreSlots - position, entry, check);
    }
    std::fwrite(lines.data(), 1, lines.size(), stdout);
    return differing;
}

}  // namespace

int RunVerifyTables(const CliOptions& options) {
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
    return differing == 0 ? 0 : 1;
}

int RunTable(const CliOptions& options) {
    AcceptOnly(options, {"--stage", "--dir"});
    const int32_t stage = RequireStage(options);
    const std::filesystem::path dir = GameDirectory(options, stage);
    HeadlessRace race(dir, stage);
    std::fputs(RunLineHeader().c_str(), stdout);
    PrintStage(race, dir, stage);
    return 0;
}

}  // namespace vantrell::cli
