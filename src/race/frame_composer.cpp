#include "race/frame_composer.h"

#include "gfx/frame_layout.h"
#include "gfx/palette.h"
#include "race/view.h"

namespace vantrell {

namespace {

constexpr int32_t kFieldCells = kFieldRows * kFieldWidth;
constexpr int32_t kHalfSprite = 8;

// The 16 x 16 block of the height field whose first cell is (a, b), addressed with row stride
// 400 and no wrap. Cells that would fall outside the field are neither saved, stamped nor
// restored.
template <typename Visit>
void ForBlock(int32_t a, int32_t b, Visit visit) {
    const int32_t first = FieldIndex(a, b);
    for (int32_t r = 0; r < kSpriteSize; ++r) {
        for (int32_t c = 0; c < kSpriteSize; ++c) {
            const int32_t index = first + c - kFieldWidth * r;
            if (index >= 0 && index < kFieldCells) {
                visit(r, c, index);
            }
        }
    }
}

void SaveBlock(const int32_t* field, int32_t a, int32_t b, std::array<int32_t, 256>& save) {
    ForBlock(a, b, [&](int32_t r, int32_t c, int32_t i) { save[r * kSpriteSize + c] = field[i]; });
}

void RestoreBlock(int32_t* field, int32_t a, int32_t b, const std::array<int32_t, 256>& save) {
    ForBlock(a, b, [&](int32_t r, int32_t c, int32_t i) { field[i] = save[r * kSpriteSize + c]; });
}

bool Opaque(const Bitmap8& sheet, int32_t c, int32_t row) {
    return sheet.PixelAddress(c, row) != nullptr && sheet.GetPixel(c, row) != 255;
}

}  // namespace

FrameComposer::FrameComposer() {
    frameBuffer_.Resize(kFrameWidth, kFrameHeight);
    for (Bitmap8& buffer : saveBuffers_) {
        buffer.Resize(kSpriteSize, kSpriteSize);
    }
}

void FrameComposer::RenderFrom(const Stage& stage, int32_t x, int32_t y, int32_t heading) {
    Draw(stage.Picture(), stage.Ground(), x, y, heading, stage.Ground().HeightAt(x, y));
}

void FrameComposer::AdoptColours(const Bitmap8& stagePicture) {
    vantrell::AdoptColours(frameBuffer_, stagePicture);
    vantrell::AdoptColours(band_, stagePicture);
}

void FrameComposer::SetViewMode(ViewMode mode) {
    if (mode == mode_) {
        return;
    }
    mode_ = mode;
    if (mode == ViewMode::Original) {
        sharp_ = nullptr;
        band_.Resize(kSpriteSize, kSpriteSize);  // the finer band's memory is not kept
        return;
    }
    sharp_ = &SharpViewTables::Shared(mode);
    band_.Resize(sharp_->shape.bandWidth, sharp_->shape.bandHeight);
    band_.FillRect(0, 0, band_.Width(), band_.Height(), 0);
}

void FrameComposer::Draw(const Bitmap8& stagePicture, const Terrain& terrain, int32_t x, int32_t y,
                         int32_t heading, int32_t cameraHeight) {
    if (sharp_ == nullptr) {
        frameBuffer_.FillRect(0, kBandTop, kFrameWidth, kClearedRows, 0);
        RenderView(view_, stagePicture, terrain, frameBuffer_, x, y, heading, cameraHeight);
        return;
    }
    band_.FillRect(0, 0, band_.Width(), band_.Height(), 0);
    RenderSharpView(*sharp_, stagePicture, terrain, band_, x, y, heading, cameraHeight);
}

void FrameComposer::Compose(Stage& stage, const CraftPair& crafts, int32_t x1, int32_t y1,
                            const CheckpointMarker& marker) {
    Terrain& terrain = stage.terrain_;
    Bitmap8& stagePicture = stage.picture_;
    const Bitmap8& spriteSheet = stage.sprites_;
    const HeightProfiles& heightProfiles = stage.profiles_;
    const bool markerShown = marker.shown;
    const int32_t cx = marker.x;
    const int32_t cy = marker.y;
    int32_t* field = terrain.Field();
    const CraftState& second = crafts.second;
    const int32_t x2 = second.x;
    const int32_t y2 = second.y;

    // Everything is saved before anything is stamped, so the restores give back the course
    // exactly, whatever overlaps.
    SaveBlock(field, x2 - kHalfSprite, y2 - kHalfSprite, heightSaves_[1]);
    saveBuffers_[1].GrabFrom(&stagePicture, x2 - kHalfSprite, y2 + 202);
    SaveBlock(field, x1 - kHalfSprite, y1 - kHalfSprite, heightSaves_[0]);
    saveBuffers_[0].GrabFrom(&stagePicture, x1 - kHalfSprite, y1 + 202);
    if (markerShown) {
        SaveBlock(field, cx, cy, heightSaves_[2]);
        saveBuffers_[2].GrabFrom(&stagePicture, cx, cy + 210);
        const int32_t top = kSpriteSize * kMarkerFrame;
        ForBlock(cx, cy, [&](int32_t r, int32_t c, int32_t i) {
            if (Opaque(spriteSheet, c, top + r)) {
                field[i] += heightProfiles.At(kMarkerFrame, r, c);
            }
        });
        spriteSheet.BlitKeyed(&stagePicture, cx, cy + 210, kSpriteSize, kSpriteSize, 0, top);
    }
    auto stampCraft = [&](const CraftState& craft, int32_t frame) {
        const int32_t top = kSpriteSize * frame;
        ForBlock(craft.x - kHalfSprite, craft.y - kHalfSprite,
                 [&](int32_t r, int32_t c, int32_t i) {
                     if (Opaque(spriteSheet, c, top + r)) {
                         field[i] = heightProfiles.At(frame, r, c) + craft.ground;
                     }
                 });
        spriteSheet.BlitKeyed(&stagePicture, craft.x - kHalfSprite, craft.y + 202, kSpriteSize,
                              kSpriteSize, 0, top);
    };
    stampCraft(second, second.heading / 2 + 32);
    // The first craft is stamped where the camera point was taken (on the tick a demonstration
    // replay starts, that is where it idled, not where the reset put it).
    CraftState first = crafts.first;
    first.x = x1;
    first.y = y1;
    stampCraft(first, crafts.first.heading / 2);

    // The view follows the first craft as it stands now.
    const int32_t vx = crafts.first.x;
    const int32_t vy = crafts.first.y;
    Draw(stagePicture, terrain, vx, vy, crafts.first.viewHeading, terrain.HeightAt(vx, vy));

    RestoreBlock(field, x1 - kHalfSprite, y1 - kHalfSprite, heightSaves_[0]);
    saveBuffers_[0].PutTo(&stagePicture, x1 - kHalfSprite, y1 + 202);
    RestoreBlock(field, x2 - kHalfSprite, y2 - kHalfSprite, heightSaves_[1]);
    saveBuffers_[1].PutTo(&stagePicture, x2 - kHalfSprite, y2 + 202);
    if (markerShown) {
        RestoreBlock(field, cx, cy, heightSaves_[2]);
        saveBuffers_[2].PutTo(&stagePicture, cx, cy + 210);
    }
}

}  // namespace vantrell
