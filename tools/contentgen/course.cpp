#include "course.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "common/prng.h"
#include "sprites.h"

namespace vantrell::contentgen {

namespace {

constexpr int32_t kFieldTop = -210;  // first world row the distance grid covers
constexpr int32_t kFieldRowsCovered = 820;
constexpr double kFar = 999.0;
constexpr int32_t kReach = 100;  // how far from the route distances are measured

int32_t WrapX(int32_t x) {
    return ((x % kCourseWidth) + kCourseWidth) % kCourseWidth;
}

std::vector<RoutePoint> TraceRoute(const std::vector<RoutePiece>& pieces) {
    std::vector<RoutePoint> points;
    double x = kStartX;
    double y = kStartY;
    double heading = 0.0;
    double s = 0.0;
    points.push_back({x, y, s});
    constexpr double kStep = 1.0;
    for (const RoutePiece& p : pieces) {
        double length = p.straight;
        double turnRate = 0.0;
        if (p.turnDegrees != 0.0) {
            length = std::abs(p.turnDegrees) * std::numbers::pi / 180.0 * p.radius;
            turnRate = (p.turnDegrees > 0 ? 1.0 : -1.0) / p.radius;
        }
        const int32_t steps = std::max(1, static_cast<int32_t>(std::lround(length / kStep)));
        const double ds = length / steps;
        for (int32_t k = 0; k < steps; ++k) {
            // Midpoint rule keeps arcs round.
            const double mid = heading + turnRate * ds * 0.5;
            x += std::cos(mid) * ds;
            y += std::sin(mid) * ds;
            heading += turnRate * ds;
            s += ds;
            points.push_back({x, y, s});
        }
    }
    return points;
}

double ValueNoise(double x, double y, double cell, uint64_t seed) {
    return tools::PeriodicNoise(x, y, cell, kCourseWidth, seed);
}

double Smooth(double t) {
    t = std::clamp(t, 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

double FloorHeight(const StageDesign& design, double x, double y) {
    const double w = 2.0 * std::numbers::pi / kCourseWidth;
    return design.floorBase +
           design.floorWave * std::sin(w * 2.0 * x + 0.7) * std::cos(w * 1.5 * y);
}

void BuildDistanceField(Stage& stage) {
    stage.distance.assign(static_cast<size_t>(kCourseWidth) * kFieldRowsCovered,
                          static_cast<float>(kFar));
    stage.along.assign(stage.distance.size(), 0.0f);
    for (const RoutePoint& p : stage.route) {
        const int32_t px = static_cast<int32_t>(std::floor(p.x));
        const int32_t py = static_cast<int32_t>(std::floor(p.y));
        for (int32_t dy = -kReach; dy <= kReach; ++dy) {
            const int32_t y = py + dy;
            const int32_t row = y - kFieldTop;
            if (row < 0 || row >= kFieldRowsCovered) {
                continue;
            }
            for (int32_t dx = -kReach; dx <= kReach; ++dx) {
                const double ex = px + dx - p.x;
                const double ey = y - p.y;
                const float d = static_cast<float>(std::sqrt(ex * ex + ey * ey));
                const size_t i = static_cast<size_t>(row) * kCourseWidth + WrapX(px + dx);
                if (d < stage.distance[i]) {
                    stage.distance[i] = d;
                    stage.along[i] = static_cast<float>(p.s);
                }
            }
        }
    }
}

void BuildCorners(Stage& stage) {
    const StageDesign& design = stage.design;
    for (int32_t i = 0; i < kCorners; ++i) {
        for (int32_t j = 0; j < kCorners; ++j) {
            const int32_t x = 10 * j;
            const int32_t y = 10 * i;
            const double d = stage.DistanceAt(x, y);
            const double e = std::max(0.0, d - design.halfWidth);
            const double hills =
                (ValueNoise(x, y, 40.0, design.seed) - 0.3) * design.hillAmplitude +
                (ValueNoise(x, y, 20.0, design.seed + 1) - 0.5) * design.hillAmplitude * 0.5;
            const double bank = design.wallHeight * Smooth(e / design.bankRun);
            double h = FloorHeight(design, x, y) + bank + hills * Smooth(e / 25.0);
            // The course's long edges are walls whatever the route does.
            if (i == 0 || i == kCorners - 1) {
                h = std::max(h, FloorHeight(design, x, y) + design.wallHeight * 0.6);
            }
            stage.corners[i][j] = std::clamp(static_cast<int32_t>(std::lround(h)), 0, 128);
        }
    }
    // The start square is exactly level.
    const int32_t level = static_cast<int32_t>(std::lround(FloorHeight(design, kStartX, kStartY)));
    for (int32_t i = 2; i <= 4; ++i) {
        for (int32_t j = 2; j <= 4; ++j) {
            stage.corners[i][j] = level;
        }
    }
    for (int32_t i = 0; i < kCorners; ++i) {
        stage.corners[i][kCorners - 1] = stage.corners[i][0];  // seamless round the course
    }
}

void ChooseCellTypes(Stage& stage) {
    const StageDesign& design = stage.design;
    for (int32_t i = 0; i < kCells; ++i) {
        for (int32_t j = 0; j < kCells; ++j) {
            const int32_t a = stage.corners[i][j];
            const int32_t b = stage.corners[i][j + 1];
            const int32_t c = stage.corners[i + 1][j];
            const int32_t d = stage.corners[i + 1][j + 1];
            int32_t type = 0;  // bilinear: smooth hills and level floor
            const double nearest =
                std::min({stage.DistanceAt(10 * j, 10 * i), stage.DistanceAt(10 * j + 10, 10 * i),
                          stage.DistanceAt(10 * j, 10 * i + 10),
                          stage.DistanceAt(10 * j + 10, 10 * i + 10)});
            const bool bank = nearest < design.halfWidth + 12.0;
            if ((bank || design.faceted) && !(a == b && b == c && c == d)) {
                // Split along the diagonal whose ends agree best, so a bank running diagonally
                // keeps a straight crease instead of a saddle.
                type = std::abs(a - d) <= std::abs(b - c) ? 2 : 1;
            }
            stage.types[i][j] = type;
        }
    }
}

RoutePoint RouteAt(const Stage& stage, double s) {
    const auto it = std::lower_bound(stage.route.begin(), stage.route.end(), s,
                                     [](const RoutePoint& p, double v) { return p.s < v; });
    if (it == stage.route.end()) {
        return stage.route.back();
    }
    return *it;
}

bool BoxesOverlap(int32_t ax, int32_t ay, int32_t aw, int32_t bx, int32_t by, int32_t bw) {
    return ax < bx + bw && bx < ax + aw && ay < by + bw && by < ay + aw;
}

void PlaceCheckpoints(Stage& stage) {
    for (int32_t k = 0; k < kCheckpointCount; ++k) {
        const RoutePoint p = RouteAt(stage, CheckpointRouteDistance(stage, k));
        int32_t cx = WrapX(static_cast<int32_t>(std::lround(p.x)) - 8);
        // A box may not straddle the x wrap: move it sideways to whichever edge is nearer; the
        // route then passes at most 8 units off its centre, well inside the track.
        if (cx > 383) {
            cx = cx < 392 ? 383 : 0;
        }
        const int32_t cy = std::clamp(static_cast<int32_t>(std::lround(p.y)) - 8, 5, 372);
        stage.checkpoints[k] = {static_cast<int16_t>(cx), static_cast<int16_t>(cy)};
    }
}

int32_t MaxProfile(const SpriteSheet& sheet, int32_t frame) {
    int32_t m = 0;
    for (const auto& row : sheet.height[frame]) {
        for (int32_t h : row) {
            m = std::max(m, h);
        }
    }
    return m;
}

struct Placer {
    Stage& stage;
    const SpriteSheet& sheet;
    int32_t count = 0;

    bool Fits(int32_t frame, int32_t ox, int32_t oy) const {
        if (ox < 0 || ox > 384 || oy < -200 || oy > 585) {
            return false;
        }
        // Keep clear of the start square and every checkpoint box (with a margin).
        if (BoxesOverlap(ox, oy, 16, kStartAreaLow - 6, kStartAreaLow - 6,
                         kStartAreaHigh - kStartAreaLow + 13)) {
            return false;
        }
        for (const Checkpoint& c : stage.checkpoints) {
            if (BoxesOverlap(ox, oy, 16, c.x - 4, c.y - 4, 24)) {
                return false;
            }
        }
        for (int32_t k = 0; k < count; ++k) {
            const CourseObject& o = stage.objects[k];
            if (BoxesOverlap(ox, oy, 16, o.x + 1, o.y + 1, 14)) {
                return false;
            }
        }
        // Tall things on high ground would stand out of the view's height range.
        const double ground =
            stage.design.floorBase + stage.design.wallHeight + stage.design.hillAmplitude;
        return ground + MaxProfile(sheet, frame) - stage.design.floorBase < 118.0 ||
               stage.DistanceAt(ox + 8, oy + 8) < stage.design.halfWidth + 30.0;
    }

    bool Put(int32_t frame, int32_t ox, int32_t oy) {
        if (count >= kObjectCount || !Fits(frame, ox, oy)) {
            return false;
        }
        stage.objects[count++] = {static_cast<int16_t>(frame), static_cast<int16_t>(ox),
                                  static_cast<int16_t>(oy)};
        return true;
    }
};

void PlaceObjects(Stage& stage, const SpriteSheet& sheet) {
    const StageDesign& design = stage.design;
    tools::SplitMix64 rng(design.seed * 31 + 7);
    Placer placer{stage, sheet};

    // Obstacles in the track, between checkpoints, alternating sides so a gap always stays open.
    int32_t placed = 0;
    for (int32_t attempt = 0; attempt < 400 && placed < design.obstacleCount; ++attempt) {
        const double s = 200.0 + rng.Unit() * (stage.routeLength - 260.0);
        const RoutePoint p = RouteAt(stage, s);
        const RoutePoint q = RouteAt(stage, s + 2.0);
        const double hx = q.x - p.x;
        const double hy = q.y - p.y;
        const double n = std::max(1e-6, std::hypot(hx, hy));
        const double side =
            (placed % 2 == 0 ? 1.0 : -1.0) * design.halfWidth * rng.Range(0.15, 0.55);
        const double cx = p.x - hy / n * side;
        const double cy = p.y + hx / n * side;
        const int32_t ox = WrapX(static_cast<int32_t>(std::lround(cx))) - 8;
        const int32_t oy = static_cast<int32_t>(std::lround(cy)) - 8;
        const int32_t frame = design.obstacles[static_cast<size_t>(
            rng.Below(static_cast<int32_t>(design.obstacles.size())))];
        if (oy < 8 || oy > 370) {
            continue;
        }
        if (placer.Put(frame, ox, oy)) {
            ++placed;
        }
    }

    // Scenery on the banks and on the slopes beyond the course edges.
    for (int32_t attempt = 0; attempt < 4000 && placer.count < kObjectCount; ++attempt) {
        const int32_t frame = design.scenery[static_cast<size_t>(
            rng.Below(static_cast<int32_t>(design.scenery.size())))];
        const int32_t ox = rng.Below(385);
        const int32_t oy = rng.Below(470) - 40;
        const double d = stage.DistanceAt(ox + 8, oy + 8);
        if (d < design.halfWidth + 12.0 || d > design.halfWidth + 70.0) {
            continue;
        }
        placer.Put(frame, ox, oy);
    }
    // Anything left over goes far out, where it only decorates.
    for (int32_t attempt = 0; attempt < 4000 && placer.count < kObjectCount; ++attempt) {
        const int32_t frame = design.scenery[static_cast<size_t>(
            rng.Below(static_cast<int32_t>(design.scenery.size())))];
        const int32_t ox = rng.Below(385);
        const int32_t oy = rng.Below(400);
        if (stage.DistanceAt(ox + 8, oy + 8) > design.halfWidth + 14.0) {
            placer.Put(frame, ox, oy);
        }
    }
}

}  // namespace

float Stage::DistanceAt(int32_t x, int32_t y) const {
    const int32_t row = y - kFieldTop;
    if (row < 0 || row >= kFieldRowsCovered) {
        return static_cast<float>(kFar);
    }
    return distance[static_cast<size_t>(row) * kCourseWidth + WrapX(x)];
}

float Stage::AlongAt(int32_t x, int32_t y) const {
    const int32_t row = y - kFieldTop;
    if (row < 0 || row >= kFieldRowsCovered) {
        return 0.0f;
    }
    return along[static_cast<size_t>(row) * kCourseWidth + WrapX(x)];
}

double CheckpointRouteDistance(const Stage& stage, int32_t k) {
    const double first = std::min(140.0, stage.routeLength / 20.0);
    const double last = stage.routeLength - 4.0;
    return first + (last - first) * k / (kCheckpointCount - 1);
}

size_t RoutePieceAt(const Stage& stage, double s) {
    const std::vector<RoutePiece>& pieces = stage.design.route;
    const double lap = stage.routeLength / std::max(1, stage.design.laps);
    double left = std::fmod(std::max(0.0, s), std::max(lap, 1.0));
    for (size_t i = 0; i < pieces.size(); ++i) {
        const RoutePiece& p = pieces[i];
        const double length = p.turnDegrees != 0.0
                                  ? std::abs(p.turnDegrees) * std::numbers::pi / 180.0 * p.radius
                                  : p.straight;
        if (left < length) {
            return i;
        }
        left -= length;
    }
    return pieces.empty() ? 0 : pieces.size() - 1;
}

Stage DesignStage(const StageDesign& design) {
    Stage stage;
    stage.design = design;
    std::vector<RoutePiece> pieces;
    for (int32_t lap = 0; lap < design.laps; ++lap) {
        pieces.insert(pieces.end(), design.route.begin(), design.route.end());
    }
    stage.route = TraceRoute(pieces);
    stage.routeLength = stage.route.back().s;
    BuildDistanceField(stage);
    BuildCorners(stage);
    ChooseCellTypes(stage);
    PlaceCheckpoints(stage);
    static const SpriteSheet sheet = DrawSpriteSheet();
    PlaceObjects(stage, sheet);
    return stage;
}

}  // namespace vantrell::contentgen
