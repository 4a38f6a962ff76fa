// Runs shared as files, from the game's menu: an entry of the current stage's table written as
// a run file, a run file entering the table as a raced run would, or one raced against without
// entering. A file is only taken when it was made on these very course files (whatever stage
// number it carries) and its recording drives to the time it claims; any other is refused with a
// message saying why.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "records/hiscore_table.h"
#include "records/run_file.h"

namespace vantrell {

// Lets the player pick a run of the table and a file, and writes the run there as one save.
void ExportRunFile(Dialogs& dialogs, HiScoreTable& table, const std::filesystem::path& dataDir,
                   int32_t stage);

// Lets the player pick a run file and checks it against `stage` of the folder `dataDir` (a
// stage pack's folder holds stage 0): the file's course digest must be the stage's. The
// run, or nothing when the player cancelled or the file was refused (the player has been told).
std::optional<RunFile> OpenRunFile(Dialogs& dialogs, const std::filesystem::path& dataDir,
                                   int32_t stage);

// A run file the player picks enters the table in memory as a raced run does, into the worst
// entry's place and highlighted in the list that follows; it is saved, like one, at the
// question when the stage changes or the game closes. A run no faster than the worst, or one
// the table holds already, leaves the table as it is.
void ImportRunFile(Dialogs& dialogs, HiScoreTable& table, const std::filesystem::path& dataDir,
                   int32_t stage);

// The run file of the best run `name` (as the table stores it) holds in the stage's table, to
// send to a world table; nothing when the table holds none of theirs or the stage's files
// cannot be read (`why` says which).
std::optional<std::vector<uint8_t>> BestRunFileOf(const HiScoreTable& table,
                                                  const std::filesystem::path& dataDir,
                                                  int32_t stage, const std::string& name,
                                                  std::string* why);

}  // namespace vantrell
