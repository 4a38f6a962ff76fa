// Stage design: the route a driver follows, and from it the terrain (corner heights and cell
// types), the 20 checkpoints and the 48 course objects of one stage.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "world/course_files.h"  // CourseObject, Checkpoint: the game's own records

namespace vantrell::contentgen {

constexpr int32_t kCorners = 41;
constexpr int32_t kCells = 40;
constexpr int32_t kCheckpointCount = 20;
constexpr int32_t kObjectCount = 48;
constexpr int32_t kCourseWidth = 400;
constexpr int32_t kStartX = 30;
constexpr int32_t kStartY = 30;
// The level square around the start point: columns and rows 20..39 are built from nine equal
// corners, which covers the 22..38 the replays need with a margin.
constexpr int32_t kStartAreaLow = 20;
constexpr int32_t kStartAreaHigh = 39;

// One piece of a route: a straight (turn 0) or an arc turning by turnDegrees (positive = right,
// towards +y when heading +x) on the given radius.
struct RoutePiece {
    double straight = 0.0;
    double turnDegrees = 0.0;
    double radius = 0.0;
};

struct RoutePoint {
    double x = 0.0;  // unwrapped: the route may run round the course several times
    double y = 0.0;
    double s = 0.0;  // distance driven from the start
};

// What makes a stage: its names, its route, its ground, its colours and its furniture.
struct StageDesign {
    std::string name;    // in English
    std::string nameJa;  // in Japanese
    std::string author;
    std::string version;
    int32_t palette = 0;  // one of the five colour themes (palette.h), which also pick the paint
    uint64_t seed = 0;
    std::vector<RoutePiece> route;    // one lap, driven `laps` times
    std::vector<int32_t> routeLines;  // the design file's line of each piece, for messages
    int32_t laps = 1;
    double halfWidth = 30.0;         // level floor either side of the route
    double bankRun = 40.0;           // units beyond the floor until the banks reach wallHeight
    double wallHeight = 40.0;        // where the banks level off
    double floorBase = 24.0;         // floor height
    double floorWave = 6.0;          // slow rise and fall of the floor along the course
    double hillAmplitude = 10.0;     // bumps on the banks
    bool faceted = false;            // triangle cells on the hills too
    std::vector<int32_t> scenery;    // frames for the banks
    std::vector<int32_t> obstacles;  // frames that may stand in the track
    int32_t obstacleCount = 0;
};

struct Stage {
    StageDesign design;
    std::vector<RoutePoint> route;
    double routeLength = 0.0;
    std::array<std::array<int32_t, kCorners>, kCorners> corners{};
    std::array<std::array<int32_t, kCells>, kCells> types{};
    std::array<Checkpoint, kCheckpointCount> checkpoints{};
    std::array<CourseObject, kObjectCount> objects{};
    // Route distance and nearest route position per course point, rows -210..609; distance 999
    // where the route is far.
    std::vector<float> distance;
    std::vector<float> along;
    float DistanceAt(int32_t x, int32_t y) const;
    float AlongAt(int32_t x, int32_t y) const;
};

// Lays out the whole stage from its design.
Stage DesignStage(const StageDesign& design);

// The route distance of checkpoint k (0..19) from the start, as the layout placed it.
double CheckpointRouteDistance(const Stage& stage, int32_t k);
// The piece of one lap's route (an index into design.route) that route distance s falls in.
size_t RoutePieceAt(const Stage& stage, double s);

}  // namespace vantrell::contentgen
