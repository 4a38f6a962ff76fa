// The keyboard as the game asks for it, fed by the key events that reach this program's own
// windows. A key reads true while it is down and once more after it was tapped between two
// queries; when the program loses the focus every key counts as released, so a key let go in
// another program never sticks.
#pragma once

#include <QObject>

#include <array>
#include <optional>

#include "input/key_bindings.h"
#include "platform/key_state.h"

class QKeyEvent;

namespace vantrell::desktop {

// The game's key for a Qt key, or none for keys a player cannot bind.
std::optional<Key> KeyFor(int qtKey);
// The Qt key for a game key (the main keyboard's Return for Return).
int QtKeyFor(Key key);
// Whether a Qt key is bound to the action.
bool IsBoundKey(const KeyBindings& bindings, BoundAction action, int qtKey);
// Whether the press is of a key bound to the action, with no modifier held but the key's own
// (a Shift press carries Shift): Alt+P and Ctrl+R belong to the menus and the system.
bool IsBoundPress(const KeyBindings& bindings, BoundAction action, const QKeyEvent& event);

class QtKeyState final : public QObject, public KeyState {
  public:
    // Watches every key event of the application from now on.
    QtKeyState();
    ~QtKeyState() override;

    bool DownOrPressedSinceLastAsked(Key key) override;

    // Key edges as the event filter sees them; public so tests can drive the state directly.
    void Press(Key key);
    void Release(Key key);
    void ReleaseAll();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Held {
        bool down = false;
        bool pressedSince = false;
    };

    std::array<Held, kKeyCount> keys_{};
};

}  // namespace vantrell::desktop
