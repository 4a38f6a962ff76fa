#include "hosts/desktop/dialog_fit.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QSpacerItem>

#include <algorithm>

namespace vantrell::desktop {

namespace {

// The caption's icon and its three buttons, and the window system's padding around the title;
// generous, since the window system's caption font is not ours to know.
constexpr int kCaptionChrome = 120;
// Room kept to the right of a widened text, as the templates keep at their left.
constexpr int kTextMargin = 8;
constexpr char kFitted[] = "vantrellFitted";

// A message box sizes itself when it shows, from its layout: a spacer as wide as the title
// makes that layout ask for the room.
void FitMessageBox(QMessageBox& box, int room) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr || box.property(kFitted).toBool()) {
        return;
    }
    box.setProperty(kFitted, true);
    const QMargins margins = grid->contentsMargins();
    const int width = std::max(0, room - margins.left() - margins.right());
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

// A dialog built from a template: each text widened to its own width, the dialog to the
// widest text and to its title.
void FitTemplateDialog(QDialog& dialog, int room) {
    int needed = room;
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->wordWrap() || label->text().isEmpty() || label->parentWidget() != &dialog) {
            continue;
        }
        const int textWidth = label->sizeHint().width();
        if (textWidth > label->width()) {
            label->resize(textWidth, label->height());
        }
        needed = std::max(needed, label->geometry().right() + 1 + kTextMargin);
    }
    if (needed <= dialog.width()) {
        return;
    }
    if (dialog.minimumWidth() == dialog.maximumWidth()) {
        dialog.setFixedWidth(needed);
    } else {
        dialog.setMinimumWidth(needed);
        dialog.resize(needed, dialog.height());
    }
}

}  // namespace

int TitleRoom(const QWidget& window) {
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(window.windowTitle()) + kCaptionChrome;
}

DialogFit::DialogFit(QObject* parent) : QObject(parent) {
    qApp->installEventFilter(this);
}

bool DialogFit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show) {
        auto* dialog = qobject_cast<QDialog*>(watched);
        // A dialog without a caption has no title to fit.
        if (dialog != nullptr && dialog->isWindow() &&
            !dialog->windowFlags().testFlag(Qt::FramelessWindowHint)) {
            const int room = dialog->windowTitle().isEmpty() ? 0 : TitleRoom(*dialog);
            if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
                FitMessageBox(*box, room);
            } else if (dialog->layout() == nullptr) {
                FitTemplateDialog(*dialog, room);
            } else if (dialog->width() < room) {
                dialog->setMinimumWidth(room);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace vantrell::desktop
