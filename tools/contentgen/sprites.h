// The sprite sheet (96 frames of 16 x 16, colour 255 transparent) and the matching height
// profiles of CHR_H0.DAT. Frames 0..31 are the red craft and 32..63 the blue craft, one frame per
// two heading steps; 75 is the checkpoint marker; the rest are course objects. Frames up to 80
// stand on a level base, frames above 80 are added onto the ground.
#pragma once

#include <array>
#include <cstdint>

namespace vantrell::contentgen {

constexpr int32_t kFrameCount = 96;
constexpr int32_t kFrameSize = 16;
constexpr uint8_t kTransparent = 255;
constexpr int32_t kMarkerFrame = 75;
constexpr int32_t kBlueCraftFrame = 32;

// Course object frames.
enum ObjectFrame : int32_t {
    kConifer = 64,
    kBroadleaf = 65,
    kSnowConifer = 66,
    kCactus = 67,
    kPylon = 68,
    kHouse = 69,
    kBlockBuilding = 70,
    kSilo = 71,
    kCrates = 72,
    kMonolith = 73,
    kIceSpire = 74,
    kLightMast = 76,
    kDeadTree = 77,
    kRockSpire = 78,
    kPalm = 79,
    kContainer = 80,
    kBoulder = 81,
    kStones = 82,
    kMound = 83,
    kDune = 84,
    kIceBlock = 85,
    kLavaRock = 86,
    kLogs = 87,
    kSnowDrift = 88,
    kHayBale = 89,
    kBarrels = 90,
    kHump = 91,
    kBigBoulder = 92,
    kBush = 93,
    kTyres = 94,
    kCrater = 95,
};

struct SpriteSheet {
    // colour[frame][row][column]
    std::array<std::array<std::array<uint8_t, kFrameSize>, kFrameSize>, kFrameCount> colour;
    // Heights in game units (the file stores twice these).
    std::array<std::array<std::array<int32_t, kFrameSize>, kFrameSize>, kFrameCount> height;
};

// Draws every frame; the same sheet serves all five stages.
SpriteSheet DrawSpriteSheet();

}  // namespace vantrell::contentgen
