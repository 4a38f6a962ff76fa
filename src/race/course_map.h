// The small map of the race display: the course part of a stage's picture, one pixel a course
// unit, and where a point of the course lands on a map of some size. Both hosts draw their map
// from this, so its rows and size are decided here once.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "race/race_display.h"
#include "race/view.h"
#include "world/course_files.h"

namespace vantrell {

class Bitmap8;

// The course is as wide as the stage picture and, near enough, as deep: the map is square.
constexpr int32_t kCourseMapSize = kStagePictureWidth;

// kCourseMapSize x kCourseMapSize pixels as R, G, B, A bytes, row by row: course row y is
// picture row y + kPictureRowOffset. Rows or columns the picture lacks stay opaque black.
std::vector<uint8_t> CourseMapRgba(const Bitmap8& picture);

// Where the course crosses the map's side edges: between two checkpoints in passing order whose
// shorter way round runs over x 0 (= 400), the row at which that straight line crosses, each
// row once.
CourseWraps CourseWrapRows(const std::array<Checkpoint, kCheckpointCount>& checkpoints);

// The pixel of a mapSize x mapSize map showing this point; points off the course are kept on
// its edge.
MapPoint OnCourseMap(const MapPoint& point, int32_t mapSize);

}  // namespace vantrell
