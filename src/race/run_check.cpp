#include "race/run_check.h"

#include <cstdio>

#include "records/record_names.h"
#include "records/run_time.h"
#include "world/stage_count.h"

namespace vantrell {

RunCheck DriveAndCompare(HeadlessRace& race, int32_t time, const Recording& recording) {
    RunCheck check;
    race.SetDrawing(Drawing::None);  // only the outcome counts
    check.driven = race.Run(recording);
    check.ok = check.driven.goal && check.driven.time == time;
    return check;
}

RunCheck CheckEntry(HeadlessRace& race, const HiScoreEntry& entry) {
    if (entry.Empty()) {
        RunCheck check;
        check.empty = true;
        return check;
    }
    return DriveAndCompare(race, entry.time, entry.recording);
}

std::string RunLineHeader() {
    return "stage rank           time driven result  name\n";
}

std::string RunLine(int32_t stage, int32_t rank, const HiScoreEntry& entry, const RunCheck& check) {
    char driven[16] = "-";
    if (!check.empty) {
        if (check.driven.goal) {
            std::snprintf(driven, sizeof driven, "%d", static_cast<int>(check.driven.time));
        } else {
            std::snprintf(driven, sizeof driven, "timeup");
        }
    }
    const char* result = check.empty ? "empty" : check.ok ? "ok" : "differs";
    // The stored time with its seconds, in the tool's fixed words so that every build prints
    // the same line.
    const std::string time = TicksWithSeconds(entry.time, TimeWords::Plain);
    char line[128];
    std::snprintf(line, sizeof line, "%5d %4d %14s %6s %-7s ", static_cast<int>(StageNumber(stage)),
                  static_cast<int>(rank), time.c_str(), driven, result);
    return line + NameForDisplay(entry.name) + "\n";
}

std::string OutcomeText(const RaceOutcome& outcome) {
    return outcome.goal ? std::to_string(outcome.time) + " ticks" : std::string("time-up");
}

StageRunLines CheckStageRuns(HeadlessRace& race, const std::filesystem::path& dir, int32_t stage) {
    race.game().SelectStage(stage);
    HiScoreTable table(dir);
    StageRunLines result;
    result.loadProblems = table.Load(stage);
    table.Rank();
    for (int32_t rank = 1; rank <= kHiScoreSlots; ++rank) {
        const HiScoreEntry& entry = table.AtRank(rank);
        const RunCheck check = CheckEntry(race, entry);
        if (!check.empty && !check.ok) {
            ++result.differing;
        }
        result.lines += RunLine(stage, rank, entry, check);
    }
    return result;
}

}  // namespace vantrell
