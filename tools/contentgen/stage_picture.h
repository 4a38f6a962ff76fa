// Paints a stage picture: 400 x 820 colour indices, picture row y + 210 showing course row y.
// The course is shaded from the height field and textured by material; the ramps fall away to a
// plain (or water, or lava) that fills every row the driver's-eye view can reach.
#pragma once

#include <cstdint>
#include <vector>

#include "course.h"
#include "sprites.h"
#include "world/terrain.h"

namespace vantrell::contentgen {

constexpr int32_t kPictureWidth = 400;
constexpr int32_t kPictureHeight = 820;
constexpr int32_t kPictureRowOffset = 210;

// Row-major from the top, one index per pixel, all within 10..245.
std::vector<uint8_t> PaintStagePicture(const Stage& stage, const Terrain& terrain,
                                       const SpriteSheet& sheet, int32_t stageIndex);

// Stamps the course objects into a height field and picture with the game's own course loader
// code (StampCourseObjects), so the overviews and view shots show what the game will show.
void StampObjects(const Stage& stage, const SpriteSheet& sheet, Terrain& terrain,
                  std::vector<uint8_t>& picture);

}  // namespace vantrell::contentgen
