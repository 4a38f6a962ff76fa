#include "hosts/desktop/desktop_app.h"

#include <QMenu>

#include <string>

#include "hosts/desktop/dialog_fit.h"
#include "pack/stage_pack.h"
#include "resources/resources.h"

namespace vantrell::desktop {

DesktopApp::DesktopApp(const DesktopSettings& settings)
    : audio_(settings.dataDir),
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
    pauseKeys_ = std::make_unique<PauseKeys>(*window_, *shell_);
    // The view choices go at the end of the pop-up that holds the controls dialog.
    viewMenu_ =
        new ViewMenu(*window_, *window_->Menu().PopupOf(Command::Config), settings.settingsFile,
                     [this](ViewMode mode) { game_->State().SetViewMode(mode); });
    // The world table's items after them, at the end of the same pop-up.
    worldMenu_ = new WorldMenu(*window_, *window_->Menu().PopupOf(Command::Config),
                               settings.settingsFile, *shell_, *game_, dialogs_);
}

DesktopApp::~DesktopApp() {
    // No more ticks or window events into a shell that is going away.
    timer_.Stop();
    timer_.SetTickHandler({});
    window_->AttachShell(nullptr);
    pauseKeys_.reset();
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
