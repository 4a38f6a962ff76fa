#include "cli/ladder_check.h"

#include <algorithm>
#include <cstdio>

#include "input/control_code.h"

namespace vantrell::cli {

namespace {

std::string RankText(int32_t rank, int32_t time) {
    return "rank " + std::to_string(rank) + " " + std::to_string(time);
}

}  // namespace

Coast LongestCoast(const Recording& recording, int32_t time) {
    Coast longest;
    Coast current{0, 1};
    // Byte 0 belongs to the tick the race starts on and is never recorded.
    const int32_t end = std::min<int32_t>(time, kRecordingBytes);
    for (int32_t tick = 1; tick < end; ++tick) {
        if ((recording[static_cast<size_t>(tick)] & (kRunForward | kRunReverse)) != 0) {
            current = {0, tick + 1};
            continue;
        }
        ++current.ticks;
        if (current.ticks > longest.ticks) {
            longest = current;
        }
    }
    return longest;
}

LadderCheck CheckLadder(const HiScoreTable& table) {
    LadderCheck check;
    Coast longest;
    for (int32_t rank = 1; rank <= kHiScoreSlots; ++rank) {
        const HiScoreEntry& entry = table.AtRank(rank);
        if (entry.Empty()) {
            check.problems.push_back("rank " + std::to_string(rank) + " is empty");
            continue;
        }
        const Coast coast = LongestCoast(entry.recording, entry.time);
        longest = std::max(longest, coast,
                           [](const Coast& a, const Coast& b) { return a.ticks < b.ticks; });
        if (coast.ticks > kLadderLongestCoast) {
            check.problems.push_back(
                "rank " + std::to_string(rank) + " goes " + std::to_string(coast.ticks) +
                " ticks without thrust from tick " + std::to_string(coast.from) + ", more than " +
                std::to_string(kLadderLongestCoast));
        }
    }
    const int32_t best = table.AtRank(1).time;
    const int32_t last = table.AtRank(kHiScoreSlots).time;
    char spread[32];
    std::snprintf(spread, sizeof spread, "%.2f", best > 0 ? static_cast<double>(last) / best : 0.0);
    check.summary = RankText(1, best) + ", " + RankText(kHiScoreSlots, last) + " (" + spread +
                    " x), at most " + std::to_string(longest.ticks) + " ticks without thrust";
    if (int64_t{last} * 10 < int64_t{best} * kLadderSpreadTenths) {
        check.problems.push_back(RankText(kHiScoreSlots, last) + " is under " +
                                 std::to_string(kLadderSpreadTenths / 10) + "." +
                                 std::to_string(kLadderSpreadTenths % 10) + " times " +
                                 RankText(1, best));
    }
    if (last < kLadderSlowest) {
        check.problems.push_back(RankText(kHiScoreSlots, last) + " is under " +
                                 std::to_string(kLadderSlowest) + " ticks");
    }
    return check;
}

}  // namespace vantrell::cli
