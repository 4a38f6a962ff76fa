// P and Pause/Break pause and resume the game.
// They count only while the main window has the focus and no dialog, message box or menu is
// open, so typing a name never pauses; the shell decides what a pause does to the timer.
#pragma once

#include <QObject>

namespace vantrell {
class Shell;
}  // namespace vantrell

namespace vantrell::desktop {

class MainWindow;

// Whether a key press is one of the pause keys.
bool IsPauseKey(int qtKey);

class PauseKeys final : public QObject {
  public:
    // Watches every key event of the application from now on. Both must outlive this object.
    PauseKeys(MainWindow& window, Shell& shell);

    // Whether the main window would take a pause key now.
    bool Listening() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Toggle();

    MainWindow& window_;
    Shell& shell_;
};

}  // namespace vantrell::desktop
