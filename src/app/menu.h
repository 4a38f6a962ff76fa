// VANTR_MENU as data, for a host to build its menu bar from: the pop-ups, their items with the
// game's own texts, the separators and the initial check marks.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "platform/commands.h"

namespace vantrell {

// One menu item; a separator has no command and no text. "&" marks the mnemonic. Texts are
// the game's Japanese; a host shows them translated in context "Menu".
struct MenuItemDef {
    std::optional<Command> command;
    const char* text;
    bool checked;  // initial state
    bool IsSeparator() const { return !command.has_value(); }
};

struct MenuPopupDef {
    const char* text;
    bool rightJustified;  // placed at the right end of the menu bar
    std::span<const MenuItemDef> items;
};

// The four pop-ups of the menu bar, left to right.
std::span<const MenuPopupDef> MainMenu();

}  // namespace vantrell
