// P, Pause/Break and the Start button of a pad a player drives with pause and resume the game.
// They count only while the main window has the focus and no dialog, message box or menu is
// open, so typing a name never pauses; the shell decides what a pause does to the timer and
// reads the pads' Start buttons itself, which this object asks it to do every few milliseconds.
#pragma once

#include <QObject>
#include <QTimer>

namespace vantrell {
class Shell;
}  // namespace vantrell

namespace vantrell::desktop {

class MainWindow;

// Whether a key press is one of the pause keys.
bool IsPauseKey(int qtKey);

class PauseKeys final : public QObject {
  public:
    // Watches every key event of the application and has the shell look at the pads from now
    // on. Both must outlive this object.
    PauseKeys(MainWindow& window, Shell& shell);

    // Whether the main window would take a pause key now.
    bool Listening() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Toggle();
    // Shows a pause the shell took from a pad.
    void CheckPads();

    MainWindow& window_;
    Shell& shell_;
    QTimer padPoll_;
};

}  // namespace vantrell::desktop
