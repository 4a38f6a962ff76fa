// The driver's-eye view: every view pixel looks up the course point it shows through the ground
// table, takes its colour from the stage picture and its height from the height field, and is
// lifted by the height difference to the camera through the lift table.
#pragma once

#include <cstdint>

#include "gfx/bitmap8.h"
#include "gfx/frame_layout.h"
#include "race/view_tables.h"
#include "world/terrain.h"

namespace vantrell {

constexpr int32_t kStagePictureWidth = 400;
constexpr int32_t kPictureRowOffset = 210;  // picture row y + 210 shows course row y
constexpr int32_t kViewTopFrameRow = 128;   // where view row 0 lands on level ground
// Lowest frame row the view can write (row 79 shifted 64 down, plus its five-pixel run), so a
// frame buffer must have at least this many rows plus one.
constexpr int32_t kViewLastFrameRow = kViewTopFrameRow + kViewRows - 1 + kMaxLiftDown + 5;

// Where course point (x, y) lies in the stage picture (rows stored bottom up), as a linear index
// in 64 bits: a camera far off the course must give an index the reads' bounds checks refuse,
// not one that wrapped.
constexpr int64_t PictureBase(int32_t pictureHeight, int32_t x, int32_t y) {
    return static_cast<int64_t>(kStagePictureWidth) *
               (static_cast<int64_t>(pictureHeight) - 1 - y - kPictureRowOffset) +
           x;
}

// Renders the view from course point (x, y) looking along viewHeading (0..63) with the given
// camera height into the frame buffer. Writes only view pixels; the caller clears the band.
// A picture that is not 400 wide, a frame buffer that is not 96 wide or too short, or a camera
// point so far out that the reads would leave the picture or the height field never leads to an
// out-of-bounds access: such pixels are skipped (and nothing is drawn for a wrong-sized picture).
void RenderView(const ViewTables& tables, const Bitmap8& stagePicture, const Terrain& terrain,
                Bitmap8& frameBuffer, int32_t x, int32_t y, int32_t viewHeading,
                int32_t cameraHeight);

}  // namespace vantrell
