#include <gtest/gtest.h>

#include <string>

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
    HiScoreTable table(dir.path());
    table.entries[2].name = "old";
    table.entries[2].time = 5;
    table.entries[2].recording = Pattern(9);
    table.rankOrder = {3, 1, 2, 0, 4, 5, 6, 7, 8, 9};
    table.worstTime = 777;
    table.changed = true;
    table.defaultName = 2;

    table.Load(0);
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        EXPECT_EQ(table.entries[k].name, "------");
        EXPECT_EQ(table.entries[k].time, 2398);
        EXPECT_EQ(table.entries[k].recording, Recording{});
        EXPECT_EQ(table.rankOrder[k], k);
    }
    EXPECT_EQ(table.worstTime, 777);  // Rank is not run on this path
    EXPECT_FALSE(table.changed);
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
    HiScoreTable table(dir.path());
    table.FillEmpty();
    table.entries[0] = {"", 2398, Pattern(1), false};
    table.entries[1] = {"abcdefghijklmno", 512, Pattern(2), false};
    table.entries[2] = {kYamadaVan, 12345, Pattern(3), true};
    table.entries[3] = {"\xB6\xDE\xDD", 7, Pattern(4), false};  // ｶﾞﾝ in half-width kana
    ASSERT_TRUE(table.Write(3).written);

    const std::string record = ReadBytes(dir / "VANREC3.DAT");
    const std::string expectedStart = std::string("\r\n 2398\r\n") +
                                      "abcdefghijklmno\r\n  512\r\n" + kYamadaVan +
                                      "\r\n12345\r\n" + "\xB6\xDE\xDD\r\n    7\r\n";
    EXPECT_EQ(record.substr(0, expectedStart.size()), expectedStart);
    EXPECT_EQ(ReadBytes(dir / "S3N2.JOY"),
              std::string(reinterpret_cast<const char*>(Pattern(3).data()), 2400));

    HiScoreTable loaded(dir.path());
    loaded.changed = true;
    loaded.Load(3);
    EXPECT_FALSE(loaded.changed);
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        EXPECT_EQ(loaded.entries[k].name, table.entries[k].name) << k;
        EXPECT_EQ(loaded.entries[k].time, table.entries[k].time) << k;
        EXPECT_EQ(loaded.entries[k].recording, table.entries[k].recording) << k;
        EXPECT_FALSE(loaded.entries[k].isNew);
    }
    EXPECT_EQ(loaded.worstTime, 12345);  // ranked after reading
    EXPECT_EQ(loaded.rankOrder[0], 2);
    EXPECT_EQ(loaded.rankOrder[9], 3);
    EXPECT_EQ(loaded.DefaultNameText(), "");
}

TEST(HiScoreFiles, MissingOrShortRecordingFiles) {
    TempGameDir dir;
    HiScoreTable table(dir.path());
    table.FillEmpty();
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        table.entries[k] = {test::Numbered("P", k), 1000 + k, Pattern(static_cast<uint8_t>(k)),
                            false};
    }
    ASSERT_TRUE(table.Write(0).written);
    std::filesystem::remove(dir / "S0N4.JOY");
    WriteBytes(dir / "S0N6.JOY", std::string(100, '\x11'));
    WriteBytes(dir / "S0N7.JOY", std::string(3000, '\x22'));

    HiScoreTable loaded(dir.path());
    loaded.entries[4].recording = Pattern(99);  // a load starts from zero, not from this
    loaded.Load(0);
    EXPECT_EQ(loaded.entries[4].name, "P4");
    EXPECT_EQ(loaded.entries[4].time, 1004);
    EXPECT_EQ(loaded.entries[4].recording, Recording{});
    EXPECT_EQ(loaded.entries[6].recording[99], 0x11);
    EXPECT_EQ(loaded.entries[6].recording[100], 0);
    EXPECT_EQ(loaded.entries[6].recording[2399], 0);
    Recording overlong;
    overlong.fill(0x22);
    EXPECT_EQ(loaded.entries[7].recording, overlong);  // only the first 2400 bytes count
    EXPECT_EQ(loaded.entries[5].recording, Pattern(5));
    // A missing recording is no input, as ever; a wrong length is a fault worth telling.
    EXPECT_EQ(loaded.LoadProblem().find("S0N4.JOY"), std::string::npos) << loaded.LoadProblem();
    EXPECT_NE(loaded.LoadProblem().find("S0N6.JOY"), std::string::npos) << loaded.LoadProblem();
    EXPECT_NE(loaded.LoadProblem().find("S0N7.JOY"), std::string::npos) << loaded.LoadProblem();
}

}  // namespace
}  // namespace vantrell
