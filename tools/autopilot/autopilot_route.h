// The autopilot's map of the course: for every checkpoint, the cost of the cheapest way from
// each course point into that checkpoint's box over the height field, where steep ground costs
// more (the slope pushes a craft back far harder than its thrust can climb). Summed along the
// checkpoints in order it gives one potential that falls steadily towards the goal.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "world/course_files.h"
#include "world/terrain.h"

namespace vantrell {

// Cost of one map unit of level ground; a diagonal step costs kRouteDiagonal.
constexpr int32_t kRouteUnit = 32;
constexpr int32_t kRouteDiagonal = 45;
constexpr int32_t kRouteRows = 400;  // course rows 0..399; the craft never leaves them

class AutopilotRoute {
  public:
    // slopePenalty 0 measures plain distance; larger values keep the line off the banks.
    AutopilotRoute(const Terrain& terrain, const std::array<Checkpoint, kCheckpointCount>& boxes,
                   int32_t slopePenalty);

    // Cost from course cell (x, y) into box `next` and on through every later box to the goal;
    // 0 once all twenty are passed. x wraps round the course, y is clamped to the course rows.
    int32_t CellPotential(int32_t next, int32_t x, int32_t y) const;
    // The same at a fixed-point position (1/512 units), interpolated between the four cells
    // around it so that small moves show.
    int64_t Potential(int32_t next, int32_t posX, int32_t posY) const;

    // Cost from the cell into box `box` alone.
    int32_t CostTo(int32_t box, int32_t x, int32_t y) const;
    // Cost from the middle of box `box` through every later box to the goal.
    int32_t Remaining(int32_t box) const { return remaining_[static_cast<size_t>(box)]; }

  private:
    std::vector<int32_t> costs_;  // kCheckpointCount grids of 400 x kRouteRows
    std::array<int32_t, kCheckpointCount> remaining_{};
};

}  // namespace vantrell
