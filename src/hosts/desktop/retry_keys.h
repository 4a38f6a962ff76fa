// The retry keys (R and Backspace unless the player bound others) ask to race again, but only as
// keys of the main window while it has the focus and no dialog or menu is open, so typing a name
// never throws a race away.
#pragma once

#include <QObject>

#include <functional>

#include "input/key_bindings.h"

class QWidget;

namespace vantrell::desktop {

class RetryKeys final : public QObject {
  public:
    // Watches the key events that reach `window`; retry runs once per press.
    RetryKeys(QWidget& window, std::function<void()> retry);

    // Where the bound keys come from; the game's defaults until set.
    void UseBindings(std::function<const KeyBindings&()> bindings) {
        bindings_ = std::move(bindings);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget& window_;
    std::function<void()> retry_;
    std::function<const KeyBindings&()> bindings_;
};

}  // namespace vantrell::desktop
