// The small map of the race display: the course part of a stage's picture, one pixel a course
// unit, and where a point of the course lands on a map of some size. Both hosts draw their map
// from this, so its rows and size are decided here once.
#pragma once

#include <cstdint>
#include <vector>

#include "race/race_display.h"
#include "race/view.h"

namespace vantrell {

class Bitmap8;

// The course is as wide as the stage picture and, near enough, as deep: the map is square.
constexpr int32_t kCourseMapSize = kStagePictureWidth;

// kCourseMapSize x kCourseMapSize pixels as R, G, B, A bytes, row by row: course row y is
// picture row y + kPictureRowOffset. Rows or columns the picture lacks stay opaque black.
std::vector<uint8_t> CourseMapRgba(const Bitmap8& picture);

// The pixel of a mapSize x mapSize map showing this point; points off the course are kept on
// its edge.
MapPoint OnCourseMap(const MapPoint& point, int32_t mapSize);

}  // namespace vantrell
