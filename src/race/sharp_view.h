// The view in the finer picture modes (Sharp x2, Sharp x4, Wide): the original's camera and
// perspective sampled at `scale` times its rows and columns, drawn front to back so that each
// column is filled down to what nearer rows drew (no holes between far rows, no slab floating
// over black below a tall near bank). Colours are taken nearest, as in the original.
//
// Within a view row the course point is linear in the column, so the tables hold each row's
// first point and its step per column (32.32 fixed point) instead of a point per pixel; the
// renderer steps them in integers. Floating point only builds the tables.
#pragma once

#include <cstdint>
#include <vector>

#include "gfx/bitmap8.h"
#include "gfx/frame_layout.h"
#include "world/terrain.h"

namespace vantrell {

// One view row seen along one heading: course x and y of column 0 (plus a half, so that the
// floor rounds) and their steps per column, all in units of 2^-32 map units.
struct SharpRowStep {
    int64_t x0;
    int64_t xStep;
    int64_t y0;
    int64_t yStep;
};

struct SharpViewTables {
    explicit SharpViewTables(ViewMode mode);

    // The tables of each finer mode (Sharp x2's for the original, which has none), built on
    // first use and never changed after.
    static const SharpViewTables& Shared(ViewMode mode);

    const SharpRowStep* Steps(int32_t heading) const { return steps.data() + heading * rows; }

    ViewModeShape shape;
    int32_t rows = 0;     // view rows, far to near
    int32_t columns = 0;  // the band's columns
    // [heading 0..31][row]; headings 32..63 read the same offsets negated.
    std::vector<SharpRowStep> steps;
    // Band rows a view row moves down per unit the ground lies below the camera, 16.16.
    std::vector<int64_t> liftSlope;
    // Extremes of every course offset dx - 400 * dy the tables can give (negated headings too).
    int32_t minOffset = 0;
    int32_t maxOffset = 0;
};

// Renders the view from course point (x, y) along viewHeading (0..63), camera at cameraHeight,
// into `band` (the mode's band size; anything else draws nothing). Writes only view pixels; the
// caller clears the band. Reads outside the picture or the field are skipped, as in RenderView.
void RenderSharpView(const SharpViewTables& tables, const Bitmap8& stagePicture,
                     const Terrain& terrain, Bitmap8& band, int32_t x, int32_t y,
                     int32_t viewHeading, int32_t cameraHeight);

}  // namespace vantrell
