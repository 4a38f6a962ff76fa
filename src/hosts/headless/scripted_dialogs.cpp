#include "hosts/headless/scripted_dialogs.h"

#include <utility>

#include "io/file_bytes.h"

namespace vantrell {

void ScriptedDialogs::QueueSelectedItem(int32_t item) {
    ListSelection selection{};
    if (item >= 0 && item < static_cast<int32_t>(selection.size())) {
        selection[item] = true;
    }
    selections_.push_back(selection);
}

void ScriptedDialogs::ShowMessage(const std::string& text, const std::string& caption) {
    Opened({DialogKind::Message, text, caption, {}, ""});
}

bool ScriptedDialogs::AskYesNo(const std::string& text, const std::string& caption) {
    bool yes = false;
    if (!yesNo_.empty()) {
        yes = yesNo_.front();
        yesNo_.pop_front();
    }
    Opened({DialogKind::YesNo, text, caption, {}, yes ? "yes" : "no"});
    return yes;
}

Answer ScriptedDialogs::Ask(const Question& question) {
    Answer answer = question.escape.value_or(question.enter);
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    Opened({DialogKind::Question, question.text, question.caption, {}, AnswerWord(answer)});
    return answer;
}

std::string ScriptedDialogs::AskName(const std::string& defaultName) {
    std::string name = defaultName;
    if (!names_.empty()) {
        name = std::move(names_.front());
        names_.pop_front();
    }
    Opened({DialogKind::Name, defaultName, "", {}, name});
    return name;
}

std::string ScriptedDialogs::AskNameForRun(const std::string& defaultName, int32_t time,
                                           int32_t rank) {
    const std::string name = AskName(defaultName);
    calls_.back().time = time;
    calls_.back().rank = rank;
    return name;
}

void ScriptedDialogs::ShowHiScoreList(const HiScoreLines& lines) {
    Opened({DialogKind::HiScoreList, "", "", lines, ""});
}

bool ScriptedDialogs::ShowHiScoreListOfferingRace(const HiScoreLines& lines) {
    bool race = false;
    if (!raceThisRun_.empty()) {
        race = raceThisRun_.front();
        raceThisRun_.pop_front();
    }
    ShowHiScoreList(lines);
    calls_.back().raceOffered = true;
    calls_.back().answer = race ? "race" : "";
    return race;
}

std::optional<ListSelection> ScriptedDialogs::Choose(DialogKind kind, const HiScoreLines& lines) {
    std::optional<ListSelection> selection = ListSelection{};
    if (!selections_.empty()) {
        selection = selections_.front();
        selections_.pop_front();
    } else {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            (*selection)[i] = lines[i].selected;
        }
    }
    Opened({kind, "", "", lines, selection ? "" : "cancel"});
    return selection;
}

std::optional<ListSelection> ScriptedDialogs::ChooseOpponent(const HiScoreLines& lines) {
    return Choose(DialogKind::ChooseOpponent, lines);
}

std::optional<ListSelection> ScriptedDialogs::ChooseRunToExport(const HiScoreLines& lines) {
    return Choose(DialogKind::ChooseRunToExport, lines);
}

std::optional<OpenedFile> ScriptedDialogs::OpenFile(FileKind) {
    if (files_.empty()) {
        Opened({DialogKind::OpenFile, "", "", {}, "cancel"});
        return std::nullopt;
    }
    const std::filesystem::path file = std::move(files_.front());
    files_.pop_front();
    Opened({DialogKind::OpenFile, "", "", {}, file.string()});
    OpenedFile opened{file.filename().string(), {}, {}};
    if (std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(file, &opened.problem)) {
        opened.bytes = std::move(*bytes);
    }
    return opened;
}

std::optional<SavedFile> ScriptedDialogs::SaveFile(FileKind, const std::string& suggestedName,
                                                   std::span<const uint8_t> bytes) {
    if (saves_.empty()) {
        Opened({DialogKind::SaveFile, suggestedName, "", {}, "cancel"});
        return std::nullopt;
    }
    SavedFile answer = std::move(saves_.front());
    saves_.pop_front();
    Opened({DialogKind::SaveFile, suggestedName, "", {}, answer.where});
    saved_.push_back({suggestedName, answer, {bytes.begin(), bytes.end()}});
    return answer;
}

void ScriptedDialogs::ShowAbout() {
    Opened({DialogKind::About, "", "", {}, ""});
}

std::optional<StageListChoice> ScriptedDialogs::ChooseStage(const std::vector<StageListRow>& rows) {
    std::string text;
    for (const StageListRow& row : rows) {
        text += row.nameEn + " | " + row.author + " | " + std::to_string(row.bestTime) +
                (row.current ? " *" : "") + "\n";
    }
    std::optional<StageListChoice> choice;
    std::string answer = "cancel";
    if (!stageChoices_.empty()) {
        choice = stageChoices_.front();
        stageChoices_.pop_front();
        constexpr const char* kActions[] = {"race", "remove", "add"};
        answer = std::string(kActions[static_cast<int32_t>(choice->action)]) + " " +
                 std::to_string(choice->row);
    }
    Opened({DialogKind::ChooseStage, text, "", {}, answer});
    return choice;
}

void ScriptedDialogs::Opened(DialogCall call) {
    call.timerRunning = timerRunning_ && timerRunning_();
    calls_.push_back(std::move(call));
    if (whileOpen_) {
        whileOpen_();
    }
}

std::vector<DialogKind> ScriptedDialogs::Kinds() const {
    std::vector<DialogKind> kinds;
    kinds.reserve(calls_.size());
    for (const DialogCall& call : calls_) {
        kinds.push_back(call.kind);
    }
    return kinds;
}

}  // namespace vantrell
