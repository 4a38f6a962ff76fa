#include "records/shift_jis.h"

#include <gtest/gtest.h>

#include <string>

namespace vantrell {
namespace {

const std::string kFffd = "\xEF\xBF\xBD";

TEST(ShiftJis, EncodesToCodePageBytes) {
    EXPECT_EQ(EncodeShiftJis("Abc 123"), "Abc 123");
    EXPECT_EQ(EncodeShiftJis("テスト"), "\x83\x65\x83\x58\x83\x67");
    EXPECT_EQ(EncodeShiftJis("名前"), "\x96\xBC\x91\x4F");
    EXPECT_EQ(EncodeShiftJis("ｱ"), "\xB1");  // half-width katakana is a single byte
    EXPECT_EQ(EncodeShiftJis("ＧＯ！"), "\x82\x66\x82\x6E\x81\x49");
    // What the code page cannot hold becomes one '?', and the text goes on after it.
    EXPECT_EQ(EncodeShiftJis("a\xF0\x9F\x98\x80z"), "a?z");  // an emoji
    EXPECT_EQ(EncodeShiftJis("a€b"), "a?b");
    EXPECT_EQ(EncodeShiftJis("a\xFF\xFE"
                             "b"),
              "a??b");                               // not UTF-8 at all
    EXPECT_EQ(EncodeShiftJis("ab\xE3\x81"), "ab?");  // cut short at the end
    EXPECT_EQ(EncodeShiftJis(""), "");

    // Exactly, or not at all; and with what has no form left out.
    EXPECT_EQ(EncodeShiftJisExactly("名前ｱ"), "\x96\xBC\x91\x4F\xB1");
    EXPECT_EQ(EncodeShiftJisExactly("①ⅰ"), "\x87\x40\xFA\x40");  // NEC and IBM extensions
    EXPECT_EQ(EncodeShiftJisExactly(""), "");
    EXPECT_EQ(EncodeShiftJisExactly("a€b"), std::nullopt);
    EXPECT_EQ(EncodeShiftJisExactly("ab\xE3\x81"), std::nullopt);
    EXPECT_EQ(EncodeShiftJisExactly("\xEF\xBF\xBD"), std::nullopt);  // U+FFFD has no form
    EXPECT_EQ(EncodeShiftJisDropping("a\xF0\x9F\x98\x80z€名"), "az\x96\xBC");
    EXPECT_EQ(EncodeShiftJisDropping("a\xFF\xFE"
                                     "b"),
              "ab");
}

TEST(ShiftJis, DecodesToUtf8AndMarksBadBytes) {
    EXPECT_EQ(DecodeShiftJis("\x83\x65\x83\x58\x83\x67"), "テスト");
    EXPECT_EQ(DecodeShiftJis("\xB1"), "ｱ");
    EXPECT_EQ(DecodeShiftJis("A\x82"), "A" + kFffd);  // lead byte without its trail byte
    EXPECT_EQ(DecodeShiftJis("\xFD"
                             "B"),
              kFffd + "B");
    EXPECT_EQ(DecodeShiftJis("\x85\x40Z"), kFffd + "@Z");  // unassigned pair: one byte at a time

    const std::string mixed = "Ｖａｎ太郎 no.7 ｶﾞﾝ";
    EXPECT_EQ(DecodeShiftJis(EncodeShiftJis(mixed)), mixed);
    // A long text crosses the converter's internal buffer more than once.
    std::string longText;
    for (int i = 0; i < 300; ++i) {
        longText += "漢字a";
    }
    EXPECT_EQ(EncodeShiftJis(longText).size(), 1500u);
    EXPECT_EQ(DecodeShiftJis(EncodeShiftJis(longText)), longText);
}

TEST(ShiftJis, CutsAtCharacterBoundaries) {
    const std::string aiu = EncodeShiftJis("あいう");
    EXPECT_EQ(CutShiftJis(aiu, 6), aiu);
    EXPECT_EQ(CutShiftJis(aiu, 5), aiu.substr(0, 4));
    EXPECT_EQ(CutShiftJis(aiu, 1), "");
    EXPECT_EQ(CutShiftJis("abcdef", 4), "abcd");
    EXPECT_EQ(CutShiftJis("a\x82", 15), "a");  // a dangling lead byte is dropped
    // A trail byte can look like a lead byte (0x82 0x9F is "ぁ"): cutting must walk from the start.
    EXPECT_EQ(CutShiftJis("a\x82\x9F\x82\x9F", 4), "a\x82\x9F");
    EXPECT_EQ(CutShiftJis("\xB1\xB2\xB3", 2), "\xB1\xB2");  // half-width kana are single bytes
}

TEST(ShiftJis, WidthCountsColumns) {
    EXPECT_EQ(ShiftJisWidth(""), 0u);
    EXPECT_EQ(ShiftJisWidth("------"), 6u);
    EXPECT_EQ(ShiftJisWidth("時間切れで失格！"), 16u);
    EXPECT_EQ(ShiftJisWidth("ｱｲｳ"), 3u);
    EXPECT_EQ(ShiftJisWidth("a😀"), 2u);
}

}  // namespace
}  // namespace vantrell
