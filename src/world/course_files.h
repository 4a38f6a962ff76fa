// The course files of a stage: 48 course objects (sprite frame, top-left x, y) stamped into the
// height field and the stage picture, the 20 checkpoints in passing order, and the sprite
// height profiles the objects and craft stand up with.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "gfx/bitmap8.h"
#include "world/terrain.h"

namespace vantrell {

constexpr int32_t kCourseObjectCount = 48;
constexpr int32_t kCheckpointCount = 20;
constexpr int32_t kSpriteFrames = 96;
constexpr int32_t kSpriteSize = 16;
constexpr int32_t kProfileCells = kSpriteSize * kSpriteSize;
constexpr int32_t kLevelBaseLastFrame = 80;  // frames up to 80 stand level, above are added

struct CourseObject {
    int16_t sprite = 0;
    int16_t x = 0;
    int16_t y = 0;
};

struct Checkpoint {
    int16_t x = 0;
    int16_t y = 0;
};

struct CourseTables {
    std::array<CourseObject, kCourseObjectCount> courseObjects{};
    std::array<Checkpoint, kCheckpointCount> checkpoints{};
};

// 96 profiles of 16 x 16 heights, row-major: profile t, row r, column c at 256t + 16r + c.
struct HeightProfiles {
    HeightProfiles() : heights(new int32_t[kSpriteFrames * kProfileCells]()) {}
    int32_t At(int32_t frame, int32_t r, int32_t c) const {
        return heights[frame * kProfileCells + r * kSpriteSize + c];
    }
    std::unique_ptr<int32_t[]> heights;
};

// Reads "CHR_H0.DAT" (24576 big-endian u16, each halved). 1, or -1 keeping the profiles.
int LoadHeightProfiles(const std::string& path, HeightProfiles& profiles);
int LoadHeightProfiles(ByteSpan file, HeightProfiles& profiles);

// The object ("OBJ<n>.COD", 48 x three big-endian i16) and checkpoint ("CHK<n>.COD", 20 x two)
// tables from a file's bytes. False, keeping the table, for a file shorter than its table.
bool ReadCourseObjects(ByteSpan file, CourseTables& course);
bool ReadCheckpoints(ByteSpan file, CourseTables& course);

// Reads the object and checkpoint files of a stage (a file that cannot be read keeps its table)
// and stamps every course object into the height field and the stage picture.
void LoadCourseFiles(const std::string& objectPath, const std::string& checkpointPath,
                     CourseTables& course, Terrain& terrain, const Bitmap8& spriteSheet,
                     const HeightProfiles& profiles, Bitmap8& stagePicture);

// Stamps the course objects as they stand (used by LoadCourseFiles).
void StampCourseObjects(const CourseTables& course, Terrain& terrain, const Bitmap8& spriteSheet,
                        const HeightProfiles& profiles, Bitmap8& stagePicture);

}  // namespace vantrell
