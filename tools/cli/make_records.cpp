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
    bool ours = true;  // raced here rather than found in the folder
};

bool ByTime(const TableRun& a, const TableRun& b) {
    return a.time < b.time;
}

// The runs in the folder's record file, best first as the table ranks them. An empty entry
// ("------", 2398) is a slot nobody raced in, not a run.
std::vector<TableRun> FolderRuns(const std::filesystem::path& dir, int32_t stage) {
    HiScoreTable table(dir);
    table.Load(stage);
    std::vector<TableRun> runs;
    for (int32_t position = kRankBest; position >= kRankWorst; --position) {
        const HiScoreEntry& entry = table.entries[static_cast<size_t>(table.rankOrder[position])];
        if (entry.Empty()) {
            continue;
        }
        runs.push_back({entry.name, entry.time, entry.recording, false});
    }
    return runs;
}

void WriteTable(const std::filesystem::path& dir, int32_t stage,
                const std::vector<TableRun>& runs) {
    HiScoreTable table(dir);
    table.FillEmpty();
    for (size_t k = 0; k < runs.size() && k < table.entries.size(); ++k) {
        HiScoreEntry& entry = table.entries[k];
        entry.name = runs[k].name;
        entry.time = runs[k].time;
        entry.recording = runs[k].recording;
    }
    table.Rank();
    const SaveReport report = table.Write(stage);
    if (!report.written) {
        throw CliError((dir / report.file).string() + ": the records could not be written (" +
                       report.reason + "); check the folder is writable");
    }
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
                             "vantrell-tool: stage %d, style %s: the replay ended at %d, the "
                             "drive at %d; the race is not deterministic, report this\n",
                             stage, style.name.c_str(), replayed.time, driven.time);
                return 1;
            }
            std::printf("stage %d  %-9s %-13s %s %d\n", stage, style.name.c_str(),
                        style.driver.c_str(), driven.goal ? "goal" : "timeup", driven.time);
            if (driven.goal) {
                runs.push_back({NameForTable(style.driver), driven.time, run.recording});
            }
        }
        if (runs.empty()) {
            std::fprintf(stderr, "vantrell-tool: stage %d: no style reached the goal\n", stage);
            ++failures;
            continue;
        }
        std::stable_sort(runs.begin(), runs.end(), ByTime);
        if (!options.replace) {
            // Merged by time; on equal times the folder's run stays ahead of ours. A run the
            // folder already holds (an earlier make-records) is not entered twice.
            const std::vector<TableRun> kept = FolderRuns(dir, stage);
            if (!kept.empty()) {
                std::erase_if(runs, [&kept](const TableRun& run) {
                    return std::any_of(kept.begin(), kept.end(), [&run](const TableRun& k) {
                        return k.time == run.time && k.recording == run.recording;
                    });
                });
                std::vector<TableRun> merged;
                std::merge(kept.begin(), kept.end(), runs.begin(), runs.end(),
                           std::back_inserter(merged), ByTime);
                merged.resize(std::min<size_t>(merged.size(), kHiScoreSlots));
                const auto theirs = std::count_if(merged.begin(), merged.end(),
                                                  [](const TableRun& run) { return !run.ours; });
                std::printf("stage %d  kept %d of the %d runs already in the folder\n", stage,
                            static_cast<int>(theirs), static_cast<int>(kept.size()));
                runs = std::move(merged);
            }
        }
        WriteTable(dir, stage, runs);
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace vantrell::cli
