#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/record_problems.h"
#include "records/hiscore_table.h"
#include "records_test_support.h"

namespace vantrell {
namespace {

using test::Pattern;
using test::ReadBytes;
using test::TempGameDir;
using test::WriteBytes;

// 山田太郎ＶＡＮ as Shift-JIS bytes.
const std::string kYamadaVan = "\x8E\x52\x93\x63\x91\xBE\x98\x59\x82\x75\x82\x60\x82\x6D";

std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) {
        out += s;
    }
    return out;
}

TEST(HiScoreFiles, MissingRecordFileGivesTenEmptyEntriesWithoutRanking) {
    TempGameDir dir;
    WriteBytes(dir / "S0N2.JOY", std::string(2400, '\x05'));  // no record file to go with it
    // A table with a run named and entered, worst time 777.
    HiScoreTable table = test::TableOf({{"old", 5, Pattern(9)},
                                        {"w", 777},
                                        {"w", 700},
                                        {"w", 600},
                                        {"w", 500},
                                        {"w", 400},
                                        {"w", 300},
                                        {"w", 200},
                                        {"w", 100},
                                        {"w", 50}},
                                       dir.path());
    ASSERT_TRUE(table.Offer({.time = 6, .recording = Pattern(8)}).Entered());
    table.NameRun(2, "new");
    ASSERT_EQ(table.WorstTime(), 700);

    EXPECT_TRUE(table.Load(0).empty());
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        const test::SlotRun slot = test::SlotOf(table, k);
        EXPECT_EQ(slot.name, "------");
        EXPECT_EQ(slot.time, 2398);
        EXPECT_EQ(slot.recording, Recording{});
    }
    EXPECT_EQ(table.WorstTime(), 700);  // Rank is not run on this path
    EXPECT_FALSE(table.Changed());
    EXPECT_EQ(table.DefaultNameText(), "");
}

TEST(HiScoreFiles, EmptyTableIsWrittenByteForByte) {
    TempGameDir dir;
    HiScoreTable table(dir.path());
    table.FillEmpty();
    EXPECT_TRUE(table.Write(0).written);

    const std::string record = ReadBytes(dir / "VANREC0.DAT");
    EXPECT_EQ(record.size(), 150u);
    EXPECT_EQ(record, Repeat("------\r\n 2398\r\n", 10));
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        EXPECT_EQ(ReadBytes(dir / HiScoreTable::RecordingFileName(0, k)), std::string(2400, '\0'));
    }
}

TEST(HiScoreFiles, SaveAndLoadRoundTrip) {
    TempGameDir dir;
    HiScoreTable table = test::TableOf({{"", 2398, Pattern(1)},
                                        {"abcdefghijklmno", 512, Pattern(2)},
                                        {kYamadaVan, 12345, Pattern(3)},
                                        {"\xB6\xDE\xDD", 7, Pattern(4)}},  // ｶﾞﾝ, half-width kana
                                       dir.path());
    ASSERT_TRUE(table.Write(3).written);

    const std::string record = ReadBytes(dir / "VANREC3.DAT");
    const std::string expectedStart = std::string("\r\n 2398\r\n") +
                                      "abcdefghijklmno\r\n  512\r\n" + kYamadaVan +
                                      "\r\n12345\r\n" + "\xB6\xDE\xDD\r\n    7\r\n";
    EXPECT_EQ(record.substr(0, expectedStart.size()), expectedStart);
    EXPECT_EQ(ReadBytes(dir / "S3N2.JOY"),
              std::string(reinterpret_cast<const char*>(Pattern(3).data()), 2400));

    HiScoreTable loaded(dir.path());
    ASSERT_TRUE(loaded.Offer({.time = 1}).Entered());
    EXPECT_TRUE(loaded.Load(3).empty());
    EXPECT_FALSE(loaded.Changed());
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        EXPECT_EQ(test::SlotOf(loaded, k).name, test::SlotOf(table, k).name) << k;
        EXPECT_EQ(test::SlotOf(loaded, k).time, test::SlotOf(table, k).time) << k;
        EXPECT_EQ(test::SlotOf(loaded, k).recording, test::SlotOf(table, k).recording) << k;
        EXPECT_FALSE(loaded.AtRank(k + 1).isNew);
    }
    EXPECT_EQ(loaded.WorstTime(), 12345);  // ranked after reading
    EXPECT_EQ(loaded.AtRank(10).name, kYamadaVan);
    EXPECT_EQ(loaded.AtRank(1).name, "\xB6\xDE\xDD");
    EXPECT_EQ(loaded.DefaultNameText(), "");
}

TEST(HiScoreFiles, MissingOrShortRecordingFiles) {
    TempGameDir dir;
    std::vector<test::SlotRun> slots;
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        slots.push_back({test::Numbered("P", k), 1000 + k, Pattern(static_cast<uint8_t>(k))});
    }
    HiScoreTable table = test::TableOf(slots, dir.path());
    ASSERT_TRUE(table.Write(0).written);
    std::filesystem::remove(dir / "S0N4.JOY");
    WriteBytes(dir / "S0N6.JOY", std::string(100, '\x11'));
    WriteBytes(dir / "S0N7.JOY", std::string(3000, '\x22'));

    // A load starts from zero, not from what the table held.
    HiScoreTable loaded = test::TableOf({{}, {}, {}, {}, {"x", 5, Pattern(99)}}, dir.path());
    const std::string told = DescribeRecordProblems(loaded.Load(0));
    EXPECT_EQ(test::SlotOf(loaded, 4).name, "P4");
    EXPECT_EQ(test::SlotOf(loaded, 4).time, 1004);
    EXPECT_EQ(test::SlotOf(loaded, 4).recording, Recording{});
    EXPECT_EQ(test::SlotOf(loaded, 6).recording[99], 0x11);
    EXPECT_EQ(test::SlotOf(loaded, 6).recording[100], 0);
    EXPECT_EQ(test::SlotOf(loaded, 6).recording[2399], 0);
    Recording overlong;
    overlong.fill(0x22);
    EXPECT_EQ(test::SlotOf(loaded, 7).recording, overlong);  // only the first 2400 bytes count
    EXPECT_EQ(test::SlotOf(loaded, 5).recording, Pattern(5));
    // A missing recording is no input, as ever; a wrong length is a fault worth telling.
    EXPECT_EQ(told,
              "S0N6.JOY: 100バイトしかありません（2400バイトのはず）\n"
              "S0N7.JOY: 2400バイトより長いファイルです");
}

}  // namespace
}  // namespace vantrell
