#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "gfx/bitmap8.h"

namespace vantrell {
namespace {

// A pattern that never holds the transparent key and differs between neighbouring pixels.
uint8_t Pattern(int32_t x, int32_t y, int seed) {
    return static_cast<uint8_t>((x * 7 + y * 13 + seed) % 250);
}

void Paint(Bitmap8& b, int32_t width, int32_t height, int seed) {
    b.Resize(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            *b.PixelAddress(x, y) = Pattern(x, y, seed);
        }
    }
}

void Flood(Bitmap8& b, int32_t width, int32_t height, uint8_t colour) {
    b.Resize(width, height);
    std::memset(b.Pixels(), colour, static_cast<size_t>(b.PixelBytes()));
}

std::vector<uint8_t> PixelsOf(const Bitmap8& b) {
    return {b.Pixels(), b.Pixels() + b.PixelBytes()};
}

TEST(BlitKeyedTest, CopiesEverythingButTheKey) {
    Bitmap8 sheet;
    Flood(sheet, 16, 16, 255);
    *sheet.PixelAddress(0, 0) = 254;
    *sheet.PixelAddress(1, 0) = 0;
    *sheet.PixelAddress(3, 2) = 17;
    Bitmap8 dest;
    Flood(dest, 40, 30, 9);
    sheet.BlitKeyed(&dest, 10, 5, 16, 16, 0, 0);
    EXPECT_EQ(dest.GetPixel(10, 5), 254);
    EXPECT_EQ(dest.GetPixel(11, 5), 0);
    EXPECT_EQ(dest.GetPixel(13, 7), 17);
    int unchanged = 0;
    for (uint8_t v : PixelsOf(dest)) {
        unchanged += v == 9;
    }
    EXPECT_EQ(unchanged, 40 * 30 - 3);
}

TEST(BlitKeyedTest, ClipsTopAndBottomAndWrapsNegativeX) {
    Bitmap8 sheet;
    Paint(sheet, 32, 32, 1);

    // dy = -5: source rows 5..15 land in destination rows 0..10.
    Bitmap8 dest;
    Flood(dest, 40, 30, 251);
    sheet.BlitKeyed(&dest, 4, -5, 16, 16, 16, 0);
    for (int32_t y = 0; y < 30; ++y) {
        for (int32_t x = 0; x < 40; ++x) {
            const bool inside = y <= 10 && x >= 4 && x < 20;
            EXPECT_EQ(dest.GetPixel(x, y), inside ? Pattern(16 + x - 4, y + 5, 1) : 251)
                << x << "," << y;
        }
    }

    // Reaching below the last row: cut at that row.
    Flood(dest, 40, 30, 251);
    sheet.BlitKeyed(&dest, 0, 20, 16, 16, 0, 0);
    for (int32_t y = 0; y < 30; ++y) {
        EXPECT_EQ(dest.GetPixel(0, y), y >= 20 ? Pattern(0, y - 20, 1) : 251) << y;
    }

    // x = -8 in a 400-wide picture starts at column 392; the right half runs on into the
    // next row in memory, the row above in the picture, from column 0.
    Flood(dest, 400, 30, 251);
    sheet.BlitKeyed(&dest, -8, 10, 16, 16, 0, 0);
    for (int32_t k = 0; k < 16; ++k) {
        for (int32_t i = 0; i < 8; ++i) {
            EXPECT_EQ(dest.GetPixel(392 + i, 10 + k), Pattern(i, k, 1));
            EXPECT_EQ(dest.GetPixel(i, 9 + k), Pattern(8 + i, k, 1));
        }
    }
    EXPECT_EQ(dest.GetPixel(391, 10), 251);
    EXPECT_EQ(dest.GetPixel(8, 9), 251);
    EXPECT_EQ(dest.GetPixel(0, 25), 251);
}

TEST(BlitKeyedTest, RectanglesOffTheBitmapDrawNothing) {
    Bitmap8 sheet;
    Paint(sheet, 32, 32, 2);
    Bitmap8 dest;
    Flood(dest, 40, 30, 251);
    const std::vector<uint8_t> before = PixelsOf(dest);
    sheet.BlitKeyed(&dest, 0, 30, 16, 16, 0, 0);   // below the last row
    sheet.BlitKeyed(&dest, 0, -16, 16, 16, 0, 0);  // wholly above the top
    sheet.BlitKeyed(&dest, 40, 0, 16, 16, 0, 0);   // x >= width
    sheet.BlitKeyed(&dest, -41, 0, 16, 16, 0, 0);  // x < -width stays negative after the wrap
    sheet.BlitKeyed(&dest, 0, 0, -3, 16, 0, 0);    // negative width
    sheet.BlitKeyed(&dest, 0, 0, 16, 16, 32, 0);   // source corner outside the sheet
    sheet.BlitKeyed(&dest, 0, 0, 16, 16, 0, 17);   // source's lowest row outside the sheet
    sheet.BlitKeyed(nullptr, 0, 0, 16, 16, 0, 0);
    EXPECT_EQ(PixelsOf(dest), before);
}

TEST(BlitKeyedTest, SpansStopAtTheEndOfEitherBlock) {
    Bitmap8 sheet;
    Paint(sheet, 16, 16, 3);
    // Destination's top row is the last in memory: of 16 bytes from column 12 only 8 fit.
    Bitmap8 dest;
    Flood(dest, 20, 10, 251);
    sheet.BlitKeyed(&dest, 12, 0, 16, 1, 0, 0);
    for (int32_t i = 0; i < 8; ++i) {
        EXPECT_EQ(dest.GetPixel(12 + i, 0), Pattern(i, 0, 3));
    }
    EXPECT_EQ(dest.GetPixel(11, 0), 251);

    // Source rows above the sheet's top lie past its block: nothing is read for them, and a
    // source row starting at column 8 of the top row gives only its 8 in-block bytes.
    Flood(dest, 20, 20, 251);
    sheet.BlitKeyed(&dest, 0, 0, 16, 8, 8, -2);
    for (int32_t y = 0; y < 2; ++y) {
        EXPECT_EQ(dest.GetPixel(0, y), 251) << y;
    }
    for (int32_t i = 0; i < 8; ++i) {
        EXPECT_EQ(dest.GetPixel(i, 2), Pattern(8 + i, 0, 3));
        EXPECT_EQ(dest.GetPixel(8 + i, 2), 251);
        EXPECT_EQ(dest.GetPixel(8 + i, 3), Pattern(i, 0, 3)) << "run-on within the sheet";
    }
}

TEST(BlitGrabPutTest, GrabAtNegativeYTakesTheTopRowsAndPutRestoresThem) {
    Bitmap8 stage;
    Paint(stage, 400, 40, 4);
    const std::vector<uint8_t> original = PixelsOf(stage);
    Bitmap8 save;
    Flood(save, 16, 16, 252);
    save.GrabFrom(&stage, 10, -5);
    for (int32_t y = 0; y < 16; ++y) {
        for (int32_t x = 0; x < 16; ++x) {
            EXPECT_EQ(save.GetPixel(x, y), y <= 10 ? Pattern(10 + x, y, 4) : 252) << x << "," << y;
        }
    }

    Flood(stage, 400, 40, 0);
    save.PutTo(&stage, 10, -5);
    for (int32_t y = 0; y < 40; ++y) {
        for (int32_t x = 0; x < 400; ++x) {
            const bool restored = y <= 10 && x >= 10 && x < 26;
            EXPECT_EQ(stage.GetPixel(x, y), restored ? Pattern(x, y, 4) : 0) << x << "," << y;
        }
    }
}

TEST(BlitGrabPutTest, PutRestoresExactlyWhatGrabSavedWhereverClipped) {
    struct Place {
        int32_t x;
        int32_t y;
    };
    for (Place p : {Place{-8, 30}, Place{392, -3}, Place{200, 12}, Place{390, 0}}) {
        Bitmap8 stage;
        Paint(stage, 400, 40, 5);
        const std::vector<uint8_t> original = PixelsOf(stage);
        Bitmap8 save;
        save.GrabFrom(&stage, p.x, p.y);
        Bitmap8 sheet;
        Flood(sheet, 32, 32, 1);
        sheet.BlitKeyed(&stage, p.x, p.y, 16, 16, 0, 0);  // the sprite drawn over the place
        EXPECT_NE(PixelsOf(stage), original);
        save.PutTo(&stage, p.x, p.y);
        EXPECT_EQ(PixelsOf(stage), original) << p.x << "," << p.y;
    }
}

TEST(BlitGrabPutTest, SpansRunOnAndStopAtTheEndOfTheLargeBlock) {
    Bitmap8 stage;
    Paint(stage, 20, 10, 6);  // stride 20, no padding
    Bitmap8 save;
    Flood(save, 16, 16, 252);
    save.GrabFrom(&stage, 12, 0);  // 10 rows; the top row has only 8 bytes left in the block
    for (int32_t i = 0; i < 8; ++i) {
        EXPECT_EQ(save.GetPixel(i, 0), Pattern(12 + i, 0, 6));
        EXPECT_EQ(save.GetPixel(8 + i, 0), 252);
        EXPECT_EQ(save.GetPixel(i, 1), Pattern(12 + i, 1, 6));
        EXPECT_EQ(save.GetPixel(8 + i, 1), Pattern(i, 0, 6)) << "run-on into the row above";
    }
    EXPECT_EQ(save.GetPixel(0, 10), 252);

    Flood(stage, 20, 10, 0);
    save.PutTo(&stage, 12, 0);
    EXPECT_EQ(stage.GetPixel(19, 0), Pattern(19, 0, 6));
    EXPECT_EQ(stage.GetPixel(0, 0), Pattern(0, 0, 6));
    EXPECT_EQ(stage.GetPixel(11, 9), 0);

    const std::vector<uint8_t> before = PixelsOf(stage);
    save.PutTo(&stage, 0, 10);   // below the last row
    save.PutTo(&stage, -21, 0);  // x < -width
    save.PutTo(nullptr, 0, 0);
    save.GrabFrom(nullptr, 0, 0);
    EXPECT_EQ(PixelsOf(stage), before);
}

TEST(BlitFillTest, FillsRowsWithRunOnAndClipping) {
    Bitmap8 frame;
    Flood(frame, 96, 416, 5);
    frame.FillRect(0, 108, 96, 160, 0);
    for (int32_t y = 0; y < 416; ++y) {
        const uint8_t want = y >= 108 && y <= 267 ? 0 : 5;
        EXPECT_EQ(frame.GetPixel(0, y), want) << y;
        EXPECT_EQ(frame.GetPixel(95, y), want) << y;
    }

    Flood(frame, 96, 20, 5);
    frame.FillRect(-6, 5, 10, 2, 1);  // wraps to 90; 4 bytes run on into the row above
    for (int32_t x = 90; x < 96; ++x) {
        EXPECT_EQ(frame.GetPixel(x, 5), 1);
        EXPECT_EQ(frame.GetPixel(x, 6), 1);
    }
    for (int32_t x = 0; x < 4; ++x) {
        EXPECT_EQ(frame.GetPixel(x, 4), 1);
        EXPECT_EQ(frame.GetPixel(x, 5), 1);
    }
    EXPECT_EQ(frame.GetPixel(4, 5), 5);
    EXPECT_EQ(frame.GetPixel(89, 5), 5);
    EXPECT_EQ(frame.GetPixel(0, 6), 5);

    Flood(frame, 96, 20, 5);
    frame.FillRect(90, 0, 20, 3, 2);  // top row: cut at the end of the block
    EXPECT_EQ(frame.GetPixel(95, 0), 2);
    EXPECT_EQ(frame.GetPixel(13, 0), 2) << "run-on from row 1";
    EXPECT_EQ(frame.GetPixel(14, 0), 5);
    EXPECT_EQ(frame.GetPixel(13, 1), 2);
    EXPECT_EQ(frame.GetPixel(14, 1), 5);
    EXPECT_EQ(frame.GetPixel(0, 3), 5);

    Flood(frame, 96, 20, 5);
    const std::vector<uint8_t> before = PixelsOf(frame);
    frame.FillRect(0, 20, 4, 4, 1);
    frame.FillRect(96, 0, 4, 4, 1);
    frame.FillRect(-97, 0, 4, 4, 1);
    frame.FillRect(0, -4, 4, 4, 1);
    frame.FillRect(0, 0, -1, 4, 1);
    EXPECT_EQ(PixelsOf(frame), before);
}

TEST(BlitReplaceColourTest, ReplacesEveryPixelButNotRowPadding) {
    Bitmap8 b;
    Flood(b, 17, 3, 255);  // padding bytes hold 255 as well
    *b.PixelAddress(4, 1) = 7;
    b.ReplaceColour(255, 10);
    for (int32_t y = 0; y < 3; ++y) {
        for (int32_t x = 0; x < 17; ++x) {
            EXPECT_EQ(b.GetPixel(x, y), x == 4 && y == 1 ? 7 : 10);
        }
        for (int32_t pad = 17; pad < 20; ++pad) {
            EXPECT_EQ(b.Pixels()[y * 20 + pad], 255);
        }
    }
}

}  // namespace
}  // namespace vantrell
