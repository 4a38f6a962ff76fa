// What the shipped tables promise a newcomer: each stage's ten runs step down from an expert's
// to a beginner's, so an honest first finish can reach rank 10, and every run is driven, never
// waited out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "records/hiscore_table.h"

namespace vantrell::cli {

constexpr int32_t kLadderSpreadTenths = 16;  // rank 10 takes at least 1.6 times rank 1
constexpr int32_t kLadderSlowest = 1200;     // and never fewer ticks than this
// The longest a run may go without forward or reverse before its goal: a careful driver lifts
// off for a bend or a slope, but one who stands and waits is no driver.
constexpr int32_t kLadderLongestCoast = 60;

// The longest stretch of race ticks before `time` on which the recording holds neither forward
// nor reverse, and the tick it begins.
struct Coast {
    int32_t ticks = 0;
    int32_t from = 0;
};
Coast LongestCoast(const Recording& recording, int32_t time);

// The table's ladder in one line for a person, "rank 1 928, rank 10 1833 (1.98 x), at most 37
// ticks without thrust", and what breaks it, one sentence each; none when it holds.
struct LadderCheck {
    std::string summary;
    std::vector<std::string> problems;
};
LadderCheck CheckLadder(const HiScoreTable& table);

}  // namespace vantrell::cli
