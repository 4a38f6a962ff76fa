// The keyboard as the game asks for it, fed by the key events that reach this program's own
// windows. A key reads true while it is down and once more after it was tapped between two
// queries; when the program loses the focus every key counts as released, so a key let go in
// another program never sticks.
#pragma once

#include <QObject>

#include <array>

#include "platform/key_state.h"
#include "platform/virtual_keys.h"

class QKeyEvent;

namespace vantrell::desktop {

// The game's virtual key for a Qt key, or -1 for keys the game does not read.
int32_t VirtualKeyFor(int qtKey);

class QtKeyState final : public QObject, public KeyState {
  public:
    // Watches every key event of the application from now on.
    QtKeyState();
    ~QtKeyState() override;

    bool DownOrPressedSinceLastAsked(int32_t virtualKey) override;

    // Key edges as the event filter sees them; public so tests can drive the state directly.
    void Press(int32_t virtualKey);
    void Release(int32_t virtualKey);
    void ReleaseAll();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Key {
        bool down = false;
        bool pressedSince = false;
    };
    static bool Valid(int32_t virtualKey) { return virtualKey >= 0 && virtualKey < kKeyCount; }

    std::array<Key, kKeyCount> keys_{};
};

}  // namespace vantrell::desktop
