// Driving a stored or shared run again and comparing it with the time it claims, and the line
// that shows the outcome: what the tool's verify, table, export and import, the game's run-file
// entries and the browser's self-check share.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "race/headless_race.h"
#include "records/hiscore_table.h"

namespace vantrell {

struct RunCheck {
    bool empty = false;  // an empty entry, not driven
    RaceOutcome driven;
    bool ok = false;  // reaches the goal in exactly the claimed time
};

// Drives the recording on the race's stage (undrawn) and compares the outcome with `time`.
RunCheck DriveAndCompare(HeadlessRace& race, int32_t time, const Recording& recording);
// The same for a table entry; an empty one is not driven.
RunCheck CheckEntry(HeadlessRace& race, const HiScoreEntry& entry);

// The column heads and one line per entry: stage (numbered as the menus show it), rank, stored
// time with its seconds at the standard speed, driven time ("timeup" when it ran out of time,
// "-" for an empty entry),
// ok/differs/empty, and the name as UTF-8 last, so names of any width keep the columns straight.
std::string RunLineHeader();
std::string RunLine(int32_t stage, int32_t rank, const HiScoreEntry& entry, const RunCheck& check);
// "1187 ticks" or "time-up" as a sentence shows a drive's outcome.
std::string OutcomeText(const RaceOutcome& outcome);

// Every entry of stage `stage`'s table in `dir`, best first, driven again: the lines and how
// many differ. The race is moved to the stage; one race serves every stage, so the view tables
// are built once. `loadProblems` receives what was wrong with the record files, if anything.
struct StageRunLines {
    std::string lines;
    int32_t differing = 0;
    std::vector<RecordProblem> loadProblems;
};
StageRunLines CheckStageRuns(HeadlessRace& race, const std::filesystem::path& dir, int32_t stage);

}  // namespace vantrell
