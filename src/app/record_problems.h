// What was wrong with a stage's record files, in the player's language: one line per fault,
// the file first, the first few faults only.
#pragma once

#include <string>
#include <vector>

#include "records/record_problems.h"

namespace vantrell {

// Empty for no problems.
std::string DescribeRecordProblems(const std::vector<RecordProblem>& problems);

}  // namespace vantrell
