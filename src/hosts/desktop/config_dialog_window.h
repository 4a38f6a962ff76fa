// GAME_CONFIG_DIALOG on screen: the template's controls around the game's dialog model. Clicks
// and scroll-bar actions go to the model, and the marks and the bar show what the model says
// afterwards. The race runs on behind the dialog, so the marks are also refreshed from the live
// flags several times a second, and a line under the template names the pad at each joystick.
// "O K" (or Enter) is the only way out; Escape and the close box are ignored.
#pragma once

#include <QDialog>
#include <QTimer>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>

#include "app/config_dialog.h"

class QCheckBox;
class QLabel;
class QScrollBar;

namespace vantrell::desktop {

// The dialog's template, in dialog units, as the window is built from it.
enum class DialogControlKind : int32_t {
    DefaultButton,
    GroupBox,
    GroupBoxCentred,
    StaticLeft,
    StaticRight,
    HorizontalScrollBar,
    CheckBox,  // plain: only the model changes its mark
};

struct DialogControl {
    DialogControlKind kind;
    int32_t id;                    // the template's control id; -1 for controls that send nothing
    std::optional<ConfigBox> box;  // for check boxes
    const char* text;
    int32_t x, y, width, height;
};

struct ConfigDialogTemplate {
    const char* name;
    const char* caption;
    const char* fontFace;
    int32_t fontPoints;
    int32_t x, y, width, height;
    std::span<const DialogControl> controls;
};

const ConfigDialogTemplate& GameConfigDialogTemplate();

class ConfigDialogWindow final : public QDialog {
  public:
    // The name of the device at joystick id 0 or 1; empty when none is plugged in.
    using PadNames = std::function<std::string(int32_t id)>;

    // The model must outlive the window.
    ConfigDialogWindow(QWidget* owner, ConfigDialog& model, PadNames padNames = {});

    QCheckBox* Box(ConfigBox box) const;
    QScrollBar& SpeedBar() { return *speedBar_; }
    // The line naming joystick id 0 or 1.
    QLabel& PadLine(int32_t id) { return *padLines_[id]; }
    // What the refresh timer does: the live flags and devices onto the marks and names.
    void Refresh();

    void reject() override {}

  private:
    void ShowModel();
    void OnScrollAction(int action);

    ConfigDialog& model_;
    PadNames padNames_;
    std::map<ConfigBox, QCheckBox*> boxes_;
    QScrollBar* speedBar_ = nullptr;
    std::array<QLabel*, 2> padLines_{};
    QTimer refresh_;
};

}  // namespace vantrell::desktop
