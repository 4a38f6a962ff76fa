// The game's questions and dialogs as HTML dialogs on the page (page/ui_dialogs.js). Each call
// waits for the player's answer without blocking the browser: the program is suspended at the
// call (Emscripten's Asyncify) and resumed when the page's promise settles.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace vantrell::web {

class WebDialogs final : public Dialogs {
  public:
    void ShowMessage(const std::string& text, const std::string& caption) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;
    Answer Ask(const Question& question) override;
    std::string AskName(const std::string& defaultName) override;
    std::string AskNameForRun(const std::string& defaultName, int32_t time, int32_t rank) override;
    void ShowHiScoreList(const HiScoreLines& lines) override;
    bool ShowHiScoreListOfferingRace(const HiScoreLines& lines) override;
    std::optional<ListSelection> ChooseOpponent(const HiScoreLines& lines) override;
    std::optional<ListSelection> ChooseRunToExport(const HiScoreLines& lines) override;
    // An upload: the page hands over the chosen file's name and bytes.
    std::optional<OpenedFile> OpenFile(FileKind kind) override;
    // A download: the page hands the bytes to the browser under the suggested name.
    std::optional<SavedFile> SaveFile(FileKind kind, const std::string& suggestedName,
                                      std::span<const uint8_t> bytes) override;
    // The list of stages and packs (page/ui_stages.js).
    std::optional<StageListChoice> ChooseStage(const std::vector<StageListRow>& rows) override;
    void ShowHelpPage(const std::string& title, const std::string& html) override;
    void ShowAbout() override;

    // How many dialogs were answered so far: a dialog may have saved something.
    int32_t Answered() const { return answered_; }

  private:
    int32_t answered_ = 0;
};

}  // namespace vantrell::web
