#include "autopilot/autopilot_route.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace vantrell {

namespace {

constexpr int32_t kCells = kFieldWidth * kRouteRows;
constexpr int32_t kSlopeReach = 5;       // the craft samples its slope 5 units either side
constexpr int32_t kWeightOne = 16;       // step weights in sixteenths
constexpr int32_t kWeightMax = 64 * 16;  // banks are dear but never walls to the search
constexpr int32_t kUnreached = std::numeric_limits<int32_t>::max() / 4;

int32_t Wrap(int32_t x) {
    x %= kFieldWidth;
    return x < 0 ? x + kFieldWidth : x;
}

int32_t ClampRow(int32_t y) {
    return std::clamp(y, 0, kRouteRows - 1);
}

// How dear a cell is to drive over: level ground 16, rising with the square of the height
// difference the craft's slope samples would see there.
std::vector<int32_t> StepWeights(const Terrain& terrain, int32_t slopePenalty) {
    std::vector<int32_t> weights(kCells);
    for (int32_t y = 0; y < kRouteRows; ++y) {
        for (int32_t x = 0; x < kFieldWidth; ++x) {
            const int32_t gx = std::abs(terrain.HeightAt(Wrap(x - kSlopeReach), y) -
                                        terrain.HeightAt(Wrap(x + kSlopeReach), y));
            const int32_t gy = std::abs(terrain.HeightAt(x, y - kSlopeReach) -
                                        terrain.HeightAt(x, y + kSlopeReach));
            const int64_t g = gx + gy;
            const int64_t w = kWeightOne + slopePenalty * g * g / 4;
            weights[static_cast<size_t>(y * kFieldWidth + x)] =
                static_cast<int32_t>(std::min<int64_t>(w, kWeightMax));
        }
    }
    return weights;
}

// Cheapest cost from every cell into the open box (cx, cx + 16) x (cy, cy + 16): the cells a
// craft must stand on for the race to count the pass. Step costs are small whole numbers, so a
// ring of buckets indexed by cost does the work of a priority queue in linear time.
void FillCosts(const std::vector<int32_t>& weights, const Checkpoint& box, int32_t* cost) {
    constexpr int32_t kRing = kRouteDiagonal * kWeightMax / kWeightOne + 1;  // > any one step
    std::fill(cost, cost + kCells, kUnreached);
    std::vector<std::vector<int32_t>> ring(kRing);
    int64_t pending = 0;
    for (int32_t y = box.y + 1; y < box.y + 16; ++y) {
        for (int32_t x = box.x + 1; x < box.x + 16; ++x) {
            if (y < 0 || y >= kRouteRows) {
                continue;
            }
            const int32_t cell = y * kFieldWidth + Wrap(x);
            cost[cell] = 0;
            ring[0].push_back(cell);
            ++pending;
        }
    }
    static constexpr int32_t kDx[8] = {1, -1, 0, 0, 1, 1, -1, -1};
    static constexpr int32_t kDy[8] = {0, 0, 1, -1, 1, -1, 1, -1};
    static constexpr int32_t kBase[8] = {kRouteUnit,     kRouteUnit,     kRouteUnit,
                                         kRouteUnit,     kRouteDiagonal, kRouteDiagonal,
                                         kRouteDiagonal, kRouteDiagonal};
    int32_t slot = 0;  // d modulo the ring, kept without dividing
    for (int32_t d = 0; pending > 0; ++d, slot = slot + 1 == kRing ? 0 : slot + 1) {
        std::vector<int32_t>& bucket = ring[static_cast<size_t>(slot)];
        pending -= static_cast<int64_t>(bucket.size());
        for (const int32_t cell : bucket) {
            if (cost[cell] != d) {
                continue;  // reached more cheaply since it was filed here
            }
            const int32_t x = cell % kFieldWidth;
            const int32_t rowStart = cell - x;
            const int32_t weight = weights[static_cast<size_t>(cell)];
            for (int32_t k = 0; k < 8; ++k) {
                const int32_t row = rowStart + kDy[k] * kFieldWidth;
                if (row < 0 || row >= kCells) {
                    continue;
                }
                int32_t nx = x + kDx[k];
                nx = nx < 0 ? nx + kFieldWidth : (nx >= kFieldWidth ? nx - kFieldWidth : nx);
                const int32_t next = row + nx;
                const int32_t reached =
                    d + kBase[k] * (weight + weights[static_cast<size_t>(next)]) / (2 * kWeightOne);
                if (reached < cost[next]) {
                    cost[next] = reached;
                    int32_t at = slot + (reached - d);
                    at = at >= kRing ? at - kRing : at;
                    ring[static_cast<size_t>(at)].push_back(next);
                    ++pending;
                }
            }
        }
        bucket.clear();
    }
}

}  // namespace

AutopilotRoute::AutopilotRoute(const Terrain& terrain,
                               const std::array<Checkpoint, kCheckpointCount>& boxes,
                               int32_t slopePenalty)
    : costs_(static_cast<size_t>(kCheckpointCount) * kCells) {
    const std::vector<int32_t> weights = StepWeights(terrain, slopePenalty);
    for (int32_t i = 0; i < kCheckpointCount; ++i) {
        FillCosts(weights, boxes[static_cast<size_t>(i)], costs_.data() + i * kCells);
    }
    // From the middle of each box on to the goal, so that passing a box changes the potential
    // only by the small step between the box's middle and where it was crossed.
    remaining_[kCheckpointCount - 1] = 0;
    for (int32_t i = kCheckpointCount - 2; i >= 0; --i) {
        const Checkpoint& box = boxes[static_cast<size_t>(i)];
        remaining_[static_cast<size_t>(i)] =
            CostTo(i + 1, box.x + 8, box.y + 8) + remaining_[static_cast<size_t>(i + 1)];
    }
}

int32_t AutopilotRoute::CostTo(int32_t box, int32_t x, int32_t y) const {
    const size_t index = static_cast<size_t>(box) * kCells +
                         static_cast<size_t>(ClampRow(y) * kFieldWidth + Wrap(x));
    return costs_[index];
}

int32_t AutopilotRoute::CellPotential(int32_t next, int32_t x, int32_t y) const {
    if (next >= kCheckpointCount) {
        return 0;
    }
    return CostTo(next, x, y) + Remaining(next);
}

int64_t AutopilotRoute::Potential(int32_t next, int32_t posX, int32_t posY) const {
    if (next >= kCheckpointCount) {
        return 0;
    }
    const int32_t x = posX >> 9;
    const int32_t y = posY >> 9;
    const int64_t fx = posX & 511;
    const int64_t fy = posY & 511;
    const int64_t p00 = CellPotential(next, x, y);
    const int64_t p10 = CellPotential(next, x + 1, y);
    const int64_t p01 = CellPotential(next, x, y + 1);
    const int64_t p11 = CellPotential(next, x + 1, y + 1);
    const int64_t top = p00 * (512 - fx) + p10 * fx;
    const int64_t bottom = p01 * (512 - fx) + p11 * fx;
    return (top * (512 - fy) + bottom * fy) >> 18;
}

}  // namespace vantrell
