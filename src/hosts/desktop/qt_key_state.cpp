#include "hosts/desktop/qt_key_state.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>

namespace vantrell::desktop {

int32_t VirtualKeyFor(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Shift:
            return kKeyShift;
        case Qt::Key_Control:
            return kKeyControl;
        case Qt::Key_Left:
            return kKeyLeft;
        case Qt::Key_Up:
            return kKeyUp;
        case Qt::Key_Right:
            return kKeyRight;
        case Qt::Key_Down:
            return kKeyDown;
        case Qt::Key_A:
            return kKeyA;
        case Qt::Key_D:
            return kKeyD;
        case Qt::Key_S:
            return kKeyS;
        case Qt::Key_W:
            return kKeyW;
        case Qt::Key_X:
            return kKeyX;
        default:
            return -1;
    }
}

QtKeyState::QtKeyState() {
    QCoreApplication::instance()->installEventFilter(this);
}

QtKeyState::~QtKeyState() {
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeEventFilter(this);
    }
}

bool QtKeyState::DownOrPressedSinceLastAsked(int32_t virtualKey) {
    if (!Valid(virtualKey)) {
        return false;
    }
    Key& key = keys_[virtualKey];
    const bool result = key.down || key.pressedSince;
    key.pressedSince = false;
    return result;
}

void QtKeyState::Press(int32_t virtualKey) {
    if (Valid(virtualKey)) {
        keys_[virtualKey].down = true;
        keys_[virtualKey].pressedSince = true;
    }
}

void QtKeyState::Release(int32_t virtualKey) {
    if (Valid(virtualKey)) {
        keys_[virtualKey].down = false;
    }
}

void QtKeyState::ReleaseAll() {
    keys_.fill(Key{});
}

bool QtKeyState::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            // Qt hands one event to the window, the focus widget and its parents in turn, so
            // this sees it several times; pressing or releasing twice changes nothing.
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->isAutoRepeat()) {
                break;  // the key has been down all along
            }
            const int32_t virtualKey = VirtualKeyFor(key->key());
            if (event->type() == QEvent::KeyPress) {
                Press(virtualKey);
            } else {
                Release(virtualKey);
            }
            break;
        }
        case QEvent::ApplicationDeactivate:
            // The key-up of a key held while the focus went elsewhere goes to that other
            // program, so nothing here would ever see it.
            ReleaseAll();
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace vantrell::desktop
