#include <gtest/gtest.h>

#include <string>

#include "gfx/status_text.h"
#include "hosts/headless/headless_host.h"
#include "records/shift_jis.h"

namespace vantrell {
namespace {

TEST(StatusText, BannerTextsAndWidthsInCodePageBytes) {
    const char* expected[] = {"Vantrell for Win95", "--- ＤＥＭＯ ---", "ＲＥＡＤＹ", "ＧＯ！",
                              "ＧＯＡＬ！",         "時間切れで失格！"};
    for (int32_t code = 1; code <= 6; ++code) {
        const StatusText status = BannerText(code);
        EXPECT_EQ(status.text, expected[code - 1]) << code;
        EXPECT_EQ(status.widthUnits, static_cast<int32_t>(EncodeShiftJis(status.text).size()))
            << code;
    }
    EXPECT_EQ(BannerText(1).widthUnits, 18);
    EXPECT_EQ(BannerText(3).widthUnits, 10);
    for (int32_t code : {0, 7, -1, 1000}) {
        EXPECT_TRUE(BannerText(code).text.empty()) << code;
        EXPECT_EQ(BannerText(code).widthUnits, 0) << code;
    }
}

TEST(StatusText, CodesWithoutTextPaintOnlyTheBlackStrip) {
    MemoryDisplay display;
    display.PaintStatus(BannerString(0), BannerText(0).widthUnits);
    display.PaintStatus(BannerString(7), BannerText(7).widthUnits);
    display.PaintStatus(BannerString(-2), BannerText(-2).widthUnits);
    display.PaintStatus(BannerString(5), BannerText(5).widthUnits);
    ASSERT_EQ(display.StatusLog().size(), 4u);
    for (int32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(display.StatusLog()[i].text, "");
        EXPECT_EQ(display.StatusLog()[i].widthUnits, 0);
    }
    EXPECT_EQ(display.StatusLog()[3].text, "ＧＯＡＬ！");
    EXPECT_EQ(display.StatusLog()[3].widthUnits, 10);
}

TEST(StatusText, TextIsCentredAtTenPixelsPerUnit) {
    EXPECT_EQ(StatusTextX(256, BannerText(1).widthUnits), 38);  // (256 - 180) / 2
    EXPECT_EQ(StatusTextX(256, BannerText(3).widthUnits), 78);  // (256 - 100) / 2
    EXPECT_EQ(StatusTextX(257, 10), 78);
    // Narrower than the text: negative, truncated toward zero rather than rounded down.
    EXPECT_EQ(StatusTextX(100, 18), -40);
    EXPECT_EQ(StatusTextX(101, 18), -39);
    EXPECT_EQ(StatusTextX(0, 16), -80);
    EXPECT_EQ(StatusStripTop(360), 338);
    EXPECT_EQ(StatusTextY(360), 339);
}

}  // namespace
}  // namespace vantrell
