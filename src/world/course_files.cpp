#include "world/course_files.h"

#include <cstdio>
#include <vector>

#include "io/file_guard.h"

namespace vantrell {

namespace {

// Reads exactly `count` bytes. A missing or short file yields false: course files always hold
// their full size, and a half-read table would be corrupted course data.
bool ReadExactly(const std::string& path, std::vector<uint8_t>& bytes, size_t count) {
    const FileGuard file = OpenFile(path, "rb");
    if (!file) {
        return false;
    }
    bytes.resize(count);
    return std::fread(bytes.data(), 1, count, file.get()) == count;
}

int16_t BigEndianI16(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<int16_t>(static_cast<uint16_t>((bytes[at] << 8) | bytes[at + 1]));
}

// A sprite pixel, or transparent where the sheet has no such pixel (a sheet too short for the
// frame an object names stamps nothing).
uint8_t SpritePixel(const Bitmap8& sheet, int32_t c, int32_t row) {
    return sheet.PixelAddress(c, row) ? sheet.GetPixel(c, row) : 255;
}

}  // namespace

int LoadHeightProfiles(const std::string& path, HeightProfiles& profiles) {
    std::vector<uint8_t> bytes;
    constexpr size_t kCount = static_cast<size_t>(kSpriteFrames) * kProfileCells;
    if (!ReadExactly(path, bytes, kCount * 2)) {
        return -1;
    }
    for (size_t i = 0; i < kCount; ++i) {
        profiles.heights[i] = ((bytes[2 * i] << 8) | bytes[2 * i + 1]) >> 1;
    }
    return 1;
}

void StampCourseObjects(const CourseTables& course, Terrain& terrain, const Bitmap8& spriteSheet,
                        const HeightProfiles& profiles, Bitmap8& stagePicture) {
    int32_t* field = terrain.Field();
    constexpr int32_t kCells = kFieldRows * kFieldWidth;
    for (const CourseObject& object : course.courseObjects) {
        const int32_t t = object.sprite;
        if (t < 0 || t >= kSpriteFrames) {
            continue;  // no such frame or profile: nothing to stand up
        }
        const int32_t ox = object.x;
        const int32_t oy = object.y;
        const bool levelBase = t <= kLevelBaseLastFrame;
        // Sampled once, after the objects before it are in place, so it can stand on them.
        const int32_t base = levelBase ? terrain.HeightAt(ox + 8, oy + 8) : 0;
        for (int32_t r = 0; r < kSpriteSize; ++r) {
            for (int32_t c = 0; c < kSpriteSize; ++c) {
                if (SpritePixel(spriteSheet, c, kSpriteSize * t + r) == 255) {
                    continue;
                }
                // The footprint is addressed directly, without the lookup's wrap; cells outside
                // the field are skipped rather than written.
                const int32_t index = FieldIndex(ox + c, oy + r);
                if (index < 0 || index >= kCells) {
                    continue;
                }
                const int32_t h = profiles.At(t, r, c);
                field[index] = levelBase ? h + base : field[index] + h;
            }
        }
        spriteSheet.BlitKeyed(&stagePicture, ox, oy + 210, kSpriteSize, kSpriteSize, 0,
                              kSpriteSize * t);
    }
}

void LoadCourseFiles(const std::string& objectPath, const std::string& checkpointPath,
                     CourseTables& course, Terrain& terrain, const Bitmap8& spriteSheet,
                     const HeightProfiles& profiles, Bitmap8& stagePicture) {
    std::vector<uint8_t> bytes;
    if (ReadExactly(objectPath, bytes, kCourseObjectCount * 6)) {
        for (int32_t i = 0; i < kCourseObjectCount; ++i) {
            course.courseObjects[i] = {BigEndianI16(bytes, 6 * i), BigEndianI16(bytes, 6 * i + 2),
                                       BigEndianI16(bytes, 6 * i + 4)};
        }
    }
    if (ReadExactly(checkpointPath, bytes, kCheckpointCount * 4)) {
        for (int32_t i = 0; i < kCheckpointCount; ++i) {
            course.checkpoints[i] = {BigEndianI16(bytes, 4 * i), BigEndianI16(bytes, 4 * i + 2)};
        }
    }
    StampCourseObjects(course, terrain, spriteSheet, profiles, stagePicture);
}

}  // namespace vantrell
