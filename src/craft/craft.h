// The two air-cushion craft: heading and velocity are independent, thrust pushes along the
// heading, drag slows each axis separately and the slope of the height field pushes downhill.
// All arithmetic is 32-bit integer with positions in 1/512 map units.
#pragma once

#include <cstdint>

#include "input/control_state.h"
#include "world/terrain.h"

namespace vantrell {

constexpr int32_t kCourseLengthFixed = 204800;  // 400 units around in x
constexpr int32_t kEdgeLowFixed = 3328;         // 6.5 units: below this the craft rebounds
constexpr int32_t kEdgeLowReturnFixed = 6656;   // 13.0 units: where that rebound puts it
constexpr int32_t kEdgeHighFixed = 198144;      // 387.0 units
constexpr int32_t kStartPointFixed = 15360;     // 30.0 units
constexpr int32_t kStartPoint = 30;
constexpr int32_t kFixedPerUnit = 512;

// Where a craft can stand, in whole units: x runs 0..400 (400 for the tick before the wrap), y
// between the two edges. The stage check holds checkpoints to it, the tool its views.
constexpr int32_t kCraftFirstX = 0;
constexpr int32_t kCraftLastX = kCourseLengthFixed / kFixedPerUnit;
constexpr int32_t kCraftFirstY = kEdgeLowFixed / kFixedPerUnit;
constexpr int32_t kCraftLastY = kEdgeHighFixed / kFixedPerUnit;

struct CraftState {
    void Init(const Terrain* world, int32_t player);
    void Reset(int32_t active);
    // One tick of motion, or of idle circling when active is 0. Guards that real course data never
    // reaches: velocities saturate at the 32-bit limits, a position still off the course after
    // the single wrap is reduced modulo the course length, headings are taken modulo 64.
    void Step(int32_t spin, const ControlState& controls);

    const Terrain* world = nullptr;
    int32_t active = 0;
    int32_t player = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t ground = 0;
    int32_t posX = 0;
    int32_t posY = 0;
    int32_t velX = 0;
    int32_t velY = 0;
    int32_t thrustX = 0;
    int32_t thrustY = 0;
    int32_t heading = 0;
    int32_t viewHeading = 0;
};

struct CraftPair {
    void Init(const Terrain* world);
    // mode is a race mode: 0 idles both craft, any positive mode makes them active.
    void Reset(int32_t mode);
    // The spin offset turns only the first craft's view.
    void Step(int32_t spin, const ControlState& controls1, const ControlState& controls2);

    const Terrain* world = nullptr;
    CraftState first;
    CraftState second;
};

}  // namespace vantrell
