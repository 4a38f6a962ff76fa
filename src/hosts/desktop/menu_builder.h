// Builds the menu bar from VANTR_MENU as data: pop-ups, items, mnemonics, separators and the
// initial check marks. Choosing an item sends its command id; check marks change only when the
// game sets them, never by the click itself.
#pragma once

#include <QAction>
#include <QMenuBar>

#include <cstdint>
#include <functional>
#include <map>

namespace vantrell::desktop {

class GameMenu {
  public:
    using CommandHandler = std::function<void(int32_t)>;

    // Fills bar (empty) with the pop-ups; onCommand runs for every item chosen.
    GameMenu(QMenuBar& bar, CommandHandler onCommand);

    // The item of a command id, or null.
    QAction* Item(int32_t commandId) const;
    void SetCheck(int32_t commandId, bool checked);
    bool Checked(int32_t commandId) const;

  private:
    std::map<int32_t, QAction*> items_;
};

}  // namespace vantrell::desktop
