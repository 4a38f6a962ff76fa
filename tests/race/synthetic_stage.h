// Stages of a test's own making, written as stage files so the game loads them through its own
// readers: level ground, checkpoints wherever the test wants them, no course objects, and on
// request a flat picture with sprites whose 4 x 4 middles (colour 100 + frame) stand 3 high.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "gfx/bitmap8.h"
#include "gfx/bmp_file_maker.h"  // WriteFile: one definition for every test
#include "gfx/bmp_writer.h"
#include "world/course_files.h"

namespace vantrell::test {

using Boxes = std::array<Checkpoint, kCheckpointCount>;

inline Boxes AllBoxesAt(int32_t x, int32_t y) {
    Boxes boxes;
    boxes.fill(Checkpoint{static_cast<int16_t>(x), static_cast<int16_t>(y)});
    return boxes;
}

inline void PutBigEndian(std::vector<uint8_t>& bytes, int32_t value) {
    bytes.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
    bytes.push_back(static_cast<uint8_t>(value & 0xFF));
}


// Writes stage `stage`'s checkpoint and object files into `dir`; with `pictures`, also the
// stage picture, the sprite sheet and the height profiles. Terrain files are left out: the
// ground stays level at height 0.
inline void WriteSyntheticStage(const std::filesystem::path& dir, int32_t stage, const Boxes& boxes,
                                bool pictures = false) {
    const std::string n = std::to_string(stage);
    std::vector<uint8_t> checkpoints;
    for (const Checkpoint& box : boxes) {
        PutBigEndian(checkpoints, box.x);
        PutBigEndian(checkpoints, box.y);
    }
    WriteFile(dir / ("CHK" + n + ".COD"), checkpoints);
    std::vector<uint8_t> objects;
    for (int32_t i = 0; i < kCourseObjectCount; ++i) {
        PutBigEndian(objects, -1);  // no such frame: nothing stands on the course
        PutBigEndian(objects, 0);
        PutBigEndian(objects, 0);
    }
    WriteFile(dir / ("OBJ" + n + ".COD"), objects);
    if (!pictures) {
        return;
    }
    Bitmap8 picture;
    picture.Resize(400, 820);
    std::fill_n(picture.Pixels(), picture.PixelBytes(), 20);
    SaveBmp(picture, (dir / ("MAP" + n + "_8.BMP")).string());
    Bitmap8 sprites;
    sprites.Resize(kSpriteSize, kSpriteSize * kSpriteFrames);
    std::fill_n(sprites.Pixels(), sprites.PixelBytes(), 255);
    for (int32_t f = 0; f < kSpriteFrames; ++f) {
        for (int32_t r = 6; r < 10; ++r) {
            for (int32_t c = 6; c < 10; ++c) {
                *sprites.PixelAddress(c, kSpriteSize * f + r) = static_cast<uint8_t>(100 + f);
            }
        }
    }
    SaveBmp(sprites, (dir / ("CHR" + n + "_8.BMP")).string());
    std::vector<uint8_t> profiles;
    for (int32_t i = 0; i < kSpriteFrames * kProfileCells; ++i) {
        PutBigEndian(profiles, 3 << 1);  // stored doubled
    }
    WriteFile(dir / "CHR_H0.DAT", profiles);
}

}  // namespace vantrell::test
