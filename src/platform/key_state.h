// The keyboard as the game samples it once a tick: a key counts when it is held now or was
// pressed at some moment since the game last asked about it, so a tap between two ticks is
// never lost.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vantrell {

// The keys the game reads. Hosts translate their own key events to these.
enum class Key : uint8_t { Shift, Control, Left, Up, Right, Down, A, D, S, W, X };
inline constexpr std::size_t kKeyCount = 11;

constexpr std::size_t KeyIndex(Key key) {
    return static_cast<std::size_t>(key);
}

class KeyState {
  public:
    virtual ~KeyState() = default;

    // True when the key is down now or has gone down since the previous call for the same key.
    // The call clears that key's "pressed since" latch, so a tap reads true exactly once.
    virtual bool DownOrPressedSinceLastAsked(Key key) = 0;
};

}  // namespace vantrell
