#include "records/hiscore_table.h"

#include <gtest/gtest.h>

#include <array>

#include "records_test_support.h"

namespace vantrell {
namespace {

void SetTimes(HiScoreTable& table, const std::array<int32_t, kHiScoreSlots>& times) {
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        table.entries[k].time = times[k];
    }
}

TEST(HiScoreRank, GreatestTimeFirstAndTiesToTheHigherSlot) {
    HiScoreTable table;
    SetTimes(table, {100, 50, 100, 2398, 7, 50, 300, 300, 1, 2398});
    table.Rank();
    EXPECT_EQ(table.rankOrder, (std::array<int32_t, 10>{9, 3, 7, 6, 2, 0, 5, 1, 4, 8}));
    EXPECT_EQ(table.worstTime, 2398);

    SetTimes(table, {5, 5, 5, 5, 5, 5, 5, 5, 5, 5});
    table.Rank();
    EXPECT_EQ(table.rankOrder, (std::array<int32_t, 10>{9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
    EXPECT_EQ(table.worstTime, 5);

    // Two equal best runs: the lower slot is the better one (position 9).
    SetTimes(table, {900, 900, 10, 900, 900, 10, 900, 900, 900, 900});
    table.Rank();
    EXPECT_EQ(table.rankOrder[9], 2);
    EXPECT_EQ(table.rankOrder[8], 5);
    EXPECT_EQ(table.rankOrder[0], 9);
    EXPECT_EQ(table.worstTime, 900);
}

TEST(HiScoreRank, FillEmptyGivesIdentityOrderAndKeepsWorstTime) {
    HiScoreTable table;
    SetTimes(table, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    table.entries[4].name = "Taro";
    table.entries[4].isNew = true;
    table.entries[4].recording = test::Pattern(3);
    table.defaultName = 4;
    table.Rank();
    ASSERT_EQ(table.worstTime, 10);

    table.FillEmpty();
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        EXPECT_EQ(table.rankOrder[k], k);
        EXPECT_EQ(table.entries[k].name, "------");
        EXPECT_EQ(table.entries[k].time, 2398);
        EXPECT_FALSE(table.entries[k].isNew);
        EXPECT_EQ(table.entries[k].recording, Recording{});
    }
    EXPECT_EQ(table.worstTime, 10);
    // The name box follows the slot, so it now offers the empty entry's name.
    EXPECT_EQ(table.DefaultNameText(), "------");
    table.defaultName = HiScoreTable::kDefaultNameEmpty;
    EXPECT_EQ(table.DefaultNameText(), "");
}

TEST(HiScoreRank, RecordingAtFollowsRankOrderFromFixedStorage) {
    HiScoreTable table;
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        table.entries[k].recording = test::Pattern(static_cast<uint8_t>(k * 10));
    }
    SetTimes(table, {50, 40, 30, 20, 10, 60, 70, 80, 90, 100});
    table.Rank();
    EXPECT_EQ(table.RecordingAt(9), table.entries[4].recording.data());
    EXPECT_EQ(table.RecordingAt(8), table.entries[3].recording.data());
    EXPECT_EQ(table.RecordingAt(0), table.entries[9].recording.data());
    EXPECT_EQ(table.RecordingAt(9)[0], 40);

    // A replay holds the pointer: new content shows through it, the address stays.
    const uint8_t* held = table.RecordingAt(9);
    table.entries[4].recording = test::Pattern(7);
    table.FillEmpty();
    EXPECT_EQ(held, table.entries[4].recording.data());
    EXPECT_EQ(held[0], 0);

    EXPECT_EQ(table.RecordingAt(-3), table.RecordingAt(0));
    EXPECT_EQ(table.RecordingAt(10), table.RecordingAt(9));
}

}  // namespace
}  // namespace vantrell
