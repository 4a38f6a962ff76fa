// The modal questions and dialogs the game asks of its host. Every text is UTF-8; each call
// returns only when the player has answered. The host stops the tick timer around them where
// the game says so; these calls themselves know nothing of timers.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vantrell {

// One line pair of a high-score list, best first: "%2d : %-16s " and "TIME:%5d".
struct HiScoreLine {
    std::string rankAndName;
    std::string time;
    bool selected = false;  // shown highlighted (a new entry), or pre-selected for a choice
};
using HiScoreLines = std::array<HiScoreLine, 10>;
// Which of the ten list items are selected when the player pressed OK.
using ListSelection = std::array<bool, 10>;

// The buttons a question can offer.
enum class Answer { Yes, No, Cancel, Retry, Discard };

// The answer as a lower-case word ("yes", "no", "cancel", "retry", "discard"), for logs and for
// hosts that pass answers as text.
constexpr const char* AnswerWord(Answer answer) {
    switch (answer) {
        case Answer::Yes:
            return "yes";
        case Answer::No:
            return "no";
        case Answer::Cancel:
            return "cancel";
        case Answer::Retry:
            return "retry";
        case Answer::Discard:
            break;
    }
    return "discard";
}

// A message box with a choice: the buttons left to right, the one Enter presses, and what Escape
// (and the close box) answers; without an escape answer the box must be answered by a button.
struct Question {
    std::string text;
    std::string caption;
    std::vector<Answer> buttons;
    Answer enter = Answer::Yes;
    std::optional<Answer> escape;
};

// The kinds of file the player picks for the game; a host offers the matching name pattern.
enum class FileKind {
    Run,        // a run file ("*.run"): one table entry, shared between game folders
    StagePack,  // a stage pack ("*.vstage"): one stage with its records, shared as one file
};

// A file the player chose to open: its name as the player knows it and its bytes, or, when it
// could not be read, why not.
struct OpenedFile {
    std::string name;
    std::vector<uint8_t> bytes;
    std::string problem;  // empty when the bytes were read
};

// Where the player's file went (a path, or where the host put it), for the player's message,
// or why it could not be saved.
struct SavedFile {
    std::string where;
    std::string problem;  // empty when the bytes were saved
};

// One line of the list of stages: a built-in stage or an installed stage pack.
struct StageListRow {
    std::string name;      // in Japanese (a built-in stage's in the player's language already)
    std::string nameEn;    // in English; the same as `name` for a built-in stage
    std::string author;    // empty for a built-in stage
    int32_t bestTime = 0;  // the table's best run in race ticks; 0 for an empty table
    bool current = false;  // the stage being raced
    bool pack = false;     // a pack, which may be removed
};

// What the player asked of the stage list: race the stage of a row, remove the pack of a row,
// or add a pack (no row).
enum class StageListAction { Race, Remove, Add };
struct StageListChoice {
    StageListAction action = StageListAction::Race;
    int32_t row = 0;
};

class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // Message box with an OK button and no icon.
    virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
    // Message box with Yes and No and no icon, Yes the default and Escape ignored; true only
    // for Yes.
    virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;
    // Message box with the question's buttons and no icon; returns the answer given.
    virtual Answer Ask(const Question& question) = 0;
    // The name entry after a good run: starts with defaultName wholly selected, returns the text
    // in the box when OK is pressed (there is no cancel).
    virtual std::string AskName(const std::string& defaultName) = 0;
    // The name entry for a run that entered the table, which also tells the run's time (race
    // ticks) and the rank (1..10) it takes. Hosts that cannot say it ask as AskName does.
    virtual std::string AskNameForRun(const std::string& defaultName, int32_t /*time*/,
                                      int32_t /*rank*/) {
        return AskName(defaultName);
    }
    // The list of the ten best runs; lines with `selected` are highlighted.
    virtual void ShowHiScoreList(const HiScoreLines& lines) = 0;
    // The list right after a run entered it, offering to race that run ("race this run"):
    // true when the player chose that. Hosts without the offer show the plain list.
    virtual bool ShowHiScoreListOfferingRace(const HiScoreLines& lines) {
        ShowHiScoreList(lines);
        return false;
    }
    // The opponent choice: the list with the fastest run (item 0) selected at first; returns the
    // selection as it stands when OK is pressed (the player may clear it or select several), or
    // nothing when the player cancels (Cancel, Escape or the close box).
    virtual std::optional<ListSelection> ChooseOpponent(const HiScoreLines& lines) = 0;
    // The choice of the run to export: the list as ChooseOpponent shows it, under its own
    // prompt; the selection when OK is pressed, nothing when cancelled.
    virtual std::optional<ListSelection> ChooseRunToExport(const HiScoreLines& lines) = 0;
    // The player picks a file and the host reads it whole; nothing when the player cancels.
    virtual std::optional<OpenedFile> OpenFile(FileKind kind) = 0;
    // The player picks where `bytes` go, offered `suggestedName`, and the host saves them
    // there whole (asking before an existing file is replaced); nothing when the player
    // cancels.
    virtual std::optional<SavedFile> SaveFile(FileKind kind, const std::string& suggestedName,
                                              std::span<const uint8_t> bytes) = 0;
    // The list of stages, built-in ones first, then the installed packs; the player's choice, or
    // nothing when they close it. Hosts without packs offer nothing.
    virtual std::optional<StageListChoice> ChooseStage(const std::vector<StageListRow>& /*rows*/) {
        return std::nullopt;
    }
    // A page of help: a title and a small rich text (HTML with h3, p, ul, li and b), shown
    // scrollable in a dialog that closes with OK or Escape. Hosts without one show a message.
    virtual void ShowHelpPage(const std::string& title, const std::string& html) {
        ShowMessage(html, title);
    }
    // The About box; closes only through OK.
    virtual void ShowAbout() = 0;
};

}  // namespace vantrell
