// Course layout as the game will see it: sprite profiles matching their sprites, objects stamped
// into the built height field, checkpoint boxes free to enter, a level start.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "content/content_files.h"
#include "gfx/bitmap8.h"
#include "world/course_files.h"
#include "world/terrain.h"

namespace vantrell {
namespace {

using testing::GamePath;

constexpr uint8_t kClear = 255;

TEST(ContentProfiles, EveryProfileMatchesItsSpriteInEveryStage) {
    const std::vector<int32_t> profiles = testing::ReadProfiles();
    ASSERT_EQ(profiles.size(), 96u * 256u);
    for (int n = 0; n < 5; ++n) {
        SCOPED_TRACE("stage " + std::to_string(n));
        Bitmap8 sheet;
        ASSERT_EQ(sheet.LoadBmp(GamePath("CHR" + std::to_string(n) + "_8.BMP")), 1);
        for (int32_t f = 0; f < 96; ++f) {
            for (int32_t r = 0; r < 16; ++r) {
                for (int32_t c = 0; c < 16; ++c) {
                    const bool opaque = sheet.GetPixel(c, 16 * f + r) != kClear;
                    const int32_t h = profiles[static_cast<size_t>(256 * f + 16 * r + c)];
                    if (opaque) {
                        EXPECT_GT(h, 0)
                            << "frame " << f << " cell " << c << "," << r << " has no height";
                    } else {
                        EXPECT_EQ(h, 0)
                            << "frame " << f << " cell " << c << "," << r << " is transparent";
                    }
                }
            }
        }
    }
    auto tallest = [&](int32_t f) {
        return *std::max_element(profiles.begin() + 256 * f, profiles.begin() + 256 * (f + 1));
    };
    for (int32_t f = 0; f < 64; ++f) {
        EXPECT_LE(tallest(f), 6) << "craft frame " << f << " should be a low hull";
        EXPECT_GE(tallest(f), 2) << "craft frame " << f;
    }
    EXPECT_GE(tallest(75), 30) << "the checkpoint marker is a tall beacon";
}

TEST(ContentSprites, CraftFramesPointAlongTheirHeading) {
    Bitmap8 sheet;
    ASSERT_EQ(sheet.LoadBmp(GamePath("CHR0_8.BMP")), 1);
    // The cockpit sits ahead of the centre, so the cockpit's side of the hull tells the heading.
    auto glassCentre = [&](int32_t frame, double& x, double& y) {
        const uint8_t glassLow = 64;
        const uint8_t glassHigh = 67;
        double sx = 0;
        double sy = 0;
        int count = 0;
        for (int32_t r = 0; r < 16; ++r) {
            for (int32_t c = 0; c < 16; ++c) {
                const uint8_t p = sheet.GetPixel(c, 16 * frame + r);
                if (p >= glassLow && p <= glassHigh) {
                    sx += c - 7.5;
                    sy += r - 7.5;
                    ++count;
                }
            }
        }
        ASSERT_GT(count, 0);
        x = sx / count;
        y = sy / count;
    };
    double x = 0;
    double y = 0;
    glassCentre(0, x, y);  // heading 0: +x
    EXPECT_GT(x, 0.5);
    EXPECT_LT(std::abs(y), 0.5);
    glassCentre(8, x, y);  // heading 16: +y, down the picture
    EXPECT_GT(y, 0.5);
    EXPECT_LT(std::abs(x), 0.5);
    glassCentre(16 + 32, x, y);  // blue craft, heading 32: -x
    EXPECT_LT(x, -0.5);
    glassCentre(24, x, y);  // heading 48: up the picture
    EXPECT_LT(y, -0.5);
}

TEST(ContentCourse, CheckpointsAreClearAndTheStartIsLevelAfterStamping) {
    for (int n = 0; n < 5; ++n) {
        SCOPED_TRACE("stage " + std::to_string(n));
        Bitmap8 sheet;
        ASSERT_EQ(sheet.LoadBmp(GamePath("CHR" + std::to_string(n) + "_8.BMP")), 1);
        const auto objects = testing::ReadObjects(n);
        const auto checkpoints = testing::ReadCheckpoints(n);
        ASSERT_EQ(objects.size(), 48u);

        // No object's opaque footprint reaches into a checkpoint box's inner cells.
        for (size_t k = 0; k < checkpoints.size(); ++k) {
            const auto [cx, cy] = checkpoints[k];
            for (const auto& o : objects) {
                for (int32_t r = 0; r < 16; ++r) {
                    for (int32_t c = 0; c < 16; ++c) {
                        if (sheet.GetPixel(c, 16 * o.sprite + r) == kClear) {
                            continue;
                        }
                        const int32_t x = o.x + c;
                        const int32_t y = o.y + r;
                        EXPECT_FALSE(x > cx && x < cx + 16 && y > cy && y < cy + 16)
                            << "object " << o.sprite << " at " << o.x << "," << o.y
                            << " blocks checkpoint " << k;
                    }
                }
            }
        }

        Terrain terrain;
        ASSERT_EQ(terrain.LoadCornerHeights(GamePath("MAP" + std::to_string(n) + ".DAT")), 1);
        ASSERT_EQ(terrain.LoadCellTypes(GamePath("TYPE_" + std::to_string(n) + ".DAT")), 1);
        terrain.BuildHeightField();
        // Stamped by the game's own course loader.
        HeightProfiles heights;
        ASSERT_EQ(LoadHeightProfiles(GamePath("CHR_H0.DAT"), heights), 1);
        Bitmap8 picture;
        ASSERT_EQ(picture.LoadBmp(GamePath("MAP" + std::to_string(n) + "_8.BMP")), 1);
        CourseTables course;
        LoadCourseFiles(GamePath("OBJ" + std::to_string(n) + ".COD"),
                        GamePath("CHK" + std::to_string(n) + ".COD"), course, terrain, sheet,
                        heights, picture);
        const int32_t level = terrain.HeightAt(30, 30);
        for (int32_t y = 22; y <= 38; ++y) {
            for (int32_t x = 22; x <= 38; ++x) {
                EXPECT_EQ(terrain.HeightAt(x, y), level) << "start area at " << x << "," << y;
            }
        }
        // The floor inside each checkpoint box is gentle enough to drive through: the slope the
        // craft samples (5 units either side) stays below full thrust.
        for (const auto& [cx, cy] : checkpoints) {
            const int32_t x = cx + 8;
            const int32_t y = cy + 8;
            EXPECT_LT(std::abs(terrain.HeightAt(x - 5, y) - terrain.HeightAt(x + 5, y)), 8);
            EXPECT_LT(std::abs(terrain.HeightAt(x, y - 5) - terrain.HeightAt(x, y + 5)), 8);
        }
    }
}

}  // namespace
}  // namespace vantrell
