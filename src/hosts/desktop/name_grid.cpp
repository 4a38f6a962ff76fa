#include "hosts/desktop/name_grid.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "records/record_names.h"

namespace vantrell::desktop {

namespace {

enum CommandCell {
    CellCapitals,
    CellSmall,
    CellDigits,
    CellHiragana,
    CellKatakana,
    CellSpace,
    CellDelete,
    CellOk,
    kCommandCount
};

// The page switches name their pages by a few of their characters; the others by what they do.
const char* const kCommandLabels[kCommandCount] = {"ABC",  "abc", "123", "かな",
                                                   "カナ", "␣",   "⌫",   "OK"};

constexpr int kCellWidth = 22;
constexpr int kCellHeight = 20;

QStringList Range(char32_t first, char32_t last, const QString& extra = {}) {
    QStringList cells;
    for (char32_t c = first; c <= last; ++c) {
        const QString text = QString::fromUcs4(&c, 1);
        // Only what the record file can hold as typed.
        if (NameFits(text.toStdString())) {
            cells << text;
        }
    }
    for (const QChar c : extra) {
        cells << QString(c);
    }
    return cells;
}

}  // namespace

NameGrid::NameGrid(QWidget* parent, Actions actions)
    : QWidget(parent), actions_(std::move(actions)) {
    setObjectName("NameGrid");
    setFocusPolicy(Qt::StrongFocus);
    // A pad's directions all come here as arrow keys, not as moves between controls.
    setProperty("padArrows", true);
    pages_ << Range(U'A', U'Z') << Range(U'a', U'z') << Range(U'0', U'9', "-.!?&'/+*#")
           << Range(U'ぁ', U'ん', "ー") << Range(U'ァ', U'ヶ', "ー");
    setFixedSize(sizeHint());
}

int NameGrid::Rows() const {
    int most = 0;
    for (const QStringList& page : pages_) {
        most = std::max(most, static_cast<int>((page.size() + kColumns - 1) / kColumns));
    }
    return most;
}

QSize NameGrid::sizeHint() const {
    return {kColumns * kCellWidth + 1, (Rows() + 1) * kCellHeight + 5};
}

QStringList NameGrid::RowCells(int row) const {
    if (row == Rows()) {
        QStringList labels;
        for (const char* label : kCommandLabels) {
            labels << QString::fromUtf8(label);
        }
        // The one word among them, the dialog's own button's.
        labels[CellOk] = QCoreApplication::translate("Dialogs", "OK");
        return labels;
    }
    return pages_[page_].mid(row * kColumns, kColumns);
}

QRect NameGrid::CellRect(int row, int column) const {
    if (row == Rows()) {
        // The commands share the whole width, a little apart from the characters.
        const int width = kColumns * kCellWidth / kCommandCount;
        return {column * width, row * kCellHeight + 4, width, kCellHeight};
    }
    return {column * kCellWidth, row * kCellHeight, kCellWidth, kCellHeight};
}

void NameGrid::Choose(int row, int column) {
    row_ = std::clamp(row, 0, Rows());
    // A short row (the end of a page) has its last cell chosen; an empty one the commands.
    while (row_ < Rows() && RowCells(row_).isEmpty()) {
        ++row_;
    }
    column_ = std::clamp(column, 0, static_cast<int>(RowCells(row_).size()) - 1);
    update();
}

void NameGrid::Move(int dx, int dy) {
    if (dy != 0) {
        const int rows = Rows() + 1;
        int row = row_;
        // Round the ends, over the empty rows of a short page.
        do {
            row = (row + dy + rows) % rows;
        } while (row != Rows() && RowCells(row).isEmpty());
        // Down into the commands and back up keeps roughly the same place across.
        const QRect cell = CellRect(row_, column_);
        const int from = cell.x() + cell.width() / 2;
        const int across =
            row == Rows() ? from * kCommandCount / (kColumns * kCellWidth) : from / kCellWidth;
        row_ = row;
        column_ = std::clamp(across, 0, static_cast<int>(RowCells(row_).size()) - 1);
    } else {
        const int count = static_cast<int>(RowCells(row_).size());
        column_ = (column_ + dx + count) % count;
    }
    update();
}

void NameGrid::Pick() {
    if (row_ < Rows()) {
        actions_.type(RowCells(row_).value(column_));
        return;
    }
    switch (column_) {
        case CellSpace:
            actions_.type(QStringLiteral(" "));
            break;
        case CellDelete:
            actions_.erase();
            break;
        case CellOk:
            actions_.done();
            break;
        default:  // a page
            page_ = column_;
            update();
            break;
    }
}

void NameGrid::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left:
            Move(-1, 0);
            break;
        case Qt::Key_Right:
            Move(1, 0);
            break;
        case Qt::Key_Up:
            Move(0, -1);
            break;
        case Qt::Key_Down:
            Move(0, 1);
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            Pick();
            break;
        default:
            QWidget::keyPressEvent(event);  // Escape and the rest go on to the dialog
            return;
    }
    event->accept();
}

void NameGrid::mousePressEvent(QMouseEvent* event) {
    for (int row = 0; row <= Rows(); ++row) {
        for (int column = 0; column < RowCells(row).size(); ++column) {
            if (CellRect(row, column).contains(event->position().toPoint())) {
                row_ = row;
                column_ = column;
                setFocus();
                Pick();
                update();
                return;
            }
        }
    }
}

void NameGrid::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QPalette& colours = palette();
    painter.fillRect(rect(), colours.base());
    for (int row = 0; row <= Rows(); ++row) {
        const QStringList cells = RowCells(row);
        for (int column = 0; column < cells.size(); ++column) {
            const QRect cell = CellRect(row, column).adjusted(0, 0, -1, -1);
            const bool chosen = row == row_ && column == column_;
            const bool shownPage = row == Rows() && column == page_;
            if (chosen) {
                painter.fillRect(cell, hasFocus() ? colours.highlight() : colours.mid());
            } else if (row == Rows()) {
                painter.fillRect(cell, colours.button());
            }
            painter.setPen(colours.mid().color());
            painter.drawRect(cell);
            painter.setPen(chosen ? colours.highlightedText().color() : colours.text().color());
            QFont font = painter.font();
            font.setBold(shownPage);
            painter.setFont(font);
            painter.drawText(cell, Qt::AlignCenter, cells[column]);
        }
    }
}

}  // namespace vantrell::desktop
