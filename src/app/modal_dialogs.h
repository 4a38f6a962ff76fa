// The host's dialogs as the game uses them, counting those open: while one is, the tick timer may
// not run, whatever else (a focus change, a posted start) asks for it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/dialogs.h"

namespace vantrell {

class ModalDialogs final : public Dialogs {
  public:
    // The host's dialogs must outlive this object.
    explicit ModalDialogs(Dialogs& host) : host_(host) {}

    bool AnyOpen() const { return open_ > 0; }
    // Runs a dialog of the host's own (not one of the game's questions), counted as open.
    template <typename Work>
    void Counted(Work work) {
        const Open open(open_);
        work();
    }

    void ShowMessage(const std::string& text, const std::string& caption) override {
        const Open open(open_);
        host_.ShowMessage(text, caption);
    }
    bool AskYesNo(const std::string& text, const std::string& caption) override {
        const Open open(open_);
        return host_.AskYesNo(text, caption);
    }
    Answer Ask(const Question& question) override {
        const Open open(open_);
        return host_.Ask(question);
    }
    std::string AskName(const std::string& defaultName) override {
        const Open open(open_);
        return host_.AskName(defaultName);
    }
    std::string AskNameForRun(const std::string& defaultName, int32_t time, int32_t rank) override {
        const Open open(open_);
        return host_.AskNameForRun(defaultName, time, rank);
    }
    void ShowHiScoreList(const HiScoreLines& lines) override {
        const Open open(open_);
        host_.ShowHiScoreList(lines);
    }
    bool ShowHiScoreListOfferingRace(const HiScoreLines& lines) override {
        const Open open(open_);
        return host_.ShowHiScoreListOfferingRace(lines);
    }
    std::optional<ListSelection> ChooseOpponent(const HiScoreLines& lines) override {
        const Open open(open_);
        return host_.ChooseOpponent(lines);
    }
    std::optional<ListSelection> ChooseRunToExport(const HiScoreLines& lines) override {
        const Open open(open_);
        return host_.ChooseRunToExport(lines);
    }
    std::optional<OpenedFile> OpenFile(FileKind kind) override {
        const Open open(open_);
        return host_.OpenFile(kind);
    }
    std::optional<SavedFile> SaveFile(FileKind kind, const std::string& suggestedName,
                                      std::span<const uint8_t> bytes) override {
        const Open open(open_);
        return host_.SaveFile(kind, suggestedName, bytes);
    }
    std::optional<StageListChoice> ChooseStage(const std::vector<StageListRow>& rows) override {
        const Open open(open_);
        return host_.ChooseStage(rows);
    }
    void ShowHelpPage(const std::string& title, const std::string& html) override {
        const Open open(open_);
        host_.ShowHelpPage(title, html);
    }
    void ShowAbout() override {
        const Open open(open_);
        host_.ShowAbout();
    }

  private:
    struct Open {
        explicit Open(int32_t& count) : count_(count) { ++count_; }
        ~Open() { --count_; }
        Open(const Open&) = delete;
        Open& operator=(const Open&) = delete;
        int32_t& count_;
    };

    Dialogs& host_;
    int32_t open_ = 0;
};

}  // namespace vantrell
