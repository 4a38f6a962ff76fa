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

MapPoint OnCourseMap(const MapPoint& point, int32_t mapSize) {
    return {std::clamp(point.x, 0, kCourseMapSize - 1) * mapSize / kCourseMapSize,
            std::clamp(point.y, 0, kCourseMapSize - 1) * mapSize / kCourseMapSize};
}

}  // namespace vantrell
