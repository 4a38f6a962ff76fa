// The pause keys (P and Pause/Break unless the player bound others) and the pause buttons of a
// pad a player drives with (Start) pause and resume the game.
// They count only while the main window has the focus and no dialog, message box or menu is
// open, so typing a name never pauses; the shell decides what a pause does to the timer and
// reads the pads' Start buttons itself, which this object asks it to do every few milliseconds.
#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

namespace vantrell {
class InputConfig;
class Shell;
}  // namespace vantrell

namespace vantrell::desktop {

class MainWindow;

class PauseKeys final : public QObject {
  public:
    // Watches every key event of the application and has the shell look at the pads from now
    // on; the keys are the ones bound in `input`. All three must outlive this object.
    PauseKeys(MainWindow& window, Shell& shell, InputConfig& input);

    // What a pad's full-screen button does (the keys are the menu item's shortcuts).
    void SetFullScreenToggle(std::function<void()> toggle) { fullScreen_ = std::move(toggle); }

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
    InputConfig& input_;
    std::function<void()> fullScreen_;
    QTimer padPoll_;
};

}  // namespace vantrell::desktop
