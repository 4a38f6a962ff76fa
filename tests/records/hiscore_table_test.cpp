#include "records/hiscore_table.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "records_test_support.h"

namespace vantrell {
namespace {

using test::SlotRun;
using test::TableOf;

// A table whose slot k is named "S<k>" and holds times[k], so a rank tells its slot by name.
HiScoreTable TableOfTimes(const std::array<int32_t, kHiScoreSlots>& times) {
    std::vector<SlotRun> slots;
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        slots.push_back({test::Numbered("S", k), times[k], test::Pattern(static_cast<uint8_t>(k))});
    }
    return TableOf(slots);
}

// The slot names from rank 10 (position 0, the worst) to rank 1.
std::vector<std::string> WorstFirst(const HiScoreTable& table) {
    std::vector<std::string> names;
    for (int32_t rank = kHiScoreSlots; rank >= 1; --rank) {
        names.push_back(table.AtRank(rank).name);
    }
    return names;
}

TEST(HiScoreRank, GreatestTimeFirstAndTiesToTheHigherSlot) {
    HiScoreTable table = TableOfTimes({100, 50, 100, 2398, 7, 50, 300, 300, 1, 2398});
    EXPECT_EQ(WorstFirst(table), (std::vector<std::string>{"S9", "S3", "S7", "S6", "S2", "S0", "S5",
                                                           "S1", "S4", "S8"}));
    EXPECT_EQ(table.WorstTime(), 2398);

    table = TableOfTimes({5, 5, 5, 5, 5, 5, 5, 5, 5, 5});
    EXPECT_EQ(WorstFirst(table), (std::vector<std::string>{"S9", "S8", "S7", "S6", "S5", "S4", "S3",
                                                           "S2", "S1", "S0"}));
    EXPECT_EQ(table.WorstTime(), 5);

    // Two equal best runs: the lower slot is the better one (position 9).
    table = TableOfTimes({900, 900, 10, 900, 900, 10, 900, 900, 900, 900});
    EXPECT_EQ(table.AtRank(1).name, "S2");
    EXPECT_EQ(table.AtRank(2).name, "S5");
    EXPECT_EQ(table.AtRank(10).name, "S9");
    EXPECT_EQ(table.WorstTime(), 900);
}

TEST(HiScoreRank, FillEmptyEmptiesEverySlotAndKeepsWorstTime) {
    HiScoreTable table = TableOfTimes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    // A run named at rank 1 (slot 0) makes that place the name box's first text.
    table.NameRun(1, "Taro");
    ASSERT_EQ(table.WorstTime(), 10);

    table.FillEmpty();
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        const SlotRun slot = test::SlotOf(table, k);
        EXPECT_EQ(slot.name, "------");
        EXPECT_EQ(slot.time, 2398);
        EXPECT_EQ(slot.recording, Recording{});
    }
    EXPECT_FALSE(table.AtRank(1).isNew);
    EXPECT_EQ(table.WorstTime(), 10);
    EXPECT_FALSE(table.Changed());
    // The name box follows the place, so it now offers the empty entry's name; a load empties it.
    EXPECT_EQ(table.DefaultNameText(), "------");
    table.Load(0, test::FilesOf({}));
    EXPECT_EQ(table.DefaultNameText(), "");
}

TEST(HiScoreRank, RecordingAtFollowsRankOrderFromFixedStorage) {
    HiScoreTable table = TableOfTimes({50, 40, 30, 20, 10, 60, 70, 80, 90, 100});
    EXPECT_EQ(table.RecordingAt(9)[0], 4);  // slot 4's pattern
    EXPECT_EQ(table.RecordingAt(8)[0], 3);
    EXPECT_EQ(table.RecordingAt(0)[0], 9);

    // A replay holds the pointer: new content shows through it, the address stays.
    const uint8_t* held = table.RecordingAt(9);
    table.FillEmpty();
    EXPECT_EQ(held[0], 0);
    const OfferResult offer = table.Offer({.time = 5, .recording = test::Pattern(77)});
    ASSERT_TRUE(offer.Entered());
    EXPECT_EQ(offer.rank, 1);
    // The run went into the worst place, slot 9; the pointer held for slot 4 saw nothing of it.
    EXPECT_EQ(test::SlotOf(table, 9).time, 5);
    EXPECT_EQ(held[0], 0);

    EXPECT_EQ(table.RecordingAt(-3), table.RecordingAt(0));
    EXPECT_EQ(table.RecordingAt(10), table.RecordingAt(9));
}

TEST(HiScoreOffer, TheOneWayInAnswersTheRankOrWhyNot) {
    HiScoreTable table = TableOfTimes({100, 200, 300, 400, 500, 600, 700, 800, 900, 1000});
    // Not strictly faster than rank 10.
    OfferResult offer = table.Offer({.time = 1000, .recording = test::Pattern(1)});
    EXPECT_EQ(offer.outcome, OfferOutcome::NotFaster);
    EXPECT_EQ(offer.worstTime, 1000);
    EXPECT_FALSE(table.Changed());

    // A run the table holds is refused, unless the finish hands it over.
    offer = table.Offer({.time = 300, .recording = test::Pattern(2)});
    EXPECT_EQ(offer.outcome, OfferOutcome::AlreadyHeld);
    EXPECT_EQ(offer.rank, 3);
    offer = table.Offer({.time = 300, .recording = test::Pattern(2), .refuseHeld = false});
    EXPECT_EQ(offer.outcome, OfferOutcome::Entered);
    EXPECT_EQ(offer.rank, 4);  // equal to slot 2's time, in the higher slot 9
    EXPECT_EQ(test::SlotOf(table, 9).time, 300);
    EXPECT_EQ(test::SlotOf(table, 9).name, "S9");  // the name waits for NameRun
    EXPECT_TRUE(table.AtRank(4).isNew);
    EXPECT_TRUE(table.Changed());
    table.NameRun(offer.rank, "Taro");
    EXPECT_EQ(test::SlotOf(table, 9).name, "Taro");
    EXPECT_EQ(table.DefaultNameText(), "Taro");

    // A named offer stores its name; the next worst place (slot 8, 900) takes it.
    offer = table.Offer({.time = 50, .recording = test::Pattern(3), .name = "Hanako"});
    EXPECT_EQ(offer.rank, 1);
    EXPECT_EQ(test::SlotOf(table, 8).name, "Hanako");
    EXPECT_EQ(table.WorstTime(), 800);
}

}  // namespace
}  // namespace vantrell
