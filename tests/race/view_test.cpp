#include <gtest/gtest.h>

#include <cstring>

#include "gfx/bitmap8.h"
#include "race/view.h"
#include "race/view_tables.h"
#include "world/terrain.h"

namespace vantrell {
namespace {

const ViewTables& Tables() {
    static const ViewTables tables = [] {
        ViewTables t;
        t.BuildGroundTable();
        t.BuildLiftTable();
        return t;
    }();
    return tables;
}

int32_t GroundAt(int32_t j, int32_t r, int32_t c) {
    return Tables().groundTable[(j * kViewRows + r) * kViewColumns + c];
}
int32_t LiftAt(int32_t r, int32_t k) {
    return Tables().liftTable[r * kLiftSpan + k];
}

TEST(ViewTablesTest, RowDistancesFromFarToNear) {
    EXPECT_NEAR(ViewRowDistance(0), 183.0909, 1e-4);
    EXPECT_NEAR(ViewRowDistance(40), 26.566, 1e-3);
    EXPECT_NEAR(ViewRowDistance(79), 0.19895, 1e-5);
}

TEST(ViewTablesTest, GroundEntriesAsDesigned) {
    EXPECT_EQ(GroundAt(0, 0, 0), 24176);    // dx 176, dy -60
    EXPECT_EQ(GroundAt(0, 0, 95), -21824);  // dx 176, dy 55
    EXPECT_EQ(GroundAt(0, 79, 0), 3993);    // dx -7, dy -10
    EXPECT_EQ(GroundAt(0, 79, 95), -4007);  // dx -7, dy 10
    EXPECT_EQ(GroundAt(0, 79, 49), -7);
    EXPECT_EQ(GroundAt(16, 0, 48), -70398);  // dx 2, dy 176
}

TEST(ViewTablesTest, OffsetExtremesCoverEveryHeadingBothWays) {
    int32_t lo = 0;
    int32_t hi = 0;
    for (int32_t i = 0; i < kGroundEntries; ++i) {
        lo = std::min({lo, Tables().groundTable[i], -Tables().groundTable[i]});
        hi = std::max({hi, Tables().groundTable[i], -Tables().groundTable[i]});
    }
    EXPECT_EQ(Tables().minOffset, lo);
    EXPECT_EQ(Tables().maxOffset, hi);
    // The view reaches at most 186 units each way.
    EXPECT_LE(hi, 186 + 400 * 186);
}

TEST(ViewTablesTest, LiftEntriesAsDesigned) {
    EXPECT_EQ(LiftAt(0, 0), -6144);  // n = 64, clamped
    EXPECT_EQ(LiftAt(0, 99), 0);     // one unit below at the far row is not lowered
    EXPECT_EQ(LiftAt(0, 100), 0);
    EXPECT_EQ(LiftAt(0, 101), 96);  // one unit above is already lifted a row
    EXPECT_EQ(LiftAt(0, 199), 6048);
    EXPECT_EQ(LiftAt(79, 90), -3840);
    EXPECT_EQ(LiftAt(79, 110), 3936);
    // The quotient is 55.99999999999998 in double precision; its floor is kept as computed.
    EXPECT_EQ(LiftAt(1, 24), -5280);
}

// A course whose picture colour encodes the course point, so a frame pixel tells what it shows.
class ViewRenderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        picture.Resize(400, 820);
        for (int32_t py = 0; py < 820; ++py) {
            for (int32_t px = 0; px < 400; ++px) {
                *picture.PixelAddress(px, py) = static_cast<uint8_t>(10 + (px * 7 + py * 13) % 236);
            }
        }
        frame.Resize(96, 416);
        ClearFrame();
        SetLevel(40);
    }
    void ClearFrame() { std::memset(frame.Pixels(), 0, static_cast<size_t>(frame.PixelBytes())); }
    void SetLevel(int32_t h) {
        for (int32_t i = 0; i < kFieldRows * kFieldWidth; ++i) {
            terrain.Field()[i] = h;
        }
    }
    // Colour of course point (x, y) in the stage picture.
    uint8_t Course(int32_t x, int32_t y) const { return picture.GetPixel(x, y + 210); }
    uint8_t Frame(int32_t row, int32_t column) const { return frame.GetPixel(column, row); }

    Bitmap8 picture;
    Bitmap8 frame;
    Terrain terrain;
};

TEST_F(ViewRenderTest, LevelGroundAtCameraHeightLandsEachRowOnItsOwnFrameRow) {
    RenderView(Tables(), picture, terrain, frame, 100, 200, 0, 40);
    EXPECT_EQ(Frame(128, 0), Course(100 + 176, 200 - 60));
    EXPECT_EQ(Frame(128, 95), Course(100 + 176, 200 + 55));
    EXPECT_EQ(Frame(207, 0), Course(100 - 7, 200 - 10));
    EXPECT_EQ(Frame(207, 49), Course(100 - 7, 200));
    // The nearest row's six-pixel run reaches row 212; nothing is drawn above 128 or below it.
    EXPECT_EQ(Frame(212, 49), Course(100 - 7, 200));
    for (int32_t c = 0; c < 96; ++c) {
        EXPECT_EQ(Frame(127, c), 0);
        EXPECT_EQ(Frame(213, c), 0);
    }
}

