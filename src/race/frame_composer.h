// Composing one frame: the two craft and the checkpoint marker are stamped into the stage
// picture and the height field, the driver's-eye view is rendered into the 8-bit frame buffer
// from the first craft, and the stamps are taken out again, so the stage is as loaded between
// frames.
#pragma once

#include <array>
#include <cstdint>

#include "craft/craft.h"
#include "gfx/bitmap8.h"
#include "gfx/frame_layout.h"
#include "race/race_progress.h"
#include "race/sharp_view.h"
#include "race/stage.h"
#include "race/view_tables.h"

namespace vantrell {

class FrameComposer {
  public:
    // Sizes the frame buffer and the save buffers; the view tables are built with the first.
    FrameComposer();
    FrameComposer(const FrameComposer&) = delete;
    FrameComposer& operator=(const FrameComposer&) = delete;

    // The frame is shown through the stage picture's colours.
    void AdoptColours(const Bitmap8& stagePicture);
    // The first craft is stamped at (x1, y1), where the camera point was taken; the view
    // follows the first craft as it stands now.
    void Compose(Stage& stage, const CraftPair& crafts, int32_t x1, int32_t y1,
                 const CheckpointMarker& marker);

    // The view from course point (x, y) along `heading` with the camera at the ground there,
    // nothing stamped: the frame a race would compose there without the moving things.
    void RenderFrom(const Stage& stage, int32_t x, int32_t y, int32_t heading);

    // Which picture mode draws the following frames (the original unless told). Only the
    // picture changes: nothing the race keeps or records depends on it.
    void SetViewMode(ViewMode mode);
    ViewMode Mode() const { return mode_; }

    // The original's 96 x 416 frame buffer, or the finer mode's band (BandRectOf tells which).
    const Bitmap8& FrameBuffer() const {
        return mode_ == ViewMode::Original ? frameBuffer_ : band_;
    }
    const ViewTables& View() const { return view_; }

  private:
    // Clears the frame and draws the view in the current mode.
    void Draw(const Bitmap8& stagePicture, const Terrain& terrain, int32_t x, int32_t y,
              int32_t heading, int32_t cameraHeight);

    Bitmap8 frameBuffer_;
    Bitmap8 band_;  // the finer modes' picture
    ViewMode mode_ = ViewMode::Original;
    const SharpViewTables* sharp_ = nullptr;
    std::array<Bitmap8, 3> saveBuffers_;
    std::array<std::array<int32_t, 256>, 3> heightSaves_{};
    const ViewTables& view_ = ViewTables::Shared();
};

}  // namespace vantrell
