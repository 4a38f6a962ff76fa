#include "world/course_files.h"

#include <algorithm>
#include <vector>

namespace vantrell {

namespace {

int16_t BigEndianI16(ByteSpan bytes, size_t at) {
    return static_cast<int16_t>(static_cast<uint16_t>((bytes[at] << 8) | bytes[at + 1]));
}

}  // namespace

// Course files always hold their full size: a shorter one (or none) is refused whole, since a
// half-read table would be corrupted course data. Bytes past the size are ignored.
int LoadHeightProfiles(ByteSpan bytes, HeightProfiles& profiles) {
    constexpr size_t kCount = static_cast<size_t>(kSpriteFrames) * kProfileCells;
    if (bytes.size() < kCount * 2) {
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
            // The frame's row, or none where the sheet is too short for it.
            const uint8_t* row = spriteSheet.PixelAddress(0, kSpriteSize * t + r);
            const int32_t width = row != nullptr ? std::min(kSpriteSize, spriteSheet.Width()) : 0;
            for (int32_t c = 0; c < width; ++c) {
                if (row[c] == 255) {
                    continue;  // transparent: nothing stands here
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

bool ReadCourseObjects(ByteSpan bytes, CourseTables& course) {
    if (bytes.size() < kCourseObjectCount * 6u) {
        return false;
    }
    for (int32_t i = 0; i < kCourseObjectCount; ++i) {
        course.courseObjects[i] = {BigEndianI16(bytes, 6 * i), BigEndianI16(bytes, 6 * i + 2),
                                   BigEndianI16(bytes, 6 * i + 4)};
    }
    return true;
}

bool ReadCheckpoints(ByteSpan bytes, CourseTables& course) {
    if (bytes.size() < kCheckpointCount * 4u) {
        return false;
    }
    for (int32_t i = 0; i < kCheckpointCount; ++i) {
        course.checkpoints[i] = {BigEndianI16(bytes, 4 * i), BigEndianI16(bytes, 4 * i + 2)};
    }
    return true;
}

int LoadHeightProfiles(const std::string& path, HeightProfiles& profiles) {
    return LoadHeightProfiles(BytesOrNone(ReadWholeFile(path)), profiles);
}

void LoadCourseFiles(const std::string& objectPath, const std::string& checkpointPath,
                     CourseTables& course, Terrain& terrain, const Bitmap8& spriteSheet,
                     const HeightProfiles& profiles, Bitmap8& stagePicture) {
    ReadCourseObjects(BytesOrNone(ReadWholeFile(objectPath)), course);
    ReadCheckpoints(BytesOrNone(ReadWholeFile(checkpointPath)), course);
    StampCourseObjects(course, terrain, spriteSheet, profiles, stagePicture);
}

}  // namespace vantrell
