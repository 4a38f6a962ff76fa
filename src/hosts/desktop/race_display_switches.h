// The race display's two switches, the panel and the splits in it: check items at the end of
// the settings menu, kept in the game's settings file (Vantrell.conf, or the INI file given)
// and on unless the player switched them off.
#pragma once

#include <QString>

#include <functional>

class QAction;

namespace vantrell::desktop {

class GameMenu;

class RaceDisplaySwitches {
  public:
    // Called with both switches at once and again whenever the player flips one.
    using Apply = std::function<void(bool panelOn, bool splitsOn)>;

    // Reads the switches from iniPath (empty: the program's own settings), adds the two items
    // to the settings pop-up of `menu` and applies them.
    RaceDisplaySwitches(GameMenu& menu, QString iniPath, Apply apply);

    bool PanelOn() const { return panelOn_; }
    bool SplitsOn() const { return splitsOn_; }
    QAction* PanelItem() const { return panelItem_; }
    QAction* SplitsItem() const { return splitsItem_; }

  private:
    void Store() const;

    QString iniPath_;
    Apply apply_;
    bool panelOn_ = true;
    bool splitsOn_ = true;
    QAction* panelItem_ = nullptr;
    QAction* splitsItem_ = nullptr;
};

}  // namespace vantrell::desktop
