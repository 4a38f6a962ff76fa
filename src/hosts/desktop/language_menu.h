// The "Language / 言語" entry at the end of the settings pop-up: Japanese or English, switched at
// once (menu texts shown again, every later dialog in the new language) and stored in the
// settings file. The race is not touched: switching neither stops nor steps the game.
#pragma once

#include <QObject>
#include <QString>

#include "hosts/desktop/ui_language.h"

class QAction;
class QMenu;

namespace vantrell::desktop {

class GameMenu;

class LanguageMenu {
  public:
    // The entry is labelled in both languages, as are its two choices, so that a player who
    // reads only one finds it. iniPath: the settings file (empty: the program's own).
    LanguageMenu(GameMenu& menu, QString iniPath);

    // What choosing an entry does: applies, shows the menu again and stores the choice.
    void Choose(UiLanguage language);
    QAction* Entry(UiLanguage language) const;
    QMenu* Popup() const { return popup_; }

  private:
    void ShowChoice();

    GameMenu& menu_;
    QString iniPath_;
    QMenu* popup_ = nullptr;
    QAction* japanese_ = nullptr;
    QAction* english_ = nullptr;
};

}  // namespace vantrell::desktop
