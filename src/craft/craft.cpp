#include "craft/craft.h"

#include <cstdint>
#include <limits>

#include "craft/heading_tables.h"

namespace vantrell {

namespace {

constexpr int32_t kFixedShift = kFixedPerUnit;
constexpr int32_t kCourseLength = kCourseLengthFixed / kFixedShift;
constexpr int32_t kSlopeReach = 5;       // slope samples 5 units either side
constexpr int32_t kSlopeForce = 32;      // push per unit of height difference
constexpr int32_t kFastDragLimit = 512;  // beyond this speed an axis loses 1/8, else 1/16
constexpr int32_t kIdleStep = 2;
constexpr int32_t kIdleLaneFirst = 35;
constexpr int32_t kIdleLaneSecond = 25;
constexpr int32_t kIdleHeadingSecond = 32;

// Heading arithmetic modulo 64. For every sum the rules produce (a heading, a step of one and a
// spin of 0..63) this equals the single wrap; a stray spin can never make a table index.
int32_t WrapHeading(int64_t h) {
    return static_cast<int32_t>(static_cast<uint64_t>(h) & (kHeadingCount - 1));
}

int32_t Drag(int32_t v) {
    if (v > kFastDragLimit || v < -kFastDragLimit) {
        return v - v / 8;
    }
    return v - v / 16;
}

// Velocities stay within 32 bits: real course slopes are far too gentle to reach the limit, and
// saturating there instead of overflowing keeps broken data from becoming undefined behaviour.
int32_t Saturate(int64_t v) {
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v > kMax ? kMax : (v < kMin ? kMin : v));
}

}  // namespace

void CraftState::Init(const Terrain* worldIn, int32_t playerIn) {
    world = worldIn;
    player = playerIn;
}

void CraftState::Reset(int32_t activeIn) {
    active = activeIn;
    posX = posY = kStartPointFixed;
    x = y = kStartPoint;
    heading = viewHeading = 0;
    velX = velY = 0;
    thrustX = thrustY = 0;
    ground = world->HeightAt(x, y);
}

void CraftState::Step(int32_t spin, const ControlState& controls) {
    if (active == 0) {
        // Idle: circle the start area on a fixed lane; the fixed-point state is left alone. The
        // first craft may stand on x = 400 for a tick, which the lookup reads as column 0.
        if (player == 1) {
            heading = 0;
            viewHeading = WrapHeading(int64_t{viewHeading} + 1);
            x += kIdleStep;
            if (x > kCourseLength) {
                x -= kCourseLength;
            }
            y = kIdleLaneFirst;
        } else {
            heading = kIdleHeadingSecond;
            viewHeading = WrapHeading(int64_t{viewHeading} + 1);
            x -= kIdleStep;
            if (x < 0) {
                x += kCourseLength;
            }
            y = kIdleLaneSecond;
        }
        ground = world->HeightAt(x, y);
        return;
    }

    // The slope under the craft where it stood before this tick; positive falls toward +x / +y.
    const int64_t gx =
        int64_t{world->HeightAt(x - kSlopeReach, y)} - world->HeightAt(x + kSlopeReach, y);
    const int64_t gy =
        int64_t{world->HeightAt(x, y - kSlopeReach)} - world->HeightAt(x, y + kSlopeReach);

    const bool live = controls.live > 0;
    if (live) {
        // Both tests run, so holding left and right together leaves the heading as it was.
        if (controls.left > 0) {
            heading = WrapHeading(int64_t{heading} - 1);
        }
        if (controls.right > 0) {
            heading = WrapHeading(int64_t{heading} + 1);
        }
    }
    viewHeading = WrapHeading(int64_t{heading} + spin);

    thrustX = thrustY = 0;
    if (live) {
        const HeadingTables& tables = Headings();
        const int32_t k = WrapHeading(heading);
        if (controls.forward > 0) {
            thrustX = tables.cos[k];
            thrustY = tables.sin[k];
        } else if (controls.reverse > 0) {
            thrustX = -tables.cos[k];
            thrustY = -tables.sin[k];
        }
    }

    velX = Saturate(int64_t{Drag(velX)} + kSlopeForce * gx + thrustX);
    velY = Saturate(int64_t{Drag(velY)} + kSlopeForce * gy + thrustY);

    int64_t nextX = int64_t{posX} + velX;
    int64_t nextY = int64_t{posY} + velY;

    // The wrap fires only above a full length: a craft may end a tick on exactly 204800, x = 400.
    if (nextX > kCourseLengthFixed) {
        nextX -= kCourseLengthFixed;
    }
    if (nextY > kEdgeHighFixed) {
        nextY = kEdgeHighFixed;
        thrustY = 0;
        velY = -(velY / 2);
    }
    if (nextX < 0) {
        nextX += kCourseLengthFixed;
    }
    if (nextY < kEdgeLowFixed) {
        // The low edge throws the craft further in than the edge itself.
        nextY = kEdgeLowReturnFixed;
        thrustY = 0;
        velY = -(velY / 2);
    }
    // Real slopes keep a craft far below a course length per tick, so the single wraps always
    // suffice; a runaway from broken data is folded back onto the course instead of leaving it.
    if (nextX < 0 || nextX > kCourseLengthFixed) {
        nextX = ((nextX % kCourseLengthFixed) + kCourseLengthFixed) % kCourseLengthFixed;
    }

    posX = static_cast<int32_t>(nextX);
    posY = static_cast<int32_t>(nextY);
    x = posX / kFixedShift;
    y = posY / kFixedShift;
    ground = world->HeightAt(x, y);
}

void CraftPair::Init(const Terrain* worldIn) {
    world = worldIn;
    first.Init(world, 1);
    second.Init(world, 2);
}

void CraftPair::Reset(int32_t mode) {
    const int32_t active = mode > 0 ? 1 : mode;
    first.Reset(active);
    second.Reset(active);
}

void CraftPair::Step(int32_t spin, const ControlState& controls1, const ControlState& controls2) {
    first.Step(spin, controls1);
    second.Step(0, controls2);
}

}  // namespace vantrell
