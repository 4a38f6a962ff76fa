// Names as the record file holds them: the bytes read are the bytes saved, whatever they are;
// a typed name is encoded once, exactly, and shown as it was typed.
#include "records/record_names.h"

#include <gtest/gtest.h>

#include <string>

#include "hosts/headless/scripted_dialogs.h"
#include "records/hiscore_dialogs.h"
#include "records/hiscore_table.h"
#include "records_test_support.h"

namespace vantrell {
namespace {

using test::AsBytes;
using test::Pattern;
using test::ReadBytes;
using test::TempGameDir;
using test::WriteBytes;

const std::string kFffd = "\xEF\xBF\xBD";

TEST(RecordNames, ATypedNameEncodesExactlyOrIsRefused) {
    EXPECT_EQ(EncodeName("Taro"), "Taro");
    EXPECT_EQ(EncodeName("速い人"), "\x91\xAC\x82\xA2\x90\x6C");
    EXPECT_EQ(EncodeName("ｶﾞﾝ"), "\xB6\xDE\xDD");
    EXPECT_EQ(EncodeName("①"), "\x87\x40");
    EXPECT_EQ(EncodeName(""), "");
    // No Shift-JIS form, no UTF-8, or a byte that would break the file's lines.
    for (const std::string& refused :
         {std::string("a\xF0\x9F\x98\x80"), std::string("€"), std::string("a\xFF"),
          std::string("a\nb"), std::string("a\rb"), std::string("a\0b", 3)}) {
        EXPECT_EQ(EncodeName(refused), std::nullopt) << refused;
        EXPECT_FALSE(NameFits(refused)) << refused;
    }

    // The limit counts the encoded bytes: fifteen single-byte or seven double-byte characters.
    EXPECT_TRUE(NameFits("abcdefghijklmno"));
    EXPECT_FALSE(NameFits("abcdefghijklmnop"));
    EXPECT_TRUE(NameFits("あいうえおかき"));
    EXPECT_FALSE(NameFits("あいうえおかきく"));
    EXPECT_FALSE(NameFits("abcdefghijklmnあ"));
    EXPECT_TRUE(NameFits("ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿ"));  // half-width kana are one byte each

    // What a dialog let through anyway: dropped, never '?', then cut at a character boundary.
    EXPECT_EQ(NameForTable("ab\xF0\x9F\x98\x80"
                           "cd"),
              "abcd");
    EXPECT_EQ(NameForTable("a€b\xFF"), "ab");
    EXPECT_EQ(NameForTable("line\nbreak\r"), "linebreak");
    EXPECT_EQ(NameForTable("abcdefghijklmnあ"), "abcdefghijklmn");
    EXPECT_EQ(NameForTable("あいうえおかきく"), EncodeName("あいうえおかき"));
}

TEST(RecordNames, EnterRunStoresTheTypedBytesAndTheListShowsThemAsTyped) {
    HiScoreTable table;
    table.FillEmpty();
    ScriptedDialogs dialogs;
    dialogs.QueueName("ﾊﾔﾃ①");
    EnterRun(dialogs, table, 500, nullptr);
    EXPECT_EQ(test::SlotOf(table, 9).name, "\xCA\xD4\xC3\x87\x40");
    // Five columns wide in the fixed-pitch list: eleven blanks pad it to sixteen.
    EXPECT_EQ(dialogs.Calls()[1].lines[0].rankAndName, " 1 : ﾊﾔﾃ①" + std::string(12, ' '));

    dialogs.ClearLog();
    dialogs.QueueName("Speed\xF0\x9F\x98\x80Star");
    EnterRun(dialogs, table, 400, nullptr);
    EXPECT_EQ(dialogs.Calls()[0].text, "ﾊﾔﾃ①");  // the box offers the last name as text
    EXPECT_EQ(test::SlotOf(table, 8).name, "SpeedStar");
    EXPECT_EQ(dialogs.Calls()[1].lines[0].rankAndName, " 1 : SpeedStar" + std::string(8, ' '));
}

// A record file written by another encoder: names with bytes the code page has no character
// for, NEC and IBM extension characters (which have other codes for the same characters), a
// lone lead byte at the end. Saved unchanged it is the same file; saved with one new run, only
// that run's lines and recording differ.
TEST(RecordNames, NamesFromAnotherEncoderKeepTheirBytesThroughSaves) {
    const std::string names[] = {
        "\x85\x40X\xFD\xFE\xFF",        // an unassigned pair and three bytes that are no lead
        "\x87\x40\x87\x54NEC\x87\x9A",  // ①Ⅰ NEC ∵ from the NEC rows
        "\xFA\x40\xFB\x40\xFC\x4B",     // ⅰ and two kanji from the IBM rows
        "Lone\x82",                     // a lead byte without its trail byte
        "\xB6\xDE\xDD tab\there",       // half-width kana and a tab
        "",                             // no name at all
    };
    std::string file;
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        const bool run = k < 6;
        file += (run ? names[k] : kEmptyName) + "\r\n";
        const std::string time = std::to_string(run ? 500 + 100 * k : kEmptyTime);
        file += std::string(5 - time.size(), ' ') + time;
        file += "\r\n";
    }
    TempGameDir dir;
    WriteBytes(dir / "VANREC0.DAT", file);
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        WriteBytes(dir / HiScoreTable::RecordingFileName(0, k),
                   AsBytes(k < 6 ? Pattern(static_cast<uint8_t>(k)) : Recording{}));
    }

    HiScoreTable table(dir.path());
    EXPECT_TRUE(table.Load(0).empty());
    for (int32_t k = 0; k < 6; ++k) {
        EXPECT_EQ(test::SlotOf(table, k).name, names[k]) << k;
        EXPECT_EQ(test::SlotOf(table, k).time, 500 + 100 * k) << k;
    }
    const HiScoreLines lines = HiScoreListLines(table);
    // Shown decoded, each byte that forms no character as U+FFFD.
    const std::string shown[] = {" 1 : " + kFffd + "@X" + kFffd + kFffd + kFffd + "   ",
                                 " 2 : ①ⅠNEC∵   ", " 3 : ⅰ涖黑   ", " 4 : Lone" + kFffd + " "};
    for (int32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(lines[i].rankAndName.substr(0, shown[i].size()), shown[i]) << i;
    }

    ASSERT_TRUE(table.Write(0).written);
    EXPECT_EQ(ReadBytes(dir / "VANREC0.DAT"), file);

    ScriptedDialogs dialogs;
    dialogs.QueueName("New");
    EnterRun(dialogs, table, 300, Pattern(99).data());
    ASSERT_EQ(test::SlotOf(table, 9).name, "New");  // the worst: among the 2398s the highest slot
    ASSERT_TRUE(table.Write(0).written);
    std::string expected = file;
    expected.replace(expected.size() - 15, 15, "New\r\n  300\r\n");
    EXPECT_EQ(ReadBytes(dir / "VANREC0.DAT"), expected);
    for (int32_t k = 0; k < 6; ++k) {
        EXPECT_EQ(ReadBytes(dir / HiScoreTable::RecordingFileName(0, k)),
                  AsBytes(Pattern(static_cast<uint8_t>(k))))
            << k;
    }
}

}  // namespace
}  // namespace vantrell
