#include "hosts/desktop/race_panel.h"

#include <QCoreApplication>
#include <QPainter>

#include <algorithm>
#include <vector>

#include "race/course_map.h"
#include "records/run_time.h"

namespace vantrell::desktop {

namespace {

constexpr int kMargin = 4;
const QColor kAhead(64, 224, 64);
const QColor kBehind(240, 64, 64);
const QColor kWrapMark(96, 224, 255);

}  // namespace

RacePanel::RacePanel(QWidget* parent) : QWidget(parent) {
    setObjectName("RacePanel");
    setFixedHeight(kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void RacePanel::Show(const RaceDisplay& display) {
    display_ = display;
    if (display.picture != nullptr && display.stage != mapStage_) {
        MakeMap(display);
    }
    update();
}

void RacePanel::SetSplitsShown(bool shown) {
    splitsShown_ = shown;
    update();
}

void RacePanel::SetScale(double scale) {
    scale = std::max(1.0, scale);
    if (scale == scale_) {
        return;
    }
    scale_ = scale;
    setFixedHeight(qRound(kHeight * scale_));
    if (display_.picture != nullptr) {
        MakeMap(display_);
    }
    update();
}

void RacePanel::MakeMap(const RaceDisplay& display) {
    const std::vector<uint8_t> rgba = CourseMapRgba(*display.picture);
    const QImage course(rgba.data(), kCourseMapSize, kCourseMapSize, QImage::Format_RGBA8888);
    // scaled() makes its own copy, so the bytes may go once it is done. Made at the size it is
    // shown, so a grown panel's map is as sharp as the small one's.
    const int side = qRound(kMapSize * scale_);
    map_ = course.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    mapStage_ = display.stage;
}

QRect RacePanel::MapRect() const {
    const int unscaledWidth = qRound(width() / scale_);
    return QRect(unscaledWidth - kMargin - kMapSize, (kHeight - kMapSize) / 2, kMapSize, kMapSize);
}

QPoint RacePanel::OnMap(const MapPoint& point) const {
    const MapPoint onMap = OnCourseMap(point, kMapSize);
    return MapRect().topLeft() + QPoint(onMap.x, onMap.y);
}

namespace {

QString Time(int32_t ticks) {
    return QString::fromStdString(TicksWithSeconds(ticks));
}

}  // namespace

QString RacePanel::ClockText() const {
    if (display_.missedShown) {
        return QCoreApplication::translate("RaceDisplay", "今回 %1").arg(Time(display_.missedTime));
    }
    if (!display_.timed) {
        return QCoreApplication::translate("RaceDisplay", "タイム --");
    }
    return QCoreApplication::translate("RaceDisplay", "タイム %1").arg(Time(display_.raceTicks));
}

QString RacePanel::LeftText() const {
    if (display_.missedShown) {
        return QCoreApplication::translate("RaceDisplay", "10位 %1")
            .arg(Time(display_.lastPlaceTime));
    }
    if (!display_.timed) {
        return QCoreApplication::translate("RaceDisplay", "残り --");
    }
    return QCoreApplication::translate("RaceDisplay", "残り %1").arg(Time(display_.ticksLeft));
}

QString RacePanel::CheckpointText() const {
    if (!display_.timed) {
        return QCoreApplication::translate("RaceDisplay", "チェックポイント --");
    }
    return QCoreApplication::translate("RaceDisplay", "チェックポイント %1/%2")
        .arg(display_.checkpointsPassed)
        .arg(kCheckpointCount);
}

QString RacePanel::SplitText() const {
    if (!splitsShown_ || !display_.splitShown) {
        return {};
    }
    const int split = display_.split;
    return split > 0 ? QStringLiteral("+%1").arg(split) : QString::number(split);
}

QString RacePanel::NoteText() const {
    // The status strip's banner keeps its own words; the panel says it in the player's.
    if (display_.timeUp) {
        return QCoreApplication::translate("RaceDisplay", "時間切れ");
    }
    const QString split = SplitText();
    if (!split.isEmpty() && display_.splitIsTotal) {
        return QCoreApplication::translate("RaceDisplay", "合計 %1").arg(split);
    }
    if (display_.hintShown) {
        return QCoreApplication::translate("RaceDisplay", kRaceHint);
    }
    return {};
}

void RacePanel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(16, 16, 24));
    painter.scale(scale_, scale_);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    QFont font = painter.font();
    font.setPixelSize(13);
    painter.setFont(font);
    const int line = 16;
    const int top = 4;
    const int textWidth = MapRect().left() - 2 * kMargin;
    const auto row = [&](int index, int indent = 0) {
        return QRect(kMargin + indent, top + index * line, textWidth - indent, line);
    };
    painter.setPen(Qt::white);
    painter.drawText(row(0), Qt::AlignLeft | Qt::AlignVCenter, ClockText());
    painter.drawText(row(1), Qt::AlignLeft | Qt::AlignVCenter, LeftText());
    const QString checkpoints = CheckpointText();
    painter.drawText(row(2), Qt::AlignLeft | Qt::AlignVCenter, checkpoints);
    const QString split = SplitText();
    // Ahead (fewer ticks than the reference) in green, behind in red.
    painter.setPen(display_.split <= 0 ? kAhead : kBehind);
    if (!split.isEmpty() && !display_.splitIsTotal) {
        const int after = painter.fontMetrics().horizontalAdvance(checkpoints + "  ");
        painter.drawText(row(2, after), Qt::AlignLeft | Qt::AlignVCenter, split);
    }
    if (display_.timeUp) {
        painter.setPen(Qt::white);
    }
    painter.drawText(row(3), Qt::AlignLeft | Qt::AlignVCenter, NoteText());

    const QRect map = MapRect();
    if (map_.isNull()) {
        painter.fillRect(map, Qt::black);
    } else {
        painter.drawImage(map, map_);
    }
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(map.adjusted(-1, -1, 0, 0));
    // Where the course runs over one side edge and comes back at the other: a notch on each.
    painter.setPen(Qt::NoPen);
    painter.setBrush(kWrapMark);
    for (int32_t i = 0; i < display_.wraps.count; ++i) {
        const int y = OnMap(MapPoint{0, display_.wraps.rows[static_cast<size_t>(i)]}).y();
        painter.drawRect(QRect(map.left() - 4, y - 2, 3, 5));
        painter.drawRect(QRect(map.right() + 2, y - 2, 3, 5));
    }
    if (display_.nextShown) {
        painter.setPen(QColor(255, 240, 0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(OnMap(display_.next) - QPoint(2, 2), QSize(4, 4)));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(64, 128, 255));
    painter.drawRect(QRect(OnMap(display_.second) - QPoint(1, 1), QSize(3, 3)));
    painter.setBrush(QColor(255, 48, 48));
    painter.drawRect(QRect(OnMap(display_.first) - QPoint(1, 1), QSize(3, 3)));
}

}  // namespace vantrell::desktop
