// Which keys and pad buttons do what: the five controls of each key set and the game's pause,
// retry and full-screen keys. The defaults are the game's fixed key sets, so recordings and the
// demonstration play as they always have. No key or button does two things.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/joystick.h"
#include "platform/key_state.h"

namespace vantrell {

// Everything a player can bind, in the order the keys dialog lists them. Set 1 starts as the
// cursor keys and Shift, set 2 as W, A, S, D, X and Control.
enum class BoundAction : uint8_t {
    Set1Forward,
    Set1Reverse,
    Set1Left,
    Set1Right,
    Set1Button,
    Set2Forward,
    Set2Reverse,
    Set2Left,
    Set2Right,
    Set2Button,
    Pause,
    Retry,
    FullScreen,
};
inline constexpr std::size_t kBoundActionCount =
    static_cast<std::size_t>(BoundAction::FullScreen) + 1;

// The five controls of a key set, in the order above.
enum class SetControl : uint8_t { Forward, Reverse, Left, Right, Button };
BoundAction SetAction(int32_t set, SetControl control);

// One key or one pad button.
struct Binding {
    bool pad = false;
    uint8_t code = 0;  // a Key, or a PadButton when pad

    static Binding OfKey(Key key) { return {false, static_cast<uint8_t>(key)}; }
    static Binding OfPad(PadButton button) { return {true, static_cast<uint8_t>(button)}; }
    bool operator==(const Binding&) const = default;
};

// The names kept in the settings ("Up", "F11", "Pad Start"); shown to the player too.
std::string_view KeyName(Key key);
std::string_view PadButtonName(PadButton button);
std::string BindingName(Binding binding);
std::optional<Binding> BindingNamed(std::string_view name);
// The name an action is stored under ("Set1Forward", "Pause").
std::string_view ActionName(BoundAction action);

class KeyBindings {
  public:
    static KeyBindings Defaults();

    const std::vector<Binding>& Of(BoundAction action) const {
        return table_[static_cast<std::size_t>(action)];
    }
    // The action that holds the binding, if any.
    std::optional<BoundAction> Holder(Binding binding) const;
    // The action the key is bound to, if any.
    std::optional<BoundAction> KeyAction(Key key) const { return Holder(Binding::OfKey(key)); }
    // The pad buttons of an action as PadButton bits.
    uint32_t PadMask(BoundAction action) const;

    // Adds a binding to an action. Refused (false, nothing changed) when another action holds
    // it; adding one the action already has changes nothing.
    bool Add(BoundAction action, Binding binding);
    void Remove(BoundAction action, Binding binding);
    void Clear(BoundAction action) { table_[static_cast<std::size_t>(action)].clear(); }

    // The action's bindings as one line, "W, X, Pad A"; empty for none.
    std::string Text(BoundAction action) const;
    // Reads a table from stored lines, one per action (a missing line: none). A line that does
    // not read cleanly, or whose keys another line holds, leaves that action at its default;
    // the others keep what they say.
    static KeyBindings FromTexts(
        const std::array<std::optional<std::string>, kBoundActionCount>& texts);

    bool operator==(const KeyBindings&) const = default;

  private:
    std::array<std::vector<Binding>, kBoundActionCount> table_{};
};

}  // namespace vantrell
