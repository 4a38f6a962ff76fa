#include "race/sharp_view.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "craft/heading_tables.h"
#include "race/view.h"
#include "race/view_tables.h"

namespace vantrell {

namespace {

constexpr double kOne = 4294967296.0;  // 2^32: the course offsets' fixed point
constexpr double kLiftOne = 65536.0;   // 2^16: the lift slopes' fixed point
constexpr int64_t kFieldCells = static_cast<int64_t>(kFieldRows) * kFieldWidth;
// The original's nearest row draws itself and the five frame rows below; a finer mode's nearest
// row draws itself and five original rows' worth below.
constexpr int32_t kNearRun = 6;
// The widest band any mode draws, for the columns' state kept on the stack.
constexpr int32_t kWidestBand = ShapeOf(ViewMode::Wide).bandWidth;
static_assert(kWidestBand >= ShapeOf(ViewMode::Sharp4).bandWidth &&
              kWidestBand >= ShapeOf(ViewMode::Sharp2).bandWidth);
// The band row view row 0 lands on over level ground, at the original's scale.
constexpr int32_t kViewTopBandRow = kViewTopFrameRow - kBandTop;

int64_t Fixed(double value, double one) {
    return static_cast<int64_t>(std::llround(value * one));
}

int32_t Floor32(int64_t fixed) {
    return static_cast<int32_t>(fixed >> 32);  // arithmetic: the floor, negatives included
}

struct SharpFrame {
    const SharpViewTables* tables;
    const uint8_t* picture;
    int64_t pictureBytes;
    int64_t pictureBase;  // byte of (x, y + 210)
    const int32_t* field;
    int64_t fieldBase;  // cell of (x, y)
    uint8_t* band;
    int32_t width;
    int32_t height;
    int32_t cameraHeight;
};

// Front to back: `top[c]` is the highest band row column c holds so far (height when none).
// A point that lands above it fills the column from there down to it; one at or below it is
// hidden behind nearer ground. The nearest row, with nothing nearer, draws the original's run,
// and a bank lifted above the camera reaches down at least to where level ground ends, so it
// stands on something instead of floating over black.
template <int Sign, bool Checked>
void Render(const SharpFrame& v, const SharpRowStep* steps) {
    const SharpViewTables& t = *v.tables;
    std::array<int32_t, kWidestBand> top;
    std::fill(top.begin(), top.begin() + v.width, v.height);
    const int32_t scale = t.shape.scale;
    const int32_t stride = StrideFor(v.width);
    // Band row y of column c is at bottom - y * stride + c (the rows are stored bottom-up).
    uint8_t* bottom = v.band + static_cast<int64_t>(v.height - 1) * stride;
    // The original's bounds on the lift, in the band's rows.
    const int32_t liftUp = -kMaxLiftUp * scale;
    const int32_t liftDown = kMaxLiftDown * scale;
    const int32_t nearRun = (kNearRun - 1) * scale + 1;
    const int32_t nearEnd = scale * (kViewTopBandRow + kViewRows - 1 + kNearRun);
    for (int32_t r = t.rows - 1; r >= 0; --r) {
        const SharpRowStep& step = steps[r];
        const int64_t slope = t.liftSlope[r];
        const int32_t level = scale * kViewTopBandRow + r;
        // No point of this row lands higher than this: a column held up to it hides the row.
        const int32_t highest = level + liftUp;
        const bool nearest = r == t.rows - 1;
        int64_t ax = step.x0;
        int64_t ay = step.y0;
        for (int32_t c = 0; c < v.width; ++c, ax += step.xStep, ay += step.yStep) {
            const int32_t limit = top[c];
            if (limit <= highest) {
                continue;
            }
            const int32_t o = Sign * (Floor32(ax) - kFieldWidth * Floor32(ay));
            const int64_t p = v.pictureBase + o;
            const int64_t q = v.fieldBase + o;
            if constexpr (Checked) {
                if (p < 0 || p >= v.pictureBytes || q < 0 || q >= kFieldCells) {
                    continue;
                }
            }
            const int64_t below = static_cast<int64_t>(v.cameraHeight) - v.field[q];
            const auto y = static_cast<int32_t>(
                level + std::clamp<int64_t>((below * slope) >> 16, liftUp, liftDown));
            if (y >= limit) {
                continue;
            }
            const int32_t first = std::max(y, 0);
            const int32_t end = nearest ? std::min(limit, std::max(y + nearRun, nearEnd)) : limit;
            const uint8_t colour = v.picture[p];
            uint8_t* pixel = bottom - static_cast<int64_t>(first) * stride + c;
            for (int32_t row = first; row < end; ++row, pixel -= stride) {
                *pixel = colour;
            }
            top[c] = first;
        }
    }
}

}  // namespace

SharpViewTables::SharpViewTables(ViewMode mode) : shape(ShapeOf(mode)) {
    const int32_t scale = shape.scale;
    rows = kViewRows * scale;
    columns = shape.bandWidth;
    steps.resize(static_cast<size_t>(kViewHeadings) * rows);
    liftSlope.resize(rows);
    int64_t lo = 0;
    int64_t hi = 0;
    for (int32_t r = 0; r < rows; ++r) {
        const double f = ViewDistanceAt((r + 0.5) / scale);
        liftSlope[r] = Fixed(scale * kViewLiftScale / ViewLiftDivisor(f), kLiftOne);
        // Column 0's centre and the step between centres, in original columns (original column
        // c covers c - 0.5 .. c + 0.5 of the band).
        const double first = 0.5 / scale - 0.5 - shape.sideColumns;
        const double h0 = ViewSideOffset(first, f);
        const double hStep = ViewSideOffset(first + 1.0 / scale, f) - h0;
        for (int32_t j = 0; j < kViewHeadings; ++j) {
            const double s = std::sin(j * kHeadingStep);
            const double k = std::cos(j * kHeadingStep);
            SharpRowStep& step = steps[static_cast<size_t>(j) * rows + r];
            step.x0 = Fixed(k * (f - kViewBehind) - s * h0 + 0.5, kOne);
            step.y0 = Fixed(h0 * k + s * (f - kViewBehind) + 0.5, kOne);
            step.xStep = Fixed(-s * hStep, kOne);
            step.yStep = Fixed(k * hStep, kOne);
            // The offsets are linear along the row, so its two ends bound them.
            for (const int64_t c : {int64_t{0}, static_cast<int64_t>(columns - 1)}) {
                const int64_t dx = Floor32(step.x0 + c * step.xStep);
                const int64_t dy = Floor32(step.y0 + c * step.yStep);
                lo = std::min(lo, dx - kFieldWidth * dy);
                hi = std::max(hi, dx - kFieldWidth * dy);
            }
        }
    }
    // Floors along the row may reach one unit further than the ends' in either direction.
    lo -= kFieldWidth + 1;
    hi += kFieldWidth + 1;
    minOffset = static_cast<int32_t>(std::min(lo, -hi));
    maxOffset = static_cast<int32_t>(std::max(hi, -lo));
}

const SharpViewTables& SharpViewTables::Shared(ViewMode mode) {
    // Each built at its first use; the original has no finer tables and reads Sharp x2's.
    switch (mode) {
        case ViewMode::Sharp4: {
            static const SharpViewTables sharp4(ViewMode::Sharp4);
            return sharp4;
        }
        case ViewMode::Wide: {
            static const SharpViewTables wide(ViewMode::Wide);
            return wide;
        }
        case ViewMode::Original:
        case ViewMode::Sharp2:
            break;
    }
    static const SharpViewTables sharp2(ViewMode::Sharp2);
    return sharp2;
}

void RenderSharpView(const SharpViewTables& tables, const Bitmap8& stagePicture,
                     const Terrain& terrain, Bitmap8& band, int32_t x, int32_t y,
                     int32_t viewHeading, int32_t cameraHeight) {
    if (stagePicture.Width() != kStagePictureWidth || stagePicture.Height() <= 0 ||
        band.Width() != tables.shape.bandWidth || band.Height() != tables.shape.bandHeight) {
        return;
    }
    SharpFrame v;
    v.tables = &tables;
    v.picture = stagePicture.Pixels();
    v.pictureBytes = stagePicture.PixelBytes();
    v.pictureBase = PictureBase(stagePicture.Height(), x, y);
    v.field = terrain.Field();
    v.fieldBase = FieldIndexWide(x, y);
    v.band = band.Pixels();
    v.width = band.Width();
    v.height = band.Height();
    v.cameraHeight = cameraHeight;

    const int32_t u = ((viewHeading % 64) + 64) % 64;
    const SharpRowStep* steps = tables.Steps(u < kViewHeadings ? u : u - kViewHeadings);
    const bool inside = v.pictureBase + tables.minOffset >= 0 &&
                        v.pictureBase + tables.maxOffset < v.pictureBytes &&
                        v.fieldBase + tables.minOffset >= 0 &&
                        v.fieldBase + tables.maxOffset < kFieldCells;
    if (u < kViewHeadings) {
        inside ? Render<1, false>(v, steps) : Render<1, true>(v, steps);
    } else {
        inside ? Render<-1, false>(v, steps) : Render<-1, true>(v, steps);
    }
}

}  // namespace vantrell
