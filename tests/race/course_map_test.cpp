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

}  // namespace
}  // namespace vantrell
