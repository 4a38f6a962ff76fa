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

StageSpec StageSpecFor(int32_t stage) {
    StageSpec s;
    switch (stage) {
        case 0:
            // Green vale: a wide rounded oblong with gentle sweepers, three laps.
            s.name = "Green Vale";
            s.seed = 0x5A11E0;
            s.route = {S(110), L(20, 150), R(40, 150), L(20, 150), R(90, 75), S(110), R(90, 75),
                       S(50),  R(25, 150), L(50, 150), R(25, 150), R(90, 75), S(110), R(90, 75)};
            s.laps = 3;
            s.halfWidth = 28;
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
            // Amber desert: twice round the world per lap, one deep dip and one shallow, crossing.
            s.name = "Amber Desert";
            s.seed = 0xD35E27;
            s.route = {S(10),     R(50, 80), S(250),    L(100, 80), S(250),    R(50, 80), S(20),
                       R(40, 80), S(60),     L(80, 80), S(60),      R(40, 80), S(20)};
            s.laps = 2;
            s.halfWidth = 24;
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
            // Frost ridge: a figure of eight with a crossing, narrower and steeper.
            s.name = "Frost Ridge";
            s.seed = 0xF205713;
            s.route = {S(120),     R(45, 60), S(120),    R(270, 55), S(120),
                       L(270, 55), S(60),     L(45, 60), S(40)};
            s.laps = 2;
            s.halfWidth = 20;
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
            // Harbour works: square corners between blocks, crossings, clutter on the road.
            s.name = "Harbour Works";
            s.seed = 0x4A2B0;
            s.route = {S(150), R(90, 32), S(90), L(90, 32), S(80), R(90, 32), S(160), R(90, 32),
                       S(80),  R(90, 32), S(60), L(90, 32), S(60), R(90, 32), S(50)};
            s.laps = 3;
            s.halfWidth = 18;
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
            // Ember canyon: a twisting narrow gorge with hairpins and rock falls.
            s.name = "Ember Canyon";
            s.seed = 0xE4BE2;
            s.route = {S(80),     R(60, 45), L(120, 45), R(60, 45), S(40),      R(180, 40),
                       S(60),     L(60, 40), R(60, 40),  S(50),     L(180, 40), S(40),
                       R(90, 45), S(60),     R(90, 45),  S(40)};
            s.laps = 2;
            s.halfWidth = 15;
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
