// make-records: the default high-score tables the build ships. Every driving style races every
// stage; each run is driven again from its recording alone and must give the same time, and
// the finished runs, fastest first, become the stage's record file and recording files. Runs
// already in the folder are someone's: the ten best of theirs and ours are kept, unless
// --replace asks for ours alone.
#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "autopilot/autopilot.h"
#include "cli/commands.h"
#include "race/headless_race.h"
#include "records/hiscore_table.h"
#include "world/stage_count.h"

namespace vantrell::cli {

namespace {

struct TableRun {
    std::string name;
    int32_t time = 0;
    Recording recording{};
};

bool ByTime(const TableRun& a, const TableRun& b) {
    return a.time < b.time;
}

bool Holds(const HiScoreTable& table, const HiScoreEntry& run) {
    return !run.Empty() && table.RankHolding(run.time, run.recording).has_value();
}

}  // namespace

int RunMakeRecords(const CliOptions& options) {
    AcceptOnly(options, {"--dir", "--replace", "--stage"});
    const int32_t first = options.stage ? RequireStage(options) : 0;
    const int32_t last = options.stage ? first : kStageCount - 1;
    int failures = 0;
    for (int32_t stage = first; stage <= last; ++stage) {
        const std::filesystem::path dir = GameDirectory(options, stage);
        HeadlessRace race(dir, stage);
        race.SetDrawing(Drawing::None);  // only the outcome counts
        HeadlessRace check(dir, stage);
        check.SetDrawing(Drawing::None);  // only the outcome counts
        std::vector<TableRun> runs;
        for (const AutopilotStyle& style : AutopilotStyles()) {
            const AutopilotRun run = DriveAutopilot(race, style);
            const RaceOutcome replayed = check.Run(run.recording);
            const RaceOutcome& driven = run.outcome;
            if (replayed.goal != driven.goal || replayed.time != driven.time) {
                std::fprintf(stderr,
                             "vantrell-tool: %s, style %s: the replay ended at %d, the "
                             "drive at %d; the race is not deterministic, report this\n",
                             StageName(stage).c_str(), style.name.c_str(), replayed.time,
                             driven.time);
                return 1;
            }
            std::printf("%s  %-9s %-13s %s %d\n", StageName(stage).c_str(), style.name.c_str(),
                        style.driver.c_str(), driven.goal ? "goal" : "timeup", driven.time);
            if (driven.goal) {
                runs.push_back({NameForTable(style.driver), driven.time, run.recording});
            }
        }
        if (runs.empty()) {
            std::fprintf(stderr, "vantrell-tool: %s: no style reached the goal\n",
                         StageName(stage).c_str());
            ++failures;
            continue;
        }
        std::stable_sort(runs.begin(), runs.end(), ByTime);
        // Ours enter the folder's table as raced runs would, so on equal times the folder's run
        // stays ahead and a run it holds already (an earlier make-records) is not entered twice.
        // Worst first: on an empty table the best run ends in the first slot.
        HiScoreTable table(dir);
        if (options.replace) {
            table.FillEmpty();
        } else {
            table.Load(stage);
        }
        const HiScoreTable before = table;
        for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
            table.Offer({.time = run->time, .recording = run->recording, .name = run->name});
        }
        if (!options.replace) {
            int32_t found = 0;
            int32_t kept = 0;
            for (int32_t rank = 1; rank <= kHiScoreSlots; ++rank) {
                const HiScoreEntry& theirs = before.AtRank(rank);
                found += theirs.Empty() ? 0 : 1;
                kept += Holds(table, theirs) ? 1 : 0;
            }
            if (found > 0) {
                std::printf("%s  kept %d of the %d runs already in the folder\n",
                            StageName(stage).c_str(), static_cast<int>(kept),
                            static_cast<int>(found));
            }
        }
        const SaveReport report = table.Write(stage);
        if (!report.written) {
            throw CliError((dir / report.file).string() + ": the records could not be written (" +
                           report.reason + "); check the folder is writable");
        }
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace vantrell::cli
