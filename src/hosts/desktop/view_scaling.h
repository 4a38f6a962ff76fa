// How the game's picture fills the view: stretched over all of it (the game's own way, and the
// default), kept in its shape with black borders, or drawn only at whole multiples of its size
// so every game pixel is the same number of screen pixels. Also the window-size choice and the
// picture mode (the original view or a finer one), all kept in the settings file.
#pragma once

#include <QRectF>
#include <QString>

#include <cstdint>

#include "gfx/frame_layout.h"

namespace vantrell::desktop {

enum class Scaling : int32_t { Stretch, KeepShape, WholeMultiples };

struct ViewSettings {
    Scaling scaling = Scaling::Stretch;
    int32_t windowScale = 1;  // the window at 1, 2 or 3 times its own size
    ViewMode mode = ViewMode::Original;
};

inline constexpr int32_t kMaxWindowScale = 3;

// Where a picture of pictureWidth x pictureHeight goes in area (logical pixels) on a screen of
// devicePixelRatio device pixels per logical pixel. Whole multiples count in device pixels, so
// they stay sharp on a scaled screen; a picture larger than the area is drawn at 1 x, centred.
QRectF PictureRect(const QRectF& area, int32_t pictureWidth, int32_t pictureHeight, Scaling scaling,
                   double devicePixelRatio);

// The stored choices; anything missing or not understood reads as the default.
ViewSettings LoadViewSettings(const QString& iniPath);
void StoreViewSettings(const QString& iniPath, const ViewSettings& settings);

}  // namespace vantrell::desktop
