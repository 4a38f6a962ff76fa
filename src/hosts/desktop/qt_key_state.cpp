#include "hosts/desktop/qt_key_state.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>

namespace vantrell::desktop {

std::optional<Key> KeyFor(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Shift:
            return Key::Shift;
        case Qt::Key_Control:
            return Key::Control;
        case Qt::Key_Left:
            return Key::Left;
        case Qt::Key_Up:
            return Key::Up;
        case Qt::Key_Right:
            return Key::Right;
        case Qt::Key_Down:
            return Key::Down;
        case Qt::Key_A:
            return Key::A;
        case Qt::Key_D:
            return Key::D;
        case Qt::Key_S:
            return Key::S;
        case Qt::Key_W:
            return Key::W;
        case Qt::Key_X:
            return Key::X;
        default:
            return std::nullopt;
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

bool QtKeyState::DownOrPressedSinceLastAsked(Key key) {
    if (KeyIndex(key) >= kKeyCount) {
        return false;
    }
    Held& held = keys_[KeyIndex(key)];
    const bool result = held.down || held.pressedSince;
    held.pressedSince = false;
    return result;
}

void QtKeyState::Press(Key key) {
    if (KeyIndex(key) < kKeyCount) {
        keys_[KeyIndex(key)].down = true;
        keys_[KeyIndex(key)].pressedSince = true;
    }
}

void QtKeyState::Release(Key key) {
    if (KeyIndex(key) < kKeyCount) {
        keys_[KeyIndex(key)].down = false;
    }
}

void QtKeyState::ReleaseAll() {
    keys_.fill(Held{});
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
            const std::optional<Key> gameKey = KeyFor(key->key());
            if (!gameKey) {
                break;
            }
            if (event->type() == QEvent::KeyPress) {
                Press(*gameKey);
            } else {
                Release(*gameKey);
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
