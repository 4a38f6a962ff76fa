#include "race/course_map.h"

#include <gtest/gtest.h>

#include <array>

#include "gfx/bitmap8.h"

namespace vantrell {
namespace {

std::array<uint8_t, 4> MapPixel(const std::vector<uint8_t>& map, int32_t x, int32_t y) {
    const size_t at = (static_cast<size_t>(y) * kCourseMapSize + static_cast<size_t>(x)) * 4;
    return {map[at], map[at + 1], map[at + 2], map[at + 3]};
}

// A picture too short for the whole course: the map shows what there is, at the course's rows,
// and opaque black below it rather than bytes from beyond the picture.
TEST(CourseMapTest, ShowsTheCourseRowsOfThePictureAndBlackWhereItEnds) {
    Bitmap8 picture;
    picture.Resize(kStagePictureWidth, kPictureRowOffset + 90);
    picture.FillRect(0, 0, picture.Width(), picture.Height(), 1);
    picture.Colours()[1] = RgbQuad{50, 60, 70, 0};  // blue, green, red as the file stores them
    picture.Colours()[3] = RgbQuad{30, 20, 10, 0};
    picture.FillRect(7, kPictureRowOffset + 5, 1, 1, 3);
    picture.FillRect(9, kPictureRowOffset - 1, 1, 1, 3);  // above the course: not on the map

    const std::vector<uint8_t> map = CourseMapRgba(picture);
    ASSERT_EQ(map.size(), static_cast<size_t>(kCourseMapSize) * kCourseMapSize * 4);
    EXPECT_EQ(MapPixel(map, 7, 5), (std::array<uint8_t, 4>{10, 20, 30, 255}));
    EXPECT_EQ(MapPixel(map, 8, 5), (std::array<uint8_t, 4>{70, 60, 50, 255}));
    EXPECT_EQ(MapPixel(map, 9, 0), (std::array<uint8_t, 4>{70, 60, 50, 255}));
    EXPECT_EQ(MapPixel(map, 399, 89), (std::array<uint8_t, 4>{70, 60, 50, 255}));
    EXPECT_EQ(MapPixel(map, 0, 90), (std::array<uint8_t, 4>{0, 0, 0, 255}));
    EXPECT_EQ(MapPixel(map, 399, 399), (std::array<uint8_t, 4>{0, 0, 0, 255}));
}

TEST(CourseMapTest, PointsLandOnTheMapAndStayOnItsEdge) {
    const auto at = [](int32_t x, int32_t y) {
        const MapPoint p = OnCourseMap(MapPoint{x, y}, 64);
        return std::array<int32_t, 2>{p.x, p.y};
    };
    EXPECT_EQ(at(0, 0), (std::array<int32_t, 2>{0, 0}));
    EXPECT_EQ(at(200, 100), (std::array<int32_t, 2>{32, 16}));
    EXPECT_EQ(at(399, 399), (std::array<int32_t, 2>{63, 63}));
    EXPECT_EQ(at(-5, 900), (std::array<int32_t, 2>{0, 63}));
}

// Checkpoints are given by their boxes' corners; the way between two runs the shorter way round.
TEST(CourseMapTest, MarksTheRowsWhereTheCourseRunsOverTheSideEdges) {
    std::array<Checkpoint, kCheckpointCount> checkpoints;
    const auto centredAt = [](int32_t x, int32_t y) {
        return Checkpoint{static_cast<int16_t>(x - 8), static_cast<int16_t>(y - 8)};
    };
    checkpoints.fill(centredAt(200, 50));
    checkpoints[3] = centredAt(380, 100);  // 2 -> 3 runs 180 right, over no edge
    checkpoints[4] = centredAt(20, 140);   // 3 -> 4 runs 40 right, over x 400 halfway: row 120
    checkpoints[9] = centredAt(30, 200);
    for (size_t k = 10; k < checkpoints.size(); ++k) {
        checkpoints[k] = centredAt(350, 260);  // 9 -> 10 runs 80 left over x 0: row 222
    }
    checkpoints[15] = centredAt(380, 100);
    for (size_t k = 16; k < checkpoints.size(); ++k) {
        checkpoints[k] = centredAt(20, 140);  // 15 -> 16 as 3 -> 4: row 120, marked once
    }
    const CourseWraps wraps = CourseWrapRows(checkpoints);
    ASSERT_EQ(wraps.count, 2);
    EXPECT_EQ(wraps.rows[0], 120);
    EXPECT_EQ(wraps.rows[1], 222);
}

}  // namespace
}  // namespace vantrell
