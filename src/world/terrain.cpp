#include "world/terrain.h"

#include <algorithm>

namespace vantrell {

namespace {

constexpr int32_t kCellSize = 10;
constexpr int32_t kCourseRows = 400;
constexpr int32_t kUpperRampRows = 70;  // y = -1 .. -70
constexpr int32_t kLowerRampRows = 71;  // y = 400 .. 470
constexpr int32_t kRampFall = 2;
constexpr int32_t kOffFieldRow = 200;

// Height at offset (kx, ky) inside a cell with corners a (top-left), b (right of a), c (below a)
// and d (diagonal). The products are formed in 64 bits so that corner values set directly (not
// through the loader's 0..128 clamp) cannot overflow; for real course data the result is the same.
int32_t CellHeight(int32_t type, int64_t a, int64_t b, int64_t c, int64_t d, int64_t kx,
                   int64_t ky) {
    int64_t h;
    if (type == kCellSplitTopRight) {
        if (kx + ky < kCellSize) {
            h = (10 * a + kx * (b - a) + ky * (c - a)) / 10;
        } else {
            h = (10 * (b + c - d) + kx * (d - c) + ky * (d - b)) / 10;
        }
    } else if (type == kCellSplitTopLeft) {
        if (kx > ky) {
            h = (10 * a + kx * (b - a) + ky * (d - b)) / 10;
        } else {
            h = (10 * a + kx * (d - c) + ky * (c - a)) / 10;
        }
    } else {
        h = (kx * ((10 - ky) * b + ky * d) + (10 - kx) * ((10 - ky) * a + ky * c)) / 100;
    }
    return static_cast<int32_t>(h);
}

// One ramp step: two lower than the row beside it, never below 0. Written as a comparison so a
// very negative neighbour cannot overflow.
int32_t RampBelow(int32_t neighbour) {
    return neighbour > kRampFall ? neighbour - kRampFall : 0;
}

}  // namespace

Terrain::Terrain() : heightField(new int32_t[kFieldRows * kFieldWidth]()) {}

void Terrain::BuildHeightField() {
    int32_t* field = heightField.get();

    // Everything outside the course and its ramps is flat; clearing the whole block first also
    // wipes whatever the previous stage stamped there.
    std::fill(field, field + kFieldRows * kFieldWidth, 0);

    for (int32_t i = 0; i < kCellCount; ++i) {
        for (int32_t j = 0; j < kCellCount; ++j) {
            const int32_t type = cellTypes[i][j];
            const int32_t a = cornerHeights[i][j];
            const int32_t b = cornerHeights[i][j + 1];
            const int32_t c = cornerHeights[i + 1][j];
            const int32_t d = cornerHeights[i + 1][j + 1];
            for (int32_t ky = 0; ky < kCellSize; ++ky) {
                int32_t* row = field + FieldIndex(kCellSize * j, kCellSize * i + ky);
                for (int32_t kx = 0; kx < kCellSize; ++kx) {
                    row[kx] = CellHeight(type, a, b, c, d, kx, ky);
                }
            }
        }
    }

    // Each ramp row falls from the row nearer the course, so the rows are built outward in order.
    for (int32_t y = -1; y >= -kUpperRampRows; --y) {
        int32_t* row = field + FieldIndex(0, y);
        const int32_t* nearer = field + FieldIndex(0, y + 1);
        for (int32_t x = 0; x < kFieldWidth; ++x) {
            row[x] = RampBelow(nearer[x]);
        }
    }
    for (int32_t y = kCourseRows; y < kCourseRows + kLowerRampRows; ++y) {
        int32_t* row = field + FieldIndex(0, y);
        const int32_t* nearer = field + FieldIndex(0, y - 1);
        for (int32_t x = 0; x < kFieldWidth; ++x) {
            row[x] = RampBelow(nearer[x]);
        }
    }
}

int32_t Terrain::HeightAt(int32_t x, int32_t y) const {
    if (x < 0) {
        x += kFieldWidth;
    } else if (x > kFieldWidth - 1) {
        x -= kFieldWidth;
    }
    // One wrap covers every caller that keeps x within -400..799. A craft thrown far off the
    // course by broken data would otherwise read outside the field.
    if (x < 0 || x > kFieldWidth - 1) {
        x = ((x % kFieldWidth) + kFieldWidth) % kFieldWidth;
    }
    if (y < kFieldLowestY || y > kFieldTopY) {
        y = kOffFieldRow;
    }
    return heightField[FieldIndex(x, y)];
}

}  // namespace vantrell
