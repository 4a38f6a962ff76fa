// The two tables behind the driver's-eye view, built once in double precision:
// groundTable[heading 0..31][view row 0..79][column 0..95] holds the course offset dx - 400*dy
// that each view pixel shows; liftTable[view row][100 + height difference] holds the byte shift
// (-96 per row down) that lifts or lowers that pixel in the 96-wide frame buffer.
#pragma once

#include <cstdint>
#include <memory>

namespace vantrell {

constexpr int32_t kViewHeadings = 32;  // headings 32..63 reuse 0..31 negated
constexpr int32_t kViewRows = 80;
constexpr int32_t kViewColumns = 96;
constexpr int32_t kLiftSpan = 200;  // height differences -100..99
constexpr int32_t kLiftCentre = 100;
constexpr int32_t kGroundEntries = kViewHeadings * kViewRows * kViewColumns;
constexpr int32_t kLiftEntries = kViewRows * kLiftSpan;

// Forward distance in map units that view row r (0 far .. 79 near) shows.
double ViewRowDistance(int32_t r);
// The same at any point down the view: `row` 0 is the top edge of row 0, 80 the bottom of row 79
// (ViewRowDistance(r) is ViewDistanceAt(r + 0.5)).
double ViewDistanceAt(double row);
// Sideways offset in map units of view column `column` (0..95, fractions between) at forward
// distance `distance`: the forward line sits at column 49.5, 50 columns left of it, 46 right.
double ViewSideOffset(double column, double distance);
// How far behind the camera point the view's forward distances start.
inline constexpr double kViewBehind = 7.0;
// A height difference d above the camera lifts a view row at distance f by
// d / ViewLiftDivisor(f) * kViewLiftScale frame rows.
double ViewLiftDivisor(double distance);
inline constexpr double kViewLiftScale = 583680.0;
// The most frame rows a view row is lifted or lowered.
inline constexpr int32_t kMaxLiftUp = 63;
inline constexpr int32_t kMaxLiftDown = 64;

struct ViewTables {
    // The tables' room, unfilled: both builds run before any view reads them.
    ViewTables();

    void BuildGroundTable();
    void BuildLiftTable();

    // The tables every view of this process reads: built on first use, never changed after,
    // so a second game (a race driven for its splits, say) neither builds nor holds them again.
    static const ViewTables& Shared();

    const int32_t* Ground(int32_t heading) const {
        return groundTable.get() + heading * kViewRows * kViewColumns;
    }

    std::unique_ptr<int32_t[]> groundTable;
    std::unique_ptr<int32_t[]> liftTable;
    // Extremes of all ground offsets over every heading (negated headings included), so the
    // renderer can tell once per frame whether every read stays inside its arrays.
    int32_t minOffset = 0;
    int32_t maxOffset = 0;
};

}  // namespace vantrell
