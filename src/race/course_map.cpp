#include "race/course_map.h"

#include <algorithm>

#include "gfx/bitmap8.h"

namespace vantrell {

std::vector<uint8_t> CourseMapRgba(const Bitmap8& picture) {
    constexpr size_t kSide = kCourseMapSize;
    std::vector<uint8_t> rgba(kSide * kSide * 4, 0);
    for (size_t i = 3; i < rgba.size(); i += 4) {
        rgba[i] = 255;
    }
    const int32_t rows = std::clamp(picture.Height() - kPictureRowOffset, 0, kCourseMapSize);
    const int32_t columns = std::clamp(picture.Width(), 0, kCourseMapSize);
    const RgbQuad* colours = picture.Colours();
    for (int32_t y = 0; y < rows; ++y) {
        const uint8_t* row = picture.PixelAddress(0, kPictureRowOffset + y);
        if (row == nullptr) {
            continue;
        }
        uint8_t* out = &rgba[static_cast<size_t>(y) * kSide * 4];
        for (int32_t x = 0; x < columns; ++x, out += 4) {
            const RgbQuad& c = colours[row[x]];
            out[0] = c.red;
            out[1] = c.green;
            out[2] = c.blue;
        }
    }
    return rgba;
}

CourseWraps CourseWrapRows(const std::array<Checkpoint, kCheckpointCount>& checkpoints) {
    constexpr int32_t kAround = kCourseMapSize;
    constexpr int32_t kBoxHalf = 8;  // a checkpoint is given by its box's top-left corner
    CourseWraps wraps;
    for (size_t k = 0; k + 1 < checkpoints.size(); ++k) {
        const int32_t x1 = checkpoints[k].x + kBoxHalf;
        const int32_t y1 = checkpoints[k].y + kBoxHalf;
        int32_t x2 = checkpoints[k + 1].x + kBoxHalf;
        const int32_t y2 = checkpoints[k + 1].y + kBoxHalf;
        if (x2 - x1 > kAround / 2) {
            x2 -= kAround;  // the shorter way is leftwards, over x 0
        } else if (x1 - x2 > kAround / 2) {
            x2 += kAround;  // rightwards, over x 400
        } else {
            continue;
        }
        const int32_t edge = x2 < 0 ? 0 : kAround;
        const int32_t row =
            std::clamp(y1 + (y2 - y1) * (edge - x1) / (x2 - x1), 0, kCourseMapSize - 1);
        const auto end = wraps.rows.begin() + wraps.count;
        if (std::find(wraps.rows.begin(), end, row) == end) {
            wraps.rows[static_cast<size_t>(wraps.count++)] = row;
        }
    }
    return wraps;
}

MapPoint OnCourseMap(const MapPoint& point, int32_t mapSize) {
    return {std::clamp(point.x, 0, kCourseMapSize - 1) * mapSize / kCourseMapSize,
            std::clamp(point.y, 0, kCourseMapSize - 1) * mapSize / kCourseMapSize};
}

}  // namespace vantrell
