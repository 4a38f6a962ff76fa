// VANTR_MENU as data, for a host to build its menu bar from: the pop-ups, their items with the
// game's own texts, the separators and the initial check marks.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "platform/commands.h"
#include "world/stage_count.h"

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

// The menu item of stage 0..kStageCount-1.
constexpr Command StageCommand(int32_t stage) {
    return static_cast<Command>(static_cast<int32_t>(Command::Stage1) + stage);
}

// The stage a command selects, or -1 for any other command.
constexpr int32_t StageOf(Command command) {
    const int32_t offset = static_cast<int32_t>(command) - static_cast<int32_t>(Command::Stage1);
    return offset >= 0 && offset < kStageCount ? offset : -1;
}
static_assert(StageOf(Command::Stage5) == kStageCount - 1, "one menu item per stage");

// The menu item's text of stage 0..kStageCount-1 ("１面"), in context "Menu".
const char* StageMenuText(int32_t stage);

// The four pop-ups of the menu bar, left to right.
std::span<const MenuPopupDef> MainMenu();

}  // namespace vantrell
