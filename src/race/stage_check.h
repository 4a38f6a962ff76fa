// What keeps a stage's files from being raced as the course was made: a file missing or too
// short, a picture that cannot be drawn or is too small, a checkpoint no craft can enter, a
// course object off the map. Stage::Load makes the best of any files, as the game always did;
// this says beforehand what would go wrong, so a player or a tool can be told.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "race/stage.h"

namespace vantrell {

struct StageProblem {
    std::string file;    // the file's name in the stage folder, e.g. "MAP0.DAT"
    std::string reason;  // one line: what is wrong with it
};

// Rows the stage picture needs. Course row y is picture row y + 210. The view's deepest read is
// the ground table's least offset, -74412: 186 rows down and 12 columns left, which from x 0
// runs into the row below. From a craft on the far edge (y 387) that is picture row 784, so 785
// rows, more than any stamp reaches (row 387 + 225).
constexpr int32_t kStagePictureMinHeight = 785;

// Every problem of stage `stage` as read into `files`, in the order Stage::Load reads them;
// empty for a good stage. The game checks and loads the same bytes, so each file is read once.
std::vector<StageProblem> CheckStage(const StageBytes& files, int32_t stage);
// The same for the files in `dir` (empty: the current folder).
std::vector<StageProblem> CheckStage(const std::filesystem::path& dir, int32_t stage);

}  // namespace vantrell
