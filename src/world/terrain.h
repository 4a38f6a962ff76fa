// The course surface: a 41 x 41 grid of corner heights and a 40 x 40 grid of cell types, and the
// height field built from them: 400 columns (wrapping in x) by 820 stored rows, world y = 609
// down to -210. The course occupies rows 0..399 with ramps falling away above and below.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "io/file_bytes.h"

namespace vantrell {

constexpr int32_t kFieldWidth = 400;
constexpr int32_t kFieldRows = 820;
constexpr int32_t kFieldTopY = 609;      // world y of the first stored row
constexpr int32_t kFieldLowestY = -209;  // lowest world y HeightAt addresses directly
constexpr int32_t kCornerCount = 41;
constexpr int32_t kCellCount = 40;
constexpr int32_t kMaxCornerHeight = 128;

// Cell interpolations as the type file stores them; any other value is bilinear.
constexpr int32_t kCellSplitTopRight = 1;  // triangles split from top-right to bottom-left
constexpr int32_t kCellSplitTopLeft = 2;   // triangles split from top-left to bottom-right

// Linear index of world point (x, y) in the height field; (x + dx, y + dy) is at
// FieldIndex(x, y) + dx - 400 * dy.
constexpr int32_t FieldIndex(int32_t x, int32_t y) {
    return (kFieldTopY - y) * kFieldWidth + x;
}
// The same in 64 bits, for a point that may lie far off the field (the views' camera): its index
// then falls outside the field, where the reads' bounds checks refuse it, and never wraps.
constexpr int64_t FieldIndexWide(int32_t x, int32_t y) {
    return (static_cast<int64_t>(kFieldTopY) - y) * kFieldWidth + x;
}

struct Terrain {
    Terrain();

    // Reads MAP<n>.DAT-style corner heights (41 x 41 big-endian u16; above 128 stored as 0).
    // Returns 1, or -1 leaving the grid as it was. A file shorter than the full grid is refused
    // the same way: half a grid is corrupted data, not a smaller course.
    int LoadCornerHeights(const std::string& path);
    // Reads TYPE_<n>.DAT-style cell types (40 x 40 big-endian u16). Returns 1 or -1 as above;
    // row and column 40 are never touched.
    int LoadCellTypes(const std::string& path);
    // The same two readers for a file's bytes held in memory.
    int LoadCornerHeights(ByteSpan file);
    int LoadCellTypes(ByteSpan file);

    // Rebuilds the whole field from the two grids as they stand: the course, its ramps, and 0
    // everywhere else (so anything stamped in before is gone).
    void BuildHeightField();

    // The one lookup rule: x wraps round the course, y outside -209..609 reads row 200.
    // Callers keep x within -400..799, where one wrap is enough; anything further out (a runaway
    // craft) is reduced modulo 400 so the read always stays inside the field.
    int32_t HeightAt(int32_t x, int32_t y) const;

    int32_t* Field() { return heightField.get(); }
    const int32_t* Field() const { return heightField.get(); }

    // cornerHeights[i][j]: corner at world x = 10j, world y = 10i.
    std::array<std::array<int32_t, kCornerCount>, kCornerCount> cornerHeights{};
    // cellTypes[i][j]: type of the cell whose top-left corner is (i, j); row and column 40 unused.
    std::array<std::array<int32_t, kCornerCount>, kCornerCount> cellTypes{};
    // kFieldRows x kFieldWidth heights, zero at start.
    std::unique_ptr<int32_t[]> heightField;
};

}  // namespace vantrell
