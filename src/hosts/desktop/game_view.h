// The main window's client area: the frame buffer's band over everything but the bottom 22
// pixels (stretched, unless the player chose another scaling), and the status strip in those
// 22 pixels.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>

#include "gfx/bitmap8.h"
#include "gfx/frame_layout.h"
#include "hosts/desktop/view_scaling.h"

class QPainter;

namespace vantrell::desktop {

// The frame buffer's band (BandRectOf: rows 108..227 of the original's, a finer mode's whole
// buffer) as an indexed image with the frame buffer's colour table. A frame buffer too small
// for the band leaves the missing pixels at index 0.
QImage BandImage(const Bitmap8& frameBuffer);

// Whether a character counts one width unit (10 pixels) in the strip rather than two: the
// characters that take one byte in the Shift-JIS code page.
bool IsHalfWidth(char32_t ch);

class GameView final : public QWidget {
  public:
    explicit GameView(QWidget* parent = nullptr);

    void Present(const Bitmap8& frameBuffer);
    void PaintStatus(const QString& text, int32_t widthUnits);
    // Asked at every paint: while it says so, a "PAUSE" mark is drawn over the view (over the
    // window, not into the game's picture). Call update() when the answer changes.
    void SetPausedQuery(std::function<bool()> paused) { paused_ = std::move(paused); }
    // The "PAUSE" mark drawn this many times its size (at least 1), to grow with the picture in
    // full screen; and where it was last drawn.
    void SetMarkScale(double scale);
    QRect PauseMarkRect() const { return pauseMark_; }

    // How the band fills the view; stretched over all of it unless set otherwise.
    void SetScaling(Scaling scaling);
    Scaling CurrentScaling() const { return scaling_; }
    // The picture mode whose shape keeping it and whole multiples go by (in the original's
    // pixels: a sharp band keeps the original's shape, Wide's is 16:9).
    void SetViewMode(ViewMode mode);

    // The view (everything above the strip) and the strip, for the current size, and where in
    // the view the band is drawn (the rest is black).
    QRect ViewRect() const;
    QRectF PictureRect() const;
    QRect StripRect() const;
    const QImage& Band() const { return band_; }
    const QString& StatusText() const { return status_; }
    int32_t StatusUnits() const { return statusUnits_; }
    int32_t PresentCount() const { return presentCount_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void PaintPauseMark(QPainter& painter, const QRect& view);

    std::function<bool()> paused_;
    Scaling scaling_ = Scaling::Stretch;
    ViewModeShape shape_ = ShapeOf(ViewMode::Original);
    QImage band_;  // indexed, as presented; the painter scales it straight to the screen
    QString status_;
    int32_t statusUnits_ = 0;
    int32_t presentCount_ = 0;
    double markScale_ = 1.0;
    QRect pauseMark_;
};

}  // namespace vantrell::desktop
