// The finer views on a course of our own: where level ground lands, and that a camera out at the
// ends of the picture or a band of the wrong size draws nothing it should not.
#include "race/sharp_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "gfx/frame_layout.h"

namespace vantrell {
namespace {

class SharpViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        picture.Resize(400, 820);
        for (int32_t py = 0; py < 820; ++py) {
            for (int32_t px = 0; px < 400; ++px) {
                *picture.PixelAddress(px, py) = static_cast<uint8_t>(10 + (px * 7 + py * 13) % 236);
            }
        }
        std::fill(terrain.Field(), terrain.Field() + kFieldRows * kFieldWidth, 40);
    }
    void Render(ViewMode mode, int32_t x, int32_t y, int32_t heading, int32_t cameraHeight) {
        const ViewModeShape shape = ShapeOf(mode);
        band.Resize(shape.bandWidth, shape.bandHeight);
        std::memset(band.Pixels(), 0, static_cast<size_t>(band.PixelBytes()));
        RenderSharpView(SharpViewTables::Shared(mode), picture, terrain, band, x, y, heading,
                        cameraHeight);
    }
    int32_t Written() const {
        return static_cast<int32_t>(
            band.PixelBytes() - std::count(band.Pixels(), band.Pixels() + band.PixelBytes(), 0));
    }

    Bitmap8 picture;
    Terrain terrain;
    Bitmap8 band;
};

TEST_F(SharpViewTest, LevelGroundAtCameraHeightFillsFromTheFarRowToTheNearEdge) {
    // The original draws level ground on band rows 20..104 (row 0 at frame row 128, the nearest
    // row's six-row run ending at 212); a finer mode covers the same rows, N times as many.
    for (const ViewMode mode : {ViewMode::Sharp2, ViewMode::Sharp4, ViewMode::Wide}) {
        const int32_t n = ShapeOf(mode).scale;
        for (const int32_t heading : {0, 21, 40}) {
            Render(mode, 100, 200, heading, 40);
            int32_t wrong = 0;
            for (int32_t c = 0; c < band.Width(); ++c) {
                for (int32_t row = 0; row < band.Height(); ++row) {
                    const bool ground = row >= 20 * n && row < 105 * n;
                    wrong += (band.GetPixel(c, row) != 0) != ground;
                }
            }
            EXPECT_EQ(wrong, 0) << ViewModeName(mode) << " heading " << heading;
        }
    }
    // The column on the forward line, nearest row: the course point 6.8 units behind the camera
    // (the original's row 79, column 49.5, shows x - 7).
    Render(ViewMode::Sharp4, 100, 200, 0, 40);
    EXPECT_EQ(band.GetPixel(4 * 50 - 2, 419), picture.GetPixel(100 - 7, 200 + 210));
}

TEST_F(SharpViewTest, FarCamerasAndWrongSizesDrawOnlyWhatTheyCanRead) {
    // Looking past the top of the picture from its last course rows: the near ground is drawn,
    // the reads beyond the picture are skipped.
    Render(ViewMode::Wide, 200, 600, 16, 40);
    EXPECT_GT(Written(), 0);
    EXPECT_LT(Written(), band.Width() * 85 * 4);
    // So far out that nothing can be read: nothing drawn.
    Render(ViewMode::Sharp4, 200, 100000, 0, 40);
    EXPECT_EQ(Written(), 0);
    Render(ViewMode::Sharp2, 200, -100000, 0, 40);
    EXPECT_EQ(Written(), 0);

    // A band not of the tables' mode is left alone.
    band.Resize(96, 416);
    std::memset(band.Pixels(), 0, static_cast<size_t>(band.PixelBytes()));
    RenderSharpView(SharpViewTables::Shared(ViewMode::Sharp4), picture, terrain, band, 100, 200, 0,
                    40);
    EXPECT_EQ(Written(), 0);
}

}  // namespace
}  // namespace vantrell
