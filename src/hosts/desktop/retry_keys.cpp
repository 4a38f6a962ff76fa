#include "hosts/desktop/retry_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace vantrell::desktop {

bool IsRetryKey(int qtKey) {
    return qtKey == Qt::Key_R || qtKey == Qt::Key_Backspace;
}

RetryKeys::RetryKeys(QWidget& window, std::function<void()> retry)
    : QObject(&window), window_(window), retry_(std::move(retry)) {
    window.installEventFilter(this);
}

bool RetryKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QObject::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (key->isAutoRepeat() || !plain || !IsRetryKey(key->key())) {
        return QObject::eventFilter(watched, event);
    }
    if (!window_.isActiveWindow() || QApplication::activeModalWidget() != nullptr ||
        QApplication::activePopupWidget() != nullptr) {
        return QObject::eventFilter(watched, event);
    }
    if (retry_) {
        retry_();
    }
    return true;
}

}  // namespace vantrell::desktop
