// Builds the menu bar from VANTR_MENU as data: pop-ups, items, mnemonics, separators and the
// initial check marks, the texts translated in context "Menu". Choosing an item sends its
// command id; check marks change only when the game sets them, never by the click itself.
#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <cstdint>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "platform/commands.h"

namespace vantrell::desktop {

class GameMenu {
  public:
    using CommandHandler = std::function<void(Command)>;

    // Fills bar (empty) with the pop-ups; onCommand runs for every item chosen.
    GameMenu(QMenuBar& bar, CommandHandler onCommand);

    // Shows every text again in the language now installed (QCoreApplication::translate).
    void Retranslate();
    // Adds a check item at the end of the pop-up holding `besides`; its text (context "Menu")
    // is shown again in the language installed, as the game's own items are. Null when there is
    // no such pop-up.
    QAction* AddCheckItem(Command besides, const char* text);
    // Adds a plain item just after `after`'s item, its text shown again as above. Null when
    // there is no such item.
    QAction* AddItemAfter(Command after, const char* text);
    // The pop-up holding a command's item, or null.
    QMenu* PopupOf(Command command) const;

    // The item of a command id, or null.
    QAction* Item(Command command) const;
    void SetCheck(Command command, bool checked);
    bool Checked(Command command) const;

  private:
    std::map<Command, QAction*> items_;
    std::map<Command, QMenu*> popups_;
    // Every pop-up's and item's action with the game's own text.
    std::vector<std::pair<QAction*, const char*>> texts_;
};

}  // namespace vantrell::desktop