TEST_F(ViewRenderTest, OppositeHeadingsLookOppositeWays) {
    // Heading 48 uses heading 16's entries negated: row 0, column 48 shows (x - 2, y - 176).
    RenderView(Tables(), picture, terrain, frame, 100, 200, 48, 40);
    EXPECT_EQ(Frame(128, 48), Course(100 - 2, 200 - 176));
    // Heading 40 shows what heading 8 shows, mirrored through the camera point.
    Bitmap8 frame8;
    frame8.Resize(96, 416);
    std::memset(frame8.Pixels(), 0, static_cast<size_t>(frame8.PixelBytes()));
    RenderView(Tables(), picture, terrain, frame8, 100, 200, 8, 40);
    ClearFrame();
    RenderView(Tables(), picture, terrain, frame, 100, 200, 40, 40);
    const int32_t base = 400 * (819 - 410) + 100;
    for (int32_t r = 0; r < kViewRows; r += 13) {
        for (int32_t c = 0; c < kViewColumns; c += 7) {
            const int32_t o = GroundAt(8, r, c);
            EXPECT_EQ(Frame(128 + r, c), picture.Pixels()[base - o]) << r << "," << c;
            EXPECT_EQ(frame8.GetPixel(c, 128 + r), picture.Pixels()[base + o]) << r << "," << c;
        }
    }
}

TEST_F(ViewRenderTest, HeightDifferenceLiftsAndLowers) {
    // One unit above the camera lifts the far row one frame row up.
    RenderView(Tables(), picture, terrain, frame, 100, 200, 0, 39);
    EXPECT_EQ(Frame(127, 0), Course(276, 140));
    // One unit below does not lower it.
    ClearFrame();
    RenderView(Tables(), picture, terrain, frame, 100, 200, 0, 41);
    EXPECT_EQ(Frame(128, 0), Course(276, 140));
    EXPECT_EQ(Frame(127, 0), 0);
}

TEST_F(ViewRenderTest, HugeHeightDifferencesUseTheTableEnds) {
    // 500 above the camera: clamped to +99, the far row rises 63 rows (not into another row).
    RenderView(Tables(), picture, terrain, frame, 100, 200, 0, 40 - 500);
    EXPECT_EQ(Frame(128 - 63, 0), Course(276, 140));
    // 5000 below: clamped to -100, the far row drops 64 rows.
    ClearFrame();
    RenderView(Tables(), picture, terrain, frame, 100, 200, 0, 40 + 5000);
    EXPECT_EQ(Frame(128 + 64, 0), Course(276, 140));
}

TEST_F(ViewRenderTest, BadSizesAndFarCamerasDrawNothingOutside) {
    // A camera far off the course reads nothing outside the field or the picture.
    RenderView(Tables(), picture, terrain, frame, 100, 5000, 0, 40);
    RenderView(Tables(), picture, terrain, frame, 100, -5000, 0, 40);
    RenderView(Tables(), picture, terrain, frame, -900000, 200, 17, 40);
    for (int32_t i = 0; i < frame.PixelBytes(); ++i) {
        ASSERT_EQ(frame.Pixels()[i], 0) << i;
    }
    // A picture of the wrong width is not drawn from at all.
    Bitmap8 narrow;
    narrow.Resize(320, 820);
    std::memset(narrow.Pixels(), 77, static_cast<size_t>(narrow.PixelBytes()));
    RenderView(Tables(), narrow, terrain, frame, 100, 200, 0, 40);
    EXPECT_EQ(Frame(128, 0), 0);
    // A short picture: the rows it has still show, the rest is skipped.
    Bitmap8 shortPicture;
    shortPicture.Resize(400, 300);
    std::memset(shortPicture.Pixels(), 77, static_cast<size_t>(shortPicture.PixelBytes()));
    RenderView(Tables(), shortPicture, terrain, frame, 100, 60, 0, 40);
    EXPECT_EQ(Frame(207, 49), 77);
    // A frame buffer too short for the view's reach is left alone.
    Bitmap8 shortFrame;
    shortFrame.Resize(96, 200);
    std::memset(shortFrame.Pixels(), 0, static_cast<size_t>(shortFrame.PixelBytes()));
    RenderView(Tables(), picture, terrain, shortFrame, 100, 200, 0, 40);
    for (int32_t i = 0; i < shortFrame.PixelBytes(); ++i) {
        ASSERT_EQ(shortFrame.Pixels()[i], 0) << i;
    }
}

}  // namespace
}  // namespace vantrell
