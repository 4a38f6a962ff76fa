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

struct ViewTables {
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
