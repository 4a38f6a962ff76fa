// The desktop game assembled: keyboard, joysticks, sound, the main window with its dialogs, the
// tick timer and the speed store, then the game objects and the shell on top. The program and
// the widget tests build the game the same way through this.
#pragma once

#include <QString>

#include <filesystem>
#include <memory>
#include <optional>

#include "app/game.h"
#include "app/shell.h"
#include "hosts/desktop/language_menu.h"
#include "hosts/desktop/main_window.h"
#include "hosts/desktop/pad_menus.h"
#include "hosts/desktop/pause_keys.h"
#include "hosts/desktop/qt_dialogs.h"
#include "hosts/desktop/qt_key_state.h"
#include "hosts/desktop/qt_speed_store.h"
#include "hosts/desktop/qt_tick_timer.h"
#include "hosts/desktop/sdl_audio.h"
#include "hosts/desktop/sdl_joysticks.h"
#include "hosts/desktop/view_menu.h"
#include "hosts/desktop/world_menu.h"

namespace vantrell::desktop {

struct DesktopSettings {
    // Folder of the game's files; empty means the current directory.
    std::filesystem::path dataDir;
    // INI file for the game speed, the view choices and the race display's switches; empty
    // means the user's own settings of this program.
    QString settingsFile;
    // The language asked for on the command line; none: the stored one, else the system's.
    std::optional<UiLanguage> language;
};

class DesktopApp {
  public:
    // Needs a QApplication.
    explicit DesktopApp(const DesktopSettings& settings);
    ~DesktopApp();
    DesktopApp(const DesktopApp&) = delete;
    DesktopApp& operator=(const DesktopApp&) = delete;

    // The stored speed, the window's creation (stage 0 and the demonstration) and showing the
    // window. The commands creation posts run once the event loop runs.
    void Start();

    MainWindow& Window() { return *window_; }
    Game& Objects() { return *game_; }
    Shell& GameShell() { return *shell_; }
    QtTickTimer& Timer() { return timer_; }
    SdlAudio& Sound() { return audio_; }
    QtKeyState& Keys() { return keys_; }
    SdlJoysticks& Sticks() { return joysticks_; }
    PadMenus& PadNavigation() { return *padMenus_; }
    ViewMenu& ViewChoices() { return *viewMenu_; }
    LanguageMenu& Languages() { return *languageMenu_; }
    WorldMenu& World() { return *worldMenu_; }
    // The "Keys…" item of the settings pop-up.
    QAction& KeysItem() { return *keysItem_; }
    // Puts bindings to work (driving, pause, retry, full screen) and keeps them in the settings.
    void UseKeyBindings(const KeyBindings& bindings);

  private:
    void OpenKeysDialog();

    QString settingsFile_;
    // Declared in the order they are built; the game goes before the pieces it uses.
    QtKeyState keys_;
    SdlJoysticks joysticks_;
    SdlAudio audio_;
    std::unique_ptr<MainWindow> window_;
    QtDialogs dialogs_;
    QtTickTimer timer_;
    QtSpeedStore speedStore_;
    std::unique_ptr<Game> game_;
    std::unique_ptr<Shell> shell_;
    std::unique_ptr<PauseKeys> pauseKeys_;
    std::unique_ptr<PadMenus> padMenus_;
    ViewMenu* viewMenu_ = nullptr;    // owned by the window
    WorldMenu* worldMenu_ = nullptr;  // owned by the window
    std::unique_ptr<LanguageMenu> languageMenu_;
    QAction* keysItem_ = nullptr;  // owned by the menu
};

}  // namespace vantrell::desktop
