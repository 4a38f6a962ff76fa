#include "hosts/web/web_dialogs.h"

#include "hosts/web/web_bridge.h"
#include "records/run_time.h"

namespace vantrell::web {

namespace {

std::string LinesJson(const HiScoreLines& lines) {
    std::string json = "[";
    for (const HiScoreLine& line : lines) {
        json += std::string(json.size() > 1 ? "," : "") +
                "{\"rankAndName\":" + JsonQuote(line.rankAndName) +
                ",\"time\":" + JsonQuote(line.time) +
                ",\"selected\":" + (line.selected ? "true" : "false") + "}";
    }
    return json + "]";
}

std::optional<ListSelection> Selection(int32_t bits) {
    if (bits < 0) {
        return std::nullopt;
    }
    ListSelection selection{};
    for (size_t i = 0; i < selection.size(); ++i) {
        selection[i] = ((bits >> i) & 1) != 0;
    }
    return selection;
}

}  // namespace

void WebDialogs::ShowMessage(const std::string& text, const std::string& caption) {
    page::Message(text, caption);
    ++answered_;
}

bool WebDialogs::AskYesNo(const std::string& text, const std::string& caption) {
    const bool yes = page::YesNo(text, caption);
    ++answered_;
    return yes;
}

Answer WebDialogs::Ask(const Question& question) {
    std::string buttons;
    for (const Answer button : question.buttons) {
        buttons += std::string(buttons.empty() ? "" : ",") + "\"" + AnswerWord(button) + "\"";
    }
    const std::string escape =
        question.escape ? std::string("\"") + AnswerWord(*question.escape) + "\"" : "null";
    const std::string json = "{\"text\":" + JsonQuote(question.text) +
                             ",\"caption\":" + JsonQuote(question.caption) + ",\"buttons\":[" +
                             buttons + "],\"enter\":\"" + AnswerWord(question.enter) +
                             "\",\"escape\":" + escape + "}";
    const std::string word = page::Ask(json);
    ++answered_;
    // The page answers with a word the question offered; no number is shared.
    for (const Answer button : question.buttons) {
        if (word == AnswerWord(button)) {
            return button;
        }
    }
    if (question.escape && word == AnswerWord(*question.escape)) {
        return *question.escape;
    }
    // An answer the page should not give: the one Escape gives, else the default.
    return question.escape.value_or(question.enter);
}

std::string WebDialogs::AskName(const std::string& defaultName) {
    return AskNameForRun(defaultName, -1, -1);
}

std::string WebDialogs::AskNameForRun(const std::string& defaultName, int32_t time, int32_t rank) {
    // The time as the name box says it, seconds beside the ticks; none for a plain name.
    std::string name = page::AskName(defaultName, time < 0 ? "" : TicksWithSeconds(time), rank);
    ++answered_;
    return name;
}

void WebDialogs::ShowHiScoreList(const HiScoreLines& lines) {
    page::HiScoreList(LinesJson(lines), false);
    ++answered_;
}

bool WebDialogs::ShowHiScoreListOfferingRace(const HiScoreLines& lines) {
    const bool race = page::HiScoreList(LinesJson(lines), true);
    ++answered_;
    return race;
}

std::optional<ListSelection> WebDialogs::ChooseOpponent(const HiScoreLines& lines) {
    const int32_t bits = page::ChooseRuns(LinesJson(lines), false);
    ++answered_;
    return Selection(bits);
}

std::optional<ListSelection> WebDialogs::ChooseRunToExport(const HiScoreLines& lines) {
    const int32_t bits = page::ChooseRuns(LinesJson(lines), true);
    ++answered_;
    return Selection(bits);
}

std::optional<OpenedFile> WebDialogs::OpenFile(FileKind kind) {
    std::optional<OpenedFile> opened = page::ChooseFile(kind);
    ++answered_;
    return opened;
}

std::optional<SavedFile> WebDialogs::SaveFile(FileKind /*kind*/, const std::string& suggestedName,
                                              std::span<const uint8_t> bytes) {
    // The browser decides where downloads go and asks the player itself if it is set to.
    page::Download(suggestedName, bytes);
    ++answered_;
    return SavedFile{suggestedName, {}};
}

std::optional<StageListChoice> WebDialogs::ChooseStage(const std::vector<StageListRow>& rows) {
    std::string json = "[";
    for (const StageListRow& row : rows) {
        json += std::string(json.size() > 1 ? "," : "") + "{\"name\":" + JsonQuote(row.name) +
                ",\"nameEn\":" + JsonQuote(row.nameEn) + ",\"author\":" + JsonQuote(row.author) +
                ",\"best\":" + std::to_string(row.bestTime) +
                ",\"current\":" + (row.current ? "true" : "false") +
                ",\"pack\":" + (row.pack ? "true" : "false") + "}";
    }
    std::optional<StageListChoice> choice = page::ChooseStage(json + "]");
    ++answered_;
    return choice;
}

void WebDialogs::ShowHelpPage(const std::string& title, const std::string& html) {
    page::HelpPage(title, html);
    ++answered_;
}

void WebDialogs::ShowAbout() {
    page::About();
    ++answered_;
}

}  // namespace vantrell::web
