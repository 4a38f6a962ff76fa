// The generated stage files, read with the game's own loaders and checked against the limits the
// game relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "content/content_files.h"
#include "gfx/bitmap8.h"
#include "world/terrain.h"

namespace vantrell {
namespace {

using testing::GamePath;
using testing::ReadBytes;
using testing::UnsignedBe16;

TEST(ContentTerrain, CornerAndTypeFilesStayWithinLimits) {
    for (int n = 0; n < 5; ++n) {
        SCOPED_TRACE("stage " + std::to_string(n));
        const std::vector<uint8_t> corners =
            ReadBytes(GamePath("MAP" + std::to_string(n) + ".DAT"));
        const std::vector<uint8_t> types =
            ReadBytes(GamePath("TYPE_" + std::to_string(n) + ".DAT"));
        ASSERT_EQ(corners.size(), 41u * 41u * 2u);
        ASSERT_EQ(types.size(), 40u * 40u * 2u);
        int32_t lowest = 1000;
        int32_t highest = -1;
        for (size_t i = 0; i < 41; ++i) {
            for (size_t j = 0; j < 41; ++j) {
                const uint32_t h = UnsignedBe16(corners, (i * 41 + j) * 2);
                EXPECT_LE(h, 128u) << "corner " << i << "," << j;
                lowest = std::min(lowest, static_cast<int32_t>(h));
                highest = std::max(highest, static_cast<int32_t>(h));
            }
            EXPECT_EQ(UnsignedBe16(corners, (i * 41 + 40) * 2), UnsignedBe16(corners, i * 41 * 2))
                << "row " << i << " is not seamless across x";
        }
        // Hills and banks, not a flat sheet, and within the view's reach of each other.
        EXPECT_GT(highest - lowest, 20);
        EXPECT_LT(highest - lowest, 100);

        std::set<uint32_t> kinds;
        for (size_t k = 0; k < 1600; ++k) {
            const uint32_t t = UnsignedBe16(types, k * 2);
            kinds.insert(t == 1 || t == 2 ? t : 0);
        }
        EXPECT_EQ(kinds.size(), 3u) << "every stage uses both triangle splits and bilinear cells";

        Terrain terrain;
        EXPECT_EQ(terrain.LoadCornerHeights(GamePath("MAP" + std::to_string(n) + ".DAT")), 1);
        EXPECT_EQ(terrain.LoadCellTypes(GamePath("TYPE_" + std::to_string(n) + ".DAT")), 1);
    }
}

TEST(ContentPictures, StagePicturesAndSheetsLoadWithStageColoursOnly) {
    for (int n = 0; n < 5; ++n) {
        SCOPED_TRACE("stage " + std::to_string(n));
        Bitmap8 picture;
        ASSERT_EQ(picture.LoadBmp(GamePath("MAP" + std::to_string(n) + "_8.BMP")), 1);
        ASSERT_EQ(picture.Width(), 400);
        ASSERT_EQ(picture.Height(), 820);
        int outside = 0;
        std::set<uint8_t> used;
        for (int32_t y = 0; y < 820; ++y) {
            for (int32_t x = 0; x < 400; ++x) {
                const uint8_t c = picture.GetPixel(x, y);
                outside += (c < 10 || c > 245) ? 1 : 0;
                used.insert(c);
            }
        }
        EXPECT_EQ(outside, 0) << "pixels outside the stage colours 10..245";
        EXPECT_GT(used.size(), 60u) << "a stage picture should be shaded and textured";

        Bitmap8 sheet;
        ASSERT_EQ(sheet.LoadBmp(GamePath("CHR" + std::to_string(n) + "_8.BMP")), 1);
        EXPECT_EQ(sheet.Width(), 16);
        EXPECT_EQ(sheet.Height(), 96 * 16);
        for (int32_t y = 0; y < sheet.Height(); ++y) {
            for (int32_t x = 0; x < 16; ++x) {
                const uint8_t c = sheet.GetPixel(x, y);
                EXPECT_TRUE(c == 255 || (c >= 10 && c <= 245)) << "sheet pixel " << x << "," << y;
            }
        }
        // The sprite colours are the same in every stage's colour table.
        Bitmap8 first;
        ASSERT_EQ(first.LoadBmp(GamePath("MAP0_8.BMP")), 1);
        for (int i = 10; i < 74; ++i) {
            EXPECT_EQ(picture.Colours()[i].red, first.Colours()[i].red) << "shared colour " << i;
            EXPECT_EQ(picture.Colours()[i].green, first.Colours()[i].green)
                << "shared colour " << i;
        }
    }
}

TEST(ContentCourse, ObjectAndCheckpointRecordsStayWithinLimits) {
    for (int n = 0; n < 5; ++n) {
        SCOPED_TRACE("stage " + std::to_string(n));
        EXPECT_EQ(ReadBytes(GamePath("OBJ" + std::to_string(n) + ".COD")).size(), 288u);
        EXPECT_EQ(ReadBytes(GamePath("CHK" + std::to_string(n) + ".COD")).size(), 80u);
        const auto objects = testing::ReadObjects(n);
        ASSERT_EQ(objects.size(), 48u);
        for (const auto& o : objects) {
            EXPECT_GE(o.sprite, 64) << "craft frames are not course objects";
            EXPECT_LE(o.sprite, 95);
            EXPECT_NE(o.sprite, 75) << "the marker is not a course object";
            EXPECT_GE(o.x, 0);
            EXPECT_LE(o.x, 384);
            EXPECT_GE(o.y, -209);
            EXPECT_LE(o.y, 594);
        }
        const auto checkpoints = testing::ReadCheckpoints(n);
        ASSERT_EQ(checkpoints.size(), 20u);
        for (const auto& [cx, cy] : checkpoints) {
            // The craft's x runs 0..399 and its rows 6..387: the box's inner cells must be among
            // them.
            EXPECT_GE(cx, 0);
            EXPECT_LE(cx, 383);
            EXPECT_GE(cy + 1, 6);
            EXPECT_LE(cy + 15, 387);
        }
        // Consecutive checkpoints are spread out: a course, not a cluster.
        for (size_t k = 1; k < checkpoints.size(); ++k) {
            int32_t dx = std::abs(checkpoints[k].first - checkpoints[k - 1].first);
            dx = std::min(dx, 400 - dx);
            const int32_t dy = std::abs(checkpoints[k].second - checkpoints[k - 1].second);
            EXPECT_GT(dx + dy, 40) << "checkpoints " << k - 1 << " and " << k;
        }
    }
}

}  // namespace
}  // namespace vantrell
