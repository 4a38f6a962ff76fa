#include "hosts/desktop/dialog_builder.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>

namespace vantrell::desktop {

QString DialogText(const char* text) {
    return QCoreApplication::translate("Dialogs", text);
}

QString ControlName(int id) {
    return QStringLiteral("id%1").arg(id);
}

DialogBuilder::DialogBuilder(QDialog& dialog, const QFont& font) : dialog_(dialog), units_(font) {
    dialog_.setFont(font);
}

void DialogBuilder::Frame(QWidget* owner, int x, int y, int width, int height) {
    dialog_.setFixedSize(units_.X(width), units_.Y(height));
    // Template positions count from the owner's client area (below its menu bar).
    QPoint origin(0, 0);
    if (owner != nullptr) {
        const auto* window = owner->window();
        const QWidget* client = window;
        if (const auto* main = qobject_cast<const QMainWindow*>(window)) {
            client = main->centralWidget() != nullptr ? main->centralWidget() : window;
        }
        origin = client->mapToGlobal(QPoint(0, 0));
    }
    dialog_.move(origin + QPoint(units_.X(x), units_.Y(y)));
}

template <typename Control>
Control* DialogBuilder::Place(Control* control, int id, int x, int y, int width, int height) {
    if (id != -1) {
        control->setObjectName(ControlName(id));
    }
    control->setGeometry(units_.Rect(x, y, width, height));
    return control;
}

QLabel* DialogBuilder::Static(const char* text, int x, int y, int width, int height,
                              Qt::Alignment alignment) {
    auto* label = new QLabel(DialogText(text), &dialog_);
    label->setAlignment(alignment | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    Place(label, -1, x, y, width, height);
    // A template line a little lower than the font would cut off the descenders.
    label->resize(label->width(), std::max(label->height(), label->fontMetrics().height()));
    return label;
}

QPushButton* DialogBuilder::Button(int id, const char* text, int x, int y, int width, int height,
                                   bool isDefault) {
    auto* button = new QPushButton(DialogText(text), &dialog_);
    button->setDefault(isDefault);
    // Only the template's default button answers Enter by itself.
    button->setAutoDefault(false);
    return Place(button, id, x, y, width, height);
}

QLineEdit* DialogBuilder::Edit(int id, int x, int y, int width, int height) {
    return Place(new QLineEdit(&dialog_), id, x, y, width, height);
}

QListWidget* DialogBuilder::List(int id, int x, int y, int width, int height,
                                 QAbstractItemView::SelectionMode selection) {
    auto* list = new QListWidget(&dialog_);
    list->setSelectionMode(selection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setUniformItemSizes(true);
    // The lines are padded with blanks to their columns; nothing may be cut off with "...".
    list->setTextElideMode(Qt::ElideNone);
    return Place(list, id, x, y, width, height);
}

QCheckBox* DialogBuilder::Check(int id, const char* text, int x, int y, int width, int height) {
    QCheckBox* box = Place(new QCheckBox(DialogText(text), &dialog_), id, x, y, width, height);
    // Where the font's text is a little wider than the template allowed, the box may reach
    // into the empty space on its right rather than cut its label off.
    const int room = dialog_.width() - box->x();
    box->resize(std::max(box->width(), std::min(box->sizeHint().width(), room)), box->height());
    return box;
}

QGroupBox* DialogBuilder::Group(const char* text, int x, int y, int width, int height,
                                bool centred) {
    auto* group = new QGroupBox(DialogText(text), &dialog_);
    group->setAlignment(centred ? Qt::AlignHCenter : Qt::AlignLeft);
    return Place(group, -1, x, y, width, height);
}

QScrollBar* DialogBuilder::HorizontalScroll(int id, int x, int y, int width, int height) {
    return Place(new QScrollBar(Qt::Horizontal, &dialog_), id, x, y, width, height);
}

}  // namespace vantrell::desktop
