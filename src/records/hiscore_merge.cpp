#include "records/hiscore_merge.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace vantrell {

namespace {

bool Holds(const HiScoreTable& table, const HiScoreEntry& run) {
    return std::any_of(table.entries.begin(), table.entries.end(), [&run](const HiScoreEntry& e) {
        return e.time == run.time && e.recording == run.recording;
    });
}

// A slot nobody raced in is no run, and neither is an entry without input: its recording file
// is missing (or in the way), and taking it would only double a run the table holds whole.
bool IsRun(const HiScoreEntry& entry) {
    return !entry.Empty() && entry.recording != Recording{};
}

}  // namespace

SaveReport WriteKeepingSavedRuns(HiScoreTable& table, int32_t stage) {
    std::vector<HiScoreEntry> saved;
    std::error_code error;
    // Without a record file the folder holds no runs to take.
    if (!table.emptiedSinceLoad &&
        std::filesystem::exists(table.directory / HiScoreTable::RecordFileName(stage), error)) {
        HiScoreTable files(table.directory);
        files.beforeSaveStep = table.beforeSaveStep;
        files.Load(stage);
        if (files.LoadProblem().empty()) {
            for (const HiScoreEntry& entry : files.entries) {
                if (IsRun(entry) && !Holds(table, entry)) {
                    saved.push_back(entry);
                }
            }
        }
    }
    if (saved.empty()) {
        return table.Write(stage);
    }
    HiScoreTable merged = table;
    for (const HiScoreEntry& run : saved) {
        merged.Rank();
        if (run.time < merged.worstTime) {
            merged.entries[static_cast<size_t>(merged.rankOrder[kRankWorst])] = run;
        }
    }
    return merged.Write(stage);
}

}  // namespace vantrell
