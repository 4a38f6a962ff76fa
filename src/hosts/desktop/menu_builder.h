// Builds the menu bar from VANTR_MENU as data: pop-ups, items, mnemonics, separators and the
// initial check marks. Choosing an item sends its command id; check marks change only when the
// game sets them, never by the click itself.
#pragma once

#include <QAction>
#include <QMenuBar>

#include <cstdint>
#include <functional>
#include <map>

#include "platform/commands.h"

namespace vantrell::desktop {

class GameMenu {
  public:
    using CommandHandler = std::function<void(Command)>;

    // Fills bar (empty) with the pop-ups; onCommand runs for every item chosen.
    GameMenu(QMenuBar& bar, CommandHandler onCommand);

    // The item of a command id, or null.
    QAction* Item(Command command) const;
    void SetCheck(Command command, bool checked);
    bool Checked(Command command) const;

  private:
    std::map<Command, QAction*> items_;
};

}  // namespace vantrell::desktop
