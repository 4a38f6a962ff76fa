#include "race/view.h"

#include <algorithm>

namespace vantrell {

namespace {

constexpr int64_t kFieldCells = static_cast<int64_t>(kFieldRows) * kFieldWidth;

struct ViewFrame {
    const uint8_t* picture;
    int64_t pictureBytes;
    int64_t pictureBase;  // byte of (x, y + 210)
    const int32_t* field;
    int64_t fieldBase;  // cell of (x, y)
    uint8_t* frame;
    int32_t frameRows;
    const int32_t* lift;
    int32_t cameraHeight;
};

// Height differences beyond the lift table's reach are drawn as its extreme rows instead of
// reading a neighbouring row (or past the table).
inline int32_t LiftIndex(int32_t h, int32_t cameraHeight) {
    const int64_t d = static_cast<int64_t>(h) - cameraHeight;
    return kLiftCentre +
           static_cast<int32_t>(std::clamp<int64_t>(d, -kLiftCentre, kLiftSpan - kLiftCentre - 1));
}

// Writes the pixel and the five below it in the same column (six rows in all).
inline void PutRun(uint8_t* target, uint8_t colour) {
    for (int32_t i = 0; i < 6; ++i) {
        target[-i * kFrameWidth] = colour;
    }
}

inline uint8_t* FrameRow(const ViewFrame& v, int32_t row) {
    return v.frame + static_cast<int64_t>(v.frameRows - 1 - row) * kFrameWidth;
}

// The common case: every read is known to be inside its array, so the loop does nothing but
// the lookups.
template <int Sign>
void RenderInside(const ViewFrame& v, const int32_t* entries) {
    const uint8_t* picture = v.picture + v.pictureBase;
    const int32_t* field = v.field + v.fieldBase;
    for (int32_t r = 0; r < kViewRows; ++r) {
        const int32_t* row = entries + r * kViewColumns;
        const int32_t* lift = v.lift + r * kLiftSpan;
        uint8_t* target = FrameRow(v, kViewTopFrameRow + r);
        for (int32_t c = 0; c < kViewColumns; ++c) {
            const int32_t o = Sign * row[c];
            PutRun(target + c + lift[LiftIndex(field[o], v.cameraHeight)], picture[o]);
        }
    }
}

// A camera point near or beyond the ends of the picture or the field: check every read.
template <int Sign>
void RenderChecked(const ViewFrame& v, const int32_t* entries) {
    for (int32_t r = 0; r < kViewRows; ++r) {
        const int32_t* row = entries + r * kViewColumns;
        const int32_t* lift = v.lift + r * kLiftSpan;
        uint8_t* target = FrameRow(v, kViewTopFrameRow + r);
        for (int32_t c = 0; c < kViewColumns; ++c) {
            const int64_t o = Sign * static_cast<int64_t>(row[c]);
            const int64_t p = v.pictureBase + o;
            const int64_t q = v.fieldBase + o;
            if (p < 0 || p >= v.pictureBytes || q < 0 || q >= kFieldCells) {
                continue;
            }
            PutRun(target + c + lift[LiftIndex(v.field[q], v.cameraHeight)], v.picture[p]);
        }
    }
}

}  // namespace

void RenderView(const ViewTables& tables, const Bitmap8& stagePicture, const Terrain& terrain,
                Bitmap8& frameBuffer, int32_t x, int32_t y, int32_t viewHeading,
                int32_t cameraHeight) {
    // The offsets assume 400-byte picture rows and 96-byte frame rows.
    if (stagePicture.Width() != kStagePictureWidth || frameBuffer.Width() != kFrameWidth ||
        frameBuffer.Height() <= kViewLastFrameRow || stagePicture.Height() <= 0) {
        return;
    }
    ViewFrame v;
    v.picture = stagePicture.Pixels();
    v.pictureBytes = stagePicture.PixelBytes();
    v.pictureBase = PictureBase(stagePicture.Height(), x, y);
    v.field = terrain.Field();
    v.fieldBase = FieldIndexWide(x, y);
    v.frame = frameBuffer.Pixels();
    v.frameRows = frameBuffer.Height();
    v.lift = tables.liftTable.get();
    v.cameraHeight = cameraHeight;

    const int32_t u = ((viewHeading % 64) + 64) % 64;
    const int32_t* entries = tables.Ground(u < kViewHeadings ? u : u - kViewHeadings);
    const bool inside = v.pictureBase + tables.minOffset >= 0 &&
                        v.pictureBase + tables.maxOffset < v.pictureBytes &&
                        v.fieldBase + tables.minOffset >= 0 &&
                        v.fieldBase + tables.maxOffset < kFieldCells;
    if (u < kViewHeadings) {
        inside ? RenderInside<1>(v, entries) : RenderChecked<1>(v, entries);
    } else {
        inside ? RenderInside<-1>(v, entries) : RenderChecked<-1>(v, entries);
    }
}

}  // namespace vantrell
