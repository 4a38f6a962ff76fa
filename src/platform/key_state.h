// The keyboard as the game samples it once a tick: a key counts when it is held now or was
// pressed at some moment since the game last asked about it, so a tap between two ticks is
// never lost.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vantrell {

// The keys a player can bind, in the game's own words. Hosts translate their key events to
// these; left and right Shift (or Control) are one key. New keys go at the end, so the numbers
// the page reads by name never move.
// clang-format off
enum class Key : uint8_t {
    Shift, Control, Left, Up, Right, Down, A, D, S, W, X,
    B, C, E, F, G, H, I, J, K, L, M, N, O, P, Q, R, T, U, V, Y, Z,
    Digit0, Digit1, Digit2, Digit3, Digit4, Digit5, Digit6, Digit7, Digit8, Digit9,
    Space, Return, Backspace, Tab, Pause, Insert, Delete, Home, End, PageUp, PageDown,
    F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12,
    Comma, Period, Slash, Semicolon, Minus, Equal, Alt,
};
// clang-format on
inline constexpr std::size_t kKeyCount = static_cast<std::size_t>(Key::Alt) + 1;

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
