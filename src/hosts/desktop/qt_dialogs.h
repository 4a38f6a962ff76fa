// The game's dialogs and message boxes as modal Qt dialogs owned by the main window. Each call
// returns when the player has answered.
#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

#include "app/config_dialog.h"
#include "hosts/desktop/config_dialog_window.h"
#include "platform/dialogs.h"

namespace vantrell::desktop {

class QtDialogs final : public Dialogs {
  public:
    // The owner may be set later; until then the dialogs have no owner.
    explicit QtDialogs(QWidget* owner = nullptr) : owner_(owner) {}
    void SetOwner(QWidget* owner) { owner_ = owner; }
    // Whether the last input was a pad's: the name box then offers its character grid.
    void SetPadQuery(std::function<bool()> lastInputWasPad) {
        lastInputWasPad_ = std::move(lastInputWasPad);
    }

    void ShowMessage(const std::string& text, const std::string& caption) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;
    Answer Ask(const Question& question) override;
    std::string AskName(const std::string& defaultName) override;
    std::string AskNameForRun(const std::string& defaultName, int32_t time, int32_t rank) override;
    void ShowHiScoreList(const HiScoreLines& lines) override;
    bool ShowHiScoreListOfferingRace(const HiScoreLines& lines) override;
    std::optional<ListSelection> ChooseOpponent(const HiScoreLines& lines) override;
    std::optional<ListSelection> ChooseRunToExport(const HiScoreLines& lines) override;
    std::optional<OpenedFile> OpenFile(FileKind kind) override;
    std::optional<SavedFile> SaveFile(FileKind kind, const std::string& suggestedName,
                                      std::span<const uint8_t> bytes) override;
    void ShowHelpPage(const std::string& title, const std::string& html) override;
    void ShowAbout() override;
    std::optional<StageListChoice> ChooseStage(const std::vector<StageListRow>& rows) override;

    // The next OpenFile answers with these bytes instead of asking the player: a run downloaded
    // from the world table goes down the same path as a file the player picks.
    void OfferNextFile(OpenedFile file) { offered_ = std::move(file); }

    // GAME_CONFIG_DIALOG, modal; the game's timer keeps running behind it.
    void RunConfigDialog(ConfigDialog& model, ConfigDialogWindow::PadNames padNames = {});

  private:
    bool WithGrid() const { return lastInputWasPad_ && lastInputWasPad_(); }

    QPointer<QWidget> owner_;
    std::function<bool()> lastInputWasPad_;
    std::optional<OpenedFile> offered_;
};

}  // namespace vantrell::desktop
