// Saving a table without losing runs another program saved meanwhile: the tool's import writes
// a stage's files while the game may hold the same stage's table, unsaved, in memory.
#pragma once

#include <cstdint>

#include "records/hiscore_table.h"

namespace vantrell {

// Reads the stage's files again and writes the table as Write does, with the runs the files
// hold now and the table lacks entered as a raced run would be (each into the worst entry's
// place, if faster). Nothing is taken from files that are not well-formed, nor when the table
// was emptied since its load: the player chose then to drop the runs the files hold. The table
// in memory is left as it is (a race may be replaying one of its recordings).
SaveReport WriteKeepingSavedRuns(HiScoreTable& table, int32_t stage);

}  // namespace vantrell
