#include "hosts/desktop/pad_menus.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

#include "hosts/desktop/main_window.h"

namespace vantrell::desktop {

namespace {

constexpr int kPollMs = 30;
// A held direction moves again after about 400 ms, then every 120 ms, as a held key repeats.
constexpr int kFirstRepeatPolls = 13;
constexpr int kRepeatPolls = 4;

PadNavigation Either(const PadNavigation& a, const PadNavigation& b) {
    PadNavigation nav;
    nav.up = a.up || b.up;
    nav.down = a.down || b.down;
    nav.left = a.left || b.left;
    nav.right = a.right || b.right;
    nav.accept = a.accept || b.accept;
    nav.back = a.back || b.back;
    nav.menu = a.menu || b.menu;
    return nav;
}

// A widget that takes all four arrows itself (the name box's grid says so by a property).
bool TakesArrows(const QWidget* widget) {
    return widget->property("padArrows").toBool();
}

}  // namespace

PadMenus::PadMenus(MainWindow& window, SdlJoysticks& sticks) : window_(window), sticks_(sticks) {
    qApp->installEventFilter(this);
    connect(&poll_, &QTimer::timeout, this, [this] { Poll(); });
    poll_.start(kPollMs);
}

bool PadMenus::eventFilter(QObject* watched, QEvent* event) {
    // Only a person's keys and clicks count, not the keys this object sends.
    const QEvent::Type type = event->type();
    if ((type == QEvent::KeyPress || type == QEvent::MouseButtonPress) && event->spontaneous()) {
        lastWasPad_ = false;
    }
    return QObject::eventFilter(watched, event);
}

void PadMenus::Poll() {
    if (window_.Destroyed()) {
        return;
    }
    const PadNavigation now = Either(sticks_.Navigation(0), sticks_.Navigation(1));
    const PadNavigation was = held_;
    held_ = now;
    if (now.Any()) {
        lastWasPad_ = true;
    }
    if (now.menu && !was.menu) {
        ToggleMenu();
        return;
    }
    if (Target() == nullptr) {
        return;  // the pad drives
    }
    const int dx = (now.right ? 1 : 0) - (now.left ? 1 : 0);
    const int dy = (now.down ? 1 : 0) - (now.up ? 1 : 0);
    const bool turned =
        now.up != was.up || now.down != was.down || now.left != was.left || now.right != was.right;
    if (dx != 0 || dy != 0) {
        if (turned) {
            repeatIn_ = kFirstRepeatPolls;
            Move(dx, dy);
        } else if (--repeatIn_ <= 0) {
            repeatIn_ = kRepeatPolls;
            Move(dx, dy);
        }
    }
    if (now.accept && !was.accept) {
        Accept();
    } else if (now.back && !was.back) {
        Back();
    }
}

void PadMenus::ToggleMenu() {
    QMenuBar* bar = window_.menuBar();
    // A bar left lit by Escape, with no menu open, opens again rather than closing.
    if (QApplication::activePopupWidget() != nullptr) {
        while (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
        }
        bar->setActiveAction(nullptr);
        return;
    }
    // Not over a dialog, and not into a window that is not the player's.
    if (QApplication::activeModalWidget() != nullptr || !window_.isActiveWindow() ||
        bar->actions().isEmpty()) {
        return;
    }
    bar->setActiveAction(bar->actions().first());
    if (QMenu* menu = bar->actions().first()->menu()) {
        // The first entry selected, as the keyboard opens a menu.
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator() && action->isEnabled()) {
                menu->setActiveAction(action);
                break;
            }
        }
    }
}

QWidget* PadMenus::Target() const {
    if (QWidget* popup = QApplication::activePopupWidget()) {
        return popup;
    }
    if (QWidget* modal = QApplication::activeModalWidget()) {
        // The dialog's own focus widget, which is the one that takes keys once it is active.
        QWidget* focus = modal->focusWidget();
        return focus != nullptr ? focus : modal;
    }
    QMenuBar* bar = window_.menuBar();
    return bar->activeAction() != nullptr ? bar : nullptr;
}

void PadMenus::Move(int dx, int dy) {
    QWidget* target = Target();
    const bool inDialog = QApplication::activePopupWidget() == nullptr &&
                          QApplication::activeModalWidget() != nullptr;
    const int arrow = dy < 0   ? Qt::Key_Up
                      : dy > 0 ? Qt::Key_Down
                      : dx < 0 ? Qt::Key_Left
                               : Qt::Key_Right;
    if (!inDialog || TakesArrows(target)) {
        SendKey(target, arrow);
        return;
    }
    // In a dialog a list takes up and down, a slider left and right; every other move goes
    // to the previous or next control, as Tab does.
    const bool list = qobject_cast<QAbstractItemView*>(target) != nullptr;
    const bool slider = qobject_cast<QAbstractSlider*>(target) != nullptr;
    if ((list && dy != 0) || (slider && dx != 0)) {
        SendKey(target, arrow);
    } else if (dy < 0 || (dy == 0 && dx < 0)) {
        SendKey(target, Qt::Key_Backtab, Qt::ShiftModifier);
    } else {
        SendKey(target, Qt::Key_Tab);
    }
}

void PadMenus::Accept() {
    QWidget* target = Target();
    if (auto* button = qobject_cast<QAbstractButton*>(target);
        button != nullptr && QApplication::activePopupWidget() == nullptr) {
        // Later, from the event loop: a click may open a dialog, whose own loop must find this
        // object's timer free to fire.
        QMetaObject::invokeMethod(button, &QAbstractButton::click, Qt::QueuedConnection);
        return;
    }
    SendKey(target, Qt::Key_Return);
}

void PadMenus::Back() {
    SendKey(Target(), Qt::Key_Escape);
}

void PadMenus::SendKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers) {
    if (target == nullptr) {
        return;
    }
    // Posted, not sent, for the same reason as a click.
    QApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, modifiers));
    QApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, modifiers));
}

}  // namespace vantrell::desktop
