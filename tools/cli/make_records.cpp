// make-records: the default high-score tables the build ships. Every driving style races every
// stage; each run is driven again from its recording alone and must give the same time, and
// the finished runs, fastest first, become the stage's record file and recording files.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "autopilot/autopilot.h"
#include "cli/commands.h"
#include "race/headless_race.h"
#include "records/hiscore_table.h"

namespace vantrell::cli {

namespace {

constexpr int32_t kStageCount = 5;

struct StyledRun {
    const AutopilotStyle* style = nullptr;
    AutopilotRun run;
};

void WriteTable(const std::filesystem::path& dir, int32_t stage,
                const std::vector<StyledRun>& runs) {
    HiScoreTable table(dir);
    table.FillEmpty();
    for (size_t k = 0; k < runs.size() && k < table.entries.size(); ++k) {
        HiScoreEntry& entry = table.entries[k];
        entry.name = NameForTable(runs[k].style->driver);
        entry.time = runs[k].run.outcome.time;
        entry.recording = runs[k].run.recording;
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
    int failures = 0;
    for (int32_t stage = 0; stage < kStageCount; ++stage) {
        const std::filesystem::path dir = GameDirectory(options, stage);
        HeadlessRace race(dir, stage);
        HeadlessRace check(dir, stage);
        std::vector<StyledRun> runs;
        for (const AutopilotStyle& style : AutopilotStyles()) {
            StyledRun styled{&style, DriveAutopilot(race, style)};
            const RaceOutcome replayed = check.Run(styled.run.recording);
            const RaceOutcome& driven = styled.run.outcome;
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
                runs.push_back(styled);
            }
        }
        if (runs.empty()) {
            std::fprintf(stderr, "vantrell-tool: stage %d: no style reached the goal\n", stage);
            ++failures;
            continue;
        }
        std::stable_sort(runs.begin(), runs.end(), [](const StyledRun& a, const StyledRun& b) {
            return a.run.outcome.time < b.run.outcome.time;
        });
        WriteTable(dir, stage, runs);
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace vantrell::cli
