// The window's own view choices, added to the "設定" pop-up: full screen (also its bound keys
// and Alt+Enter), how the picture fills the view, the picture mode and the window size. The choices
// of scaling, mode and size are kept in the settings file and applied at the next start.
#pragma once

#include <QObject>
#include <QString>

#include <array>
#include <functional>

#include "hosts/desktop/view_scaling.h"
#include "input/key_bindings.h"

class QAction;
class QMenu;

namespace vantrell::desktop {

class MainWindow;

class ViewMenu final : public QObject {
  public:
    // Adds the items to `into`, reads the stored choices and applies them to the window, which
    // must outlive this object, and the picture mode through `useMode` (the game's drawing).
    // iniPath empty: the program's own settings file.
    ViewMenu(MainWindow& window, QMenu& into, QString iniPath,
             std::function<void(ViewMode)> useMode = {});

    void ToggleFullScreen();
    // The full-screen item's keys: the ones bound (F11 unless the player chose others), and
    // Alt+Enter always.
    void UseFullScreenKeys(const KeyBindings& bindings);
    void ChooseScaling(Scaling scaling);
    void ChooseMode(ViewMode mode);
    void ChooseWindowScale(int32_t scale);

    const ViewSettings& Settings() const { return settings_; }
    QAction& FullScreenItem() { return *fullScreen_; }
    QAction& ScalingItem(Scaling scaling) { return *scalingItems_[static_cast<int>(scaling)]; }
    QAction& ModeItem(ViewMode mode) { return *modeItems_[static_cast<int>(mode)]; }
    QAction& WindowScaleItem(int32_t scale) { return *sizeItems_[scale - 1]; }
    // Offers only the window sizes that fit the screen's available area (×1 and the size in
    // use always stay); done each time the sizes' menu opens, since the window may have moved
    // to another screen.
    void OfferFittingSizes();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The items' texts in the language now chosen; again whenever it changes.
    void ShowTexts();
    void ShowChecks();

    MainWindow& window_;
    QString iniPath_;
    ViewSettings settings_;
    QAction* fullScreen_ = nullptr;
    QMenu* picture_ = nullptr;
    QMenu* size_ = nullptr;
    std::function<void(ViewMode)> useMode_;
    std::array<QAction*, 3> scalingItems_{};
    std::array<QAction*, kViewModeCount> modeItems_{};
    std::array<QAction*, kMaxWindowScale> sizeItems_{};
};

}  // namespace vantrell::desktop
