// P, Pause/Break and the Start button of a pad a player drives with pause and resume the game.
// They count only while the main window has the focus and no dialog, message box or menu is
// open, so typing a name never pauses; the shell decides what a pause does to the timer.
#pragma once

#include <QObject>
#include <QTimer>

#include <array>

namespace vantrell {
class InputConfig;
class Shell;
}  // namespace vantrell

namespace vantrell::desktop {

class MainWindow;
class SdlJoysticks;

// Whether a key press is one of the pause keys.
bool IsPauseKey(int qtKey);

class PauseKeys final : public QObject {
  public:
    // Watches every key event of the application and the pads' Start buttons from now on. All
    // four must outlive this object.
    PauseKeys(MainWindow& window, Shell& shell, SdlJoysticks& sticks, const InputConfig& input);

    // Whether the main window would take a pause key now.
    bool Listening() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Toggle();
    // The Start buttons are read between ticks too: a paused game has no ticks.
    void PollPads();

    MainWindow& window_;
    Shell& shell_;
    SdlJoysticks& sticks_;
    const InputConfig& input_;
    QTimer padPoll_;
    std::array<bool, 2> startWasDown_{};
};

}  // namespace vantrell::desktop
