// R and Backspace ask to race again, but only as keys of the main window while it has the
// focus and no dialog or menu is open, so typing a name never throws a race away.
#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace vantrell::desktop {

// Whether a Qt key asks to race again.
bool IsRetryKey(int qtKey);

class RetryKeys final : public QObject {
  public:
    // Watches the key events that reach `window`; retry runs once per press.
    RetryKeys(QWidget& window, std::function<void()> retry);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget& window_;
    std::function<void()> retry_;
};

}  // namespace vantrell::desktop
