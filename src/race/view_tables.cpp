#include "race/view_tables.h"

#include <algorithm>
#include <cmath>

namespace vantrell {

// Every expression below keeps the association and constants the tables were designed with;
// each double operation rounds once (the build forbids fused multiply-adds), so the entries come
// out identical on every machine.
double ViewRowDistance(int32_t r) {
    return ViewDistanceAt(r + 0.5);
}

double ViewDistanceAt(double row) {
    const double t = 1.0 - row * 0.0125;
    const double d = t / (20.0 - 16.666666666666668 * t);
    return d * 633.3333333333334;
}

double ViewSideOffset(double column, double distance) {
    return (column - 49.5) * (distance + 38.0) * 0.005482456140350877;
}

double ViewLiftDivisor(double distance) {
    return (distance + 38.0) * 3800.0;
}

// Left unfilled: the builds write every entry, and clearing the megabyte first cost the
// browser's start about 15 ms, where it runs as unoptimised code.
ViewTables::ViewTables()
    : groundTable(new int32_t[kGroundEntries]), liftTable(new int32_t[kLiftEntries]) {}

const ViewTables& ViewTables::Shared() {
    static const ViewTables tables = [] {
        ViewTables built;
        built.BuildGroundTable();
        built.BuildLiftTable();
        return built;
    }();
    return tables;
}

void ViewTables::BuildGroundTable() {
    int32_t lo = 0;
    int32_t hi = 0;
    for (int32_t j = 0; j < kViewHeadings; ++j) {
        const double theta = j * 0.09817475;
        const double s = std::sin(theta);
        const double k = std::cos(theta);
        for (int32_t r = 0; r < kViewRows; ++r) {
            const double f = ViewRowDistance(r);
            for (int32_t c = 0; c < kViewColumns; ++c) {
                const double h = ViewSideOffset(c, f);
                const double a = k * (f - kViewBehind) - s * h;
                const double b = h * k + s * (f - kViewBehind);
                const int32_t dx = static_cast<int32_t>(std::floor(a + 0.5));
                const int32_t dy = static_cast<int32_t>(std::floor(b + 0.5));
                const int32_t o = dx - 400 * dy;
                groundTable[(j * kViewRows + r) * kViewColumns + c] = o;
                lo = std::min(lo, o);
                hi = std::max(hi, o);
            }
        }
    }
    // Headings 32..63 read the same entries negated.
    minOffset = std::min(lo, -hi);
    maxOffset = std::max(hi, -lo);
}

void ViewTables::BuildLiftTable() {
    for (int32_t r = 0; r < kViewRows; ++r) {
        const double q = ViewLiftDivisor(ViewRowDistance(r));
        for (int32_t k = 0; k < kLiftSpan; ++k) {
            // Some quotients are whole in exact arithmetic but fall just below in double
            // precision (row 1, k 24 gives 55.99999999999998); the floor takes them as computed.
            const double v = -((k - 100) / q) * kViewLiftScale;
            int32_t n = static_cast<int32_t>(std::floor(v));
            n = std::clamp(n, -kMaxLiftUp, kMaxLiftDown);
            liftTable[r * kLiftSpan + k] = -96 * n;
        }
    }
}

}  // namespace vantrell
