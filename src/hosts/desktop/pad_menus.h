// The whole game by pad: the Guide button (or Back and Start held together) opens the menu bar,
// and while a menu or a dialog is open, and only then, the d-pad or left stick moves the
// selection or the focus, A accepts and B does what Escape does there. Everything else the pad
// does (driving, Back for a retry, Start for a pause) stays the game's. It also keeps whether
// the last input was a pad's, for the name box's character grid.
#pragma once

#include <QObject>
#include <QTimer>

#include "hosts/desktop/sdl_joysticks.h"

class QWidget;

namespace vantrell::desktop {

class MainWindow;

class PadMenus final : public QObject {
  public:
    // Reads both pads every few milliseconds from now on. Both must outlive this object.
    PadMenus(MainWindow& window, SdlJoysticks& sticks);

    // Whether a pad was used after the last key press or mouse click.
    bool LastInputWasPad() const { return lastWasPad_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Poll();
    // Opens the menu bar's first menu, or closes every open menu.
    void ToggleMenu();
    // A direction for the open menu or dialog; dx, dy are -1, 0 or 1.
    void Move(int dx, int dy);
    void Accept();
    void Back();
    // Where a pad's key goes: the open menu, the focused widget of the dialog, or nothing.
    QWidget* Target() const;
    void SendKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    MainWindow& window_;
    SdlJoysticks& sticks_;
    QTimer poll_;
    PadNavigation held_;
    int repeatIn_ = 0;  // polls until a held direction moves again
    bool lastWasPad_ = false;
};

}  // namespace vantrell::desktop
