// GAME_CONFIG_DIALOG on screen: the template's controls around the game's dialog model. Clicks
// and scroll-bar actions go to the model, and the marks and the bar show what the model says
// afterwards. "O K" (or Enter) is the only way out; Escape and the close box are ignored.
#pragma once

#include <QDialog>

#include <map>

#include "app/config_dialog.h"

class QCheckBox;
class QScrollBar;

namespace vantrell::desktop {

class ConfigDialogWindow final : public QDialog {
  public:
    // The model must outlive the window.
    ConfigDialogWindow(QWidget* owner, ConfigDialog& model);

    QCheckBox* Box(int id) const;
    QScrollBar& SpeedBar() { return *speedBar_; }

    void reject() override {}

  private:
    void ShowModel();
    void OnScrollAction(int action);

    ConfigDialog& model_;
    std::map<int, QCheckBox*> boxes_;
    QScrollBar* speedBar_ = nullptr;
};

}  // namespace vantrell::desktop
