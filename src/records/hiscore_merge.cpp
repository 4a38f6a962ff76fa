// Saving a table without losing runs another program saved meanwhile: the tool's import writes
// a stage's files while the game may hold the same stage's table, unsaved, in memory.
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include "records/hiscore_table.h"

namespace vantrell {

SaveReport HiScoreTable::WriteKeepingSavedRuns(int32_t stage) {
    std::error_code error;
    // Without a record file the folder holds no runs to take.
    if (emptiedSinceLoad_ || !std::filesystem::exists(directory_ / RecordFileName(stage), error)) {
        return Write(stage);
    }
    HiScoreTable files(directory_);
    files.beforeSaveStep_ = beforeSaveStep_;
    if (!files.Load(stage).empty()) {
        return Write(stage);
    }
    HiScoreTable merged = *this;
    for (const HiScoreEntry& entry : files.entries_) {
        // A slot nobody raced in is no run, and neither is an entry without input: its
        // recording file is missing (or in the way), and taking it would only double a run the
        // table holds whole.
        if (entry.Empty() || entry.recording == Recording{}) {
            continue;
        }
        merged.Offer({.time = entry.time, .recording = entry.recording, .name = entry.name});
    }
    const SaveReport report = merged.Write(stage);
    // The files set aside are gone from the folder now; a later save must not set aside the
    // ones this save wrote in their place.
    keepAside_ = std::move(merged.keepAside_);
    return report;
}

}  // namespace vantrell
