#include "hosts/desktop/desktop_app.h"

#include <QAction>
#include <QMenu>

#include <string>

#include "hosts/desktop/key_bindings_store.h"
#include "hosts/desktop/keys_dialog.h"
#include "hosts/desktop/retry_keys.h"
#include "hosts/desktop/dialog_fit.h"
#include "pack/stage_pack.h"
#include "resources/resources.h"

namespace vantrell::desktop {

DesktopApp::DesktopApp(const DesktopSettings& settings)
    : settingsFile_(settings.settingsFile),
      audio_(settings.dataDir),
      window_(std::make_unique<MainWindow>()),
      dialogs_(window_.get()),
      speedStore_(settings.settingsFile) {
    game_ = std::make_unique<Game>(PlatformBundle{keys_, joysticks_, audio_, *window_, dialogs_,
                                                  timer_, speedStore_, EmbeddedWaves(),
                                                  settings.dataDir, ReadStagePack});
    shell_ = std::make_unique<Shell>(*game_);
    shell_->SetConfigDialogRunner([this](ConfigDialog& model) {
        dialogs_.RunConfigDialog(model, [this](int32_t id) { return joysticks_.Name(id); });
    });
    timer_.SetTickHandler([this] { window_->Tick(); });
    new DialogFit(window_.get());
    ApplyUiLanguage(StartUiLanguage(settings.language, settings.settingsFile));
    window_->Menu().Retranslate();
    window_->UseRaceDisplaySettings(settings.settingsFile);
    languageMenu_ = std::make_unique<LanguageMenu>(window_->Menu(), settings.settingsFile);
    pauseKeys_ = std::make_unique<PauseKeys>(*window_, *shell_, game_->Input());
    keysItem_ =
        window_->Menu().AddItemAfter(Command::Config, QT_TRANSLATE_NOOP("Menu", "キー設定…"));
    keysItem_->setObjectName("KeysItem");
    QObject::connect(keysItem_, &QAction::triggered, keysItem_, [this] { OpenKeysDialog(); });
    padMenus_ = std::make_unique<PadMenus>(*window_, joysticks_);
    dialogs_.SetPadQuery([this] { return padMenus_->LastInputWasPad(); });
    // The view choices go at the end of the pop-up that holds the controls dialog.
    viewMenu_ =
        new ViewMenu(*window_, *window_->Menu().PopupOf(Command::Config), settings.settingsFile,
                     [this](ViewMode mode) { game_->State().SetViewMode(mode); });
    // The world table's items after them, at the end of the same pop-up.
    worldMenu_ = new WorldMenu(*window_, *window_->Menu().PopupOf(Command::Config),
                               settings.settingsFile, *shell_, *game_, dialogs_);
    pauseKeys_->SetFullScreenToggle([this] { viewMenu_->ToggleFullScreen(); });
    window_->Retry().UseBindings(
        [this]() -> const KeyBindings& { return game_->Input().Bindings(); });
    const KeyBindings stored = LoadKeyBindings(settingsFile_);
    game_->Input().SetBindings(stored);
    viewMenu_->UseFullScreenKeys(stored);
}

void DesktopApp::UseKeyBindings(const KeyBindings& bindings) {
    game_->Input().SetBindings(bindings);
    viewMenu_->UseFullScreenKeys(bindings);
    StoreKeyBindings(settingsFile_, bindings);
}

void DesktopApp::OpenKeysDialog() {
    shell_->RunHostDialog([this] {
        KeysDialog dialog(game_->Input().Bindings(), window_.get());
        if (dialog.exec() == QDialog::Accepted) {
            UseKeyBindings(dialog.Bindings());
        }
    });
}

DesktopApp::~DesktopApp() {
    // No more ticks or window events into a shell that is going away.
    timer_.Stop();
    timer_.SetTickHandler({});
    window_->AttachShell(nullptr);
    pauseKeys_.reset();
    dialogs_.SetPadQuery({});
    padMenus_.reset();
    window_->View().SetPausedQuery({});
    shell_.reset();
    game_.reset();
}

void DesktopApp::Start() {
    game_->Timer().LoadTickPeriod();
    window_->AttachShell(shell_.get());
    shell_->Start();
    window_->show();
    window_->SchedulePosted();
}

}  // namespace vantrell::desktop
