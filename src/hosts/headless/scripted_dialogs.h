// Dialogs answered from a script instead of a player, for tests and headless runs. Answers are
// queued in advance; when a queue runs dry the dialog is answered as a player pressing OK at
// once would (No for a question, the offered name, the selection as it opened). Every call is
// logged with its texts and lines so a test can check what the player would have seen.
#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/dialogs.h"

namespace vantrell {

enum class DialogKind {
    Message,
    YesNo,
    Question,
    Name,
    HiScoreList,
    ChooseOpponent,
    ChooseRunToExport,
    OpenFile,
    SaveFile,
    About,
    ChooseStage
};

struct DialogCall {
    DialogKind kind = DialogKind::Message;
    std::string text;      // message or question text; for Name the offered default, for SaveFile
                           // the offered file name
    std::string caption;   // empty where the dialog has a fixed caption of its own
    HiScoreLines lines{};  // for HiScoreList and ChooseOpponent
    std::string answer;    // "yes"/"no", the answer's name, the name returned, the file opened or
                           // where a save went, "cancel" for a choice cancelled, or "" where none
    // For Name after a run entered: the time and rank it was told (0 when not told). For
    // HiScoreList: whether it offered to race the new run.
    int32_t time = 0;
    int32_t rank = 0;
    bool raceOffered = false;
    // Whether the tick timer ran while the dialog was open (see WatchTimer); a game must have
    // stopped it first.
    bool timerRunning = false;
};

class ScriptedDialogs final : public Dialogs {
  public:
    void QueueYesNo(bool yes) { yesNo_.push_back(yes); }
    // For Ask; a question whose queue is dry is answered as Escape would, else as Enter.
    void QueueAnswer(Answer answer) { answers_.push_back(answer); }
    void QueueName(std::string name) { names_.push_back(std::move(name)); }
    void QueueSelection(const ListSelection& selection) { selections_.push_back(selection); }
    // Selects exactly one item (0 = the fastest run).
    void QueueSelectedItem(int32_t item);
    // The next list that offers to race the run just entered is answered with that choice.
    void QueueRaceThisRun() { raceThisRun_.push_back(true); }
    // The next opponent choice is cancelled.
    void QueueCancelledChoice() { selections_.push_back(std::nullopt); }
    // The next file opened is `file`, read from disk (a file that cannot be read answers with
    // its reason); a dry queue cancels.
    void QueueFile(std::filesystem::path file) { files_.push_back(std::move(file)); }
    // The next save keeps its bytes (see Saved) and answers that they went to `where`, or,
    // with a `problem`, that they could not be saved; a dry queue cancels.
    void QueueSave(std::string where, std::string problem = {}) {
        saves_.push_back({std::move(where), std::move(problem)});
    }
    // The next stage list is answered with `choice`; a dry queue closes it.
    void QueueStageChoice(StageListChoice choice) { stageChoices_.push_back(choice); }
    // What each save that was not cancelled was handed, in order.
    struct Saved {
        std::string suggestedName;
        SavedFile answer;
        std::vector<uint8_t> bytes;
    };
    const std::vector<Saved>& SavedFiles() const { return saved_; }

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
    void ShowAbout() override;
    // Logged with one line a row: "name | author | best time" and " *" on the current stage.
    std::optional<StageListChoice> ChooseStage(const std::vector<StageListRow>& rows) override;

    // Asked as each dialog opens, for DialogCall::timerRunning.
    void WatchTimer(std::function<bool()> running) { timerRunning_ = std::move(running); }
    // Runs inside each dialog while it is open, as the window's own events would arrive behind
    // a modal dialog; empty for none.
    void WhileOpen(std::function<void()> events) { whileOpen_ = std::move(events); }

    const std::vector<DialogCall>& Calls() const { return calls_; }
    // The kinds in call order, to compare a whole sequence at once.
    std::vector<DialogKind> Kinds() const;
    // Forgets the log (not the queued answers), to look at one step of a longer run.
    void ClearLog() { calls_.clear(); }
    // Answers queued but not yet used: a test can check that its script was consumed.
    std::size_t PendingAnswers() const {
        return yesNo_.size() + answers_.size() + names_.size() + selections_.size() +
               raceThisRun_.size() + files_.size() + saves_.size() + stageChoices_.size();
    }

  private:
    std::deque<bool> yesNo_;
    std::deque<Answer> answers_;
    std::deque<std::string> names_;
    std::deque<std::optional<ListSelection>> selections_;
    std::deque<std::filesystem::path> files_;
    std::deque<SavedFile> saves_;
    std::vector<Saved> saved_;
    std::deque<bool> raceThisRun_;
    std::deque<StageListChoice> stageChoices_;
    std::vector<DialogCall> calls_;
    std::function<bool()> timerRunning_;
    std::function<void()> whileOpen_;

    // Logs a dialog as it opens and lets whatever arrives behind it run.
    void Opened(DialogCall call);

    std::optional<ListSelection> Choose(DialogKind kind, const HiScoreLines& lines);
};

}  // namespace vantrell
