#include "hosts/desktop/game_view.h"

#include <QCoreApplication>
#include <QPainter>

#include <algorithm>

#include "gfx/status_text.h"
#include "hosts/desktop/ui_fonts.h"

namespace vantrell::desktop {

QImage BandImage(const Bitmap8& frameBuffer) {
    const BandRect rect = BandRectOf(frameBuffer.Width(), frameBuffer.Height());
    QImage band(rect.width, rect.height, QImage::Format_Indexed8);
    QList<QRgb> colours(256);
    const RgbQuad* table = frameBuffer.Colours();
    for (int i = 0; i < 256; ++i) {
        colours[i] = qRgb(table[i].red, table[i].green, table[i].blue);
    }
    band.setColorTable(colours);
    band.fill(0);
    const int width = std::min(rect.width, frameBuffer.Width());
    const int rows = std::clamp(frameBuffer.Height() - rect.top, 0, rect.height);
    for (int y = 0; y < rows; ++y) {
        // PixelAddress counts y from the top of the picture, whatever the memory order.
        const uint8_t* source = frameBuffer.PixelAddress(0, rect.top + y);
        std::copy(source, source + width, band.scanLine(y));
    }
    return band;
}

bool IsHalfWidth(char32_t ch) {
    // ASCII and the half-width katakana are single bytes in Shift-JIS.
    return ch < 0x80 || (ch >= 0xFF61 && ch <= 0xFF9F);
}

GameView::GameView(QWidget* parent) : QWidget(parent) {
    // Everything is painted here every time; nothing behind needs clearing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

QRect GameView::ViewRect() const {
    return QRect(0, 0, width(), std::max(0, StatusStripTop(height())));
}

QRectF GameView::PictureRect() const {
    return desktop::PictureRect(ViewRect(), shape_.bandWidth / shape_.scale,
                                shape_.bandHeight / shape_.scale, scaling_, devicePixelRatioF());
}

void GameView::SetViewMode(ViewMode mode) {
    shape_ = ShapeOf(mode);
    update();
}

void GameView::SetScaling(Scaling scaling) {
    scaling_ = scaling;
    update();
}

QRect GameView::StripRect() const {
    return QRect(0, StatusStripTop(height()), width(), kStatusStripHeight);
}

void GameView::Present(const Bitmap8& frameBuffer) {
    // Whole rows copied into the indexed image; its colours reach the screen as the painter
    // scales it, with no conversion of our own.
    band_ = BandImage(frameBuffer);
    ++presentCount_;
    update(ViewRect());
}

void GameView::PaintStatus(const QString& text, int32_t widthUnits) {
    status_ = text;
    statusUnits_ = widthUnits;
    update(StripRect());
}

void GameView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QRect view = ViewRect();
    if (band_.isNull()) {
        painter.fillRect(view, Qt::gray);  // the window's background before the first frame
    } else {
        const QRectF picture = PictureRect();
        if (picture != QRectF(view)) {
            painter.fillRect(view, Qt::black);  // the borders around a picture kept in shape
        }
        // Without SmoothPixmapTransform the scaling samples the nearest pixel: hard edges at
        // any window size.
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(picture, band_);
    }
    if (paused_ && paused_()) {
        PaintPauseMark(painter, view);
    }

    painter.fillRect(StripRect(), Qt::black);
    if (status_.isEmpty()) {
        return;
    }
    painter.setFont(StatusFont());
    painter.setPen(Qt::white);
    const int cellHeight = 20;
    const int top = StatusTextY(height());
    // Each character gets its own cell, 10 pixels per width unit, so the text sits where the
    // centring rule says whatever the font's own advances are.
    int x = StatusTextX(width(), statusUnits_);
    for (const char32_t ch : status_.toUcs4()) {
        const int units = IsHalfWidth(ch) ? 1 : 2;
        const QString glyph = QString::fromUcs4(&ch, 1);
        painter.drawText(QRect(x, top, units * kStatusPixelsPerUnit + 10, cellHeight),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, glyph);
        x += units * kStatusPixelsPerUnit;
    }
}

void GameView::SetMarkScale(double scale) {
    markScale_ = std::max(1.0, scale);
    update();
}

void GameView::PaintPauseMark(QPainter& painter, const QRect& view) {
    // White on a black plate, so it reads on any part of the course.
    QFont font = StatusFont();
    font.setBold(true);
    font.setPixelSize(qRound(font.pixelSize() * markScale_));
    painter.setFont(font);
    // "PAUSE" in both languages, as the mark is known.
    const QString text = QCoreApplication::translate("GameView", "PAUSE");
    const int padX = qRound(8 * markScale_);
    const int padY = qRound(4 * markScale_);
    QRect plate = painter.fontMetrics().boundingRect(text).adjusted(-padX, -padY, padX, padY);
    plate.moveCenter(view.center());
    pauseMark_ = plate;
    painter.fillRect(plate, Qt::black);
    painter.setPen(Qt::white);
    painter.drawText(plate, Qt::AlignCenter, text);
}

}  // namespace vantrell::desktop
