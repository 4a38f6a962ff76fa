#include "hosts/desktop/retry_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "hosts/desktop/qt_key_state.h"

namespace vantrell::desktop {

RetryKeys::RetryKeys(QWidget& window, std::function<void()> retry)
    : QObject(&window), window_(window), retry_(std::move(retry)) {
    window.installEventFilter(this);
}

bool RetryKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QObject::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    static const KeyBindings kDefaults = KeyBindings::Defaults();
    const KeyBindings& bindings = bindings_ ? bindings_() : kDefaults;
    if (key->isAutoRepeat() || !IsBoundPress(bindings, BoundAction::Retry, *key)) {
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
