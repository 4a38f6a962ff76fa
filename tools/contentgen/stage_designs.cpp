#include <vector>

#include "course.h"
#include "sprites.h"

namespace vantrell::contentgen {

namespace {

RoutePiece S(double length) {
    return {length, 0.0, 0.0};
}
RoutePiece R(double degrees, double radius) {
    return {0.0, degrees, radius};
}
RoutePiece L(double degrees, double radius) {
    return {0.0, -degrees, radius};
}

}  // namespace

StageDesign StageSpecFor(int32_t stage) {
    StageDesign s;
    switch (stage) {
        case 0:
            // Green vale: a wide rounded oblong with gentle sweepers, three laps.
            s.name = "Green Vale";
            s.seed = 0x5A11E0;
            s.route = {S(98), R(20, 150), L(40, 150), R(20, 150), R(90, 75), S(110), R(90, 75),
                       S(50), L(25, 150), R(50, 150), L(25, 150), R(90, 75), S(110), R(90, 75)};
            s.laps = 3;
            s.halfWidth = 22;
            s.bankRun = 45;
            s.wallHeight = 34;
            s.floorBase = 26;
            s.floorWave = 5;
            s.hillAmplitude = 12;
            s.scenery = {kConifer, kBroadleaf, kBroadleaf, kBush,
                         kHouse,   kHayBale,   kMound,     kStones};
            s.obstacles = {kHayBale, kBush};
            s.obstacleCount = 2;
            break;
        case 1:
            // Amber desert: each lap winds twice round the world, one deep dip and one shallow.
            s.name = "Amber Desert";
            s.seed = 0xD35E27;
            s.route = {S(10),     R(60, 70), S(220),    L(120, 70), S(220),    R(60, 70), S(15),
                       R(40, 80), S(60),     L(80, 80), S(60),      R(40, 80), S(15)};
            s.laps = 3;
            s.halfWidth = 19;
            s.bankRun = 35;
            s.wallHeight = 42;
            s.floorBase = 24;
            s.floorWave = 6;
            s.hillAmplitude = 16;
            s.scenery = {kCactus, kCactus, kPalm, kDune, kRockSpire, kStones, kBoulder, kHouse};
            s.obstacles = {kBoulder, kCactus, kStones, kDune};
            s.obstacleCount = 6;
            break;
        case 2:
            // Frost ridge: a staircase of bends down round the world and another back up; they
            // cross once.
            s.name = "Frost Ridge";
            s.seed = 0xF205713;
            for (int k = 0; k < 4; ++k) {
                s.route.insert(s.route.end(), {S(40), R(90, 30), S(10), L(90, 30)});
            }
            for (int k = 0; k < 4; ++k) {
                s.route.insert(s.route.end(), {S(40), L(90, 30), S(10), R(90, 30)});
            }
            s.laps = 3;
            s.halfWidth = 16;
            s.bankRun = 28;
            s.wallHeight = 52;
            s.floorBase = 30;
            s.floorWave = 8;
            s.hillAmplitude = 18;
            s.scenery = {kSnowConifer, kSnowConifer, kConifer, kIceSpire,
                         kSnowDrift,   kIceBlock,    kDeadTree};
            s.obstacles = {kIceBlock, kSnowDrift, kSnowConifer, kIceSpire};
            s.obstacleCount = 10;
            break;
        case 3:
            // Harbour works: square corners round the blocks of a dockside, like a key pattern.
            s.name = "Harbour Works";
            s.seed = 0x4A2B0;
            s.route = {S(50), R(90, 25), S(100), L(90, 25), S(40),  L(90, 25),
                       S(40), R(90, 25), S(30),  R(90, 25), S(170), L(90, 25),
                       S(20), L(90, 25), S(230), R(90, 25), S(60)};
            s.laps = 3;
            s.halfWidth = 15;
            s.bankRun = 18;
            s.wallHeight = 40;
            s.floorBase = 20;
            s.floorWave = 3;
            s.hillAmplitude = 6;
            s.faceted = true;
            s.scenery = {kBlockBuilding, kSilo,      kContainer, kCrates,
                         kPylon,         kLightMast, kHouse,     kBarrels};
            s.obstacles = {kCrates, kBarrels, kTyres, kHump, kContainer};
            s.obstacleCount = 14;
            break;
        default:
            // Ember canyon: a narrow gorge of hairpins down to the lava and a long climb back.
            s.name = "Ember Canyon";
            s.seed = 0xE4BE2;
            s.route = {S(40),     R(45, 40),  L(90, 40), R(45, 40), S(20),     R(180, 32),
                       S(60),     L(180, 32), S(90),     R(90, 32), S(40),     R(90, 32),
                       S(30),     L(180, 30), S(30),     R(60, 40), L(60, 40), S(40),
                       L(90, 35), S(100),     R(30, 60), L(60, 60), R(30, 60), S(42),
                       R(90, 35), S(18)};
            s.laps = 2;
            s.halfWidth = 14;
            s.bankRun = 16;
            s.wallHeight = 60;
            s.floorBase = 22;
            s.floorWave = 8;
            s.hillAmplitude = 14;
            s.faceted = true;
            s.scenery = {kRockSpire, kLavaRock, kBigBoulder, kCrater, kMonolith, kDeadTree};
            s.obstacles = {kLavaRock, kBoulder, kBigBoulder, kStones, kCrater};
            s.obstacleCount = 18;
            break;
    }
    return s;
}

}  // namespace vantrell::contentgen
