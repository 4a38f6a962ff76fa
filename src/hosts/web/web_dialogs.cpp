#include "hosts/web/web_dialogs.h"

#include <emscripten.h>

#include <array>

#include "hosts/web/web_bridge.h"

namespace vantrell::web {

namespace {

// Strings are read before the first await, so the C++ side may free them as soon as it likes.
// The bodies are JavaScript, which the C++ formatter would break.
// clang-format off
EM_ASYNC_JS(void, MessageOnPage, (const char* text, const char* caption), {
    const t = UTF8ToString(text);
    const c = UTF8ToString(caption);
    await VT.ui.message(t, c);
});

EM_ASYNC_JS(int32_t, YesNoOnPage, (const char* text, const char* caption), {
    const t = UTF8ToString(text);
    const c = UTF8ToString(caption);
    return (await VT.ui.yesNo(t, c)) ? 1 : 0;
});

EM_ASYNC_JS(int32_t, AskOnPage, (const char* questionJson), {
    const question = JSON.parse(UTF8ToString(questionJson));
    const answer = await VT.ui.ask(question);
    return ["yes", "no", "cancel", "retry", "discard"].indexOf(answer);
});

EM_ASYNC_JS(char*, AskNameOnPage, (const char* defaultName, int32_t time, int32_t rank), {
    const name = UTF8ToString(defaultName);
    const typed = await VT.ui.askName(name, time < 0 ? null : time, rank < 0 ? null : rank);
    return VT.host.newString(typed);
});

EM_ASYNC_JS(int32_t, ListOnPage, (const char* linesJson, int32_t offerRace), {
    const lines = JSON.parse(UTF8ToString(linesJson));
    return (await VT.ui.hiScoreList(lines, offerRace != 0)) ? 1 : 0;
});

// The selection as ten bits (item 0 the lowest), or -1 for a cancel.
EM_ASYNC_JS(int32_t, ChooseRunsOnPage, (const char* linesJson, int32_t forExport), {
    const lines = JSON.parse(UTF8ToString(linesJson));
    const chosen = await VT.ui.chooseRuns(lines, forExport ? "export" : "opponent");
    if (!chosen) {
        return -1;
    }
    let bits = 0;
    chosen.forEach((on, i) => { if (on) bits |= 1 << i; });
    return bits;
});

EM_ASYNC_JS(char*, ChooseFileOnPage, (), {
    const file = await VT.ui.chooseFile("run");
    return file ? VT.host.newString(VT.host.putUpload(file.name, file.bytes)) : 0;
});

EM_ASYNC_JS(void, AboutOnPage, (), { await VT.ui.about(); });
// clang-format on

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
    MessageOnPage(text.c_str(), caption.c_str());
    ++answered_;
}

bool WebDialogs::AskYesNo(const std::string& text, const std::string& caption) {
    const bool yes = YesNoOnPage(text.c_str(), caption.c_str()) != 0;
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
    const int32_t index = AskOnPage(json.c_str());
    ++answered_;
    constexpr std::array<Answer, 5> kAnswers{Answer::Yes, Answer::No, Answer::Cancel, Answer::Retry,
                                             Answer::Discard};
    if (index >= 0 && index < static_cast<int32_t>(kAnswers.size())) {
        return kAnswers[static_cast<size_t>(index)];
    }
    // An answer the page should not give: the one Escape gives, else the default.
    return question.escape.value_or(question.enter);
}

std::string WebDialogs::AskName(const std::string& defaultName) {
    return AskNameForRun(defaultName, -1, -1);
}

std::string WebDialogs::AskNameForRun(const std::string& defaultName, int32_t time, int32_t rank) {
    std::string name = TakeString(AskNameOnPage(defaultName.c_str(), time, rank));
    ++answered_;
    return name;
}

void WebDialogs::ShowHiScoreList(const HiScoreLines& lines) {
    ListOnPage(LinesJson(lines).c_str(), 0);
    ++answered_;
}

bool WebDialogs::ShowHiScoreListOfferingRace(const HiScoreLines& lines) {
    const bool race = ListOnPage(LinesJson(lines).c_str(), 1) != 0;
    ++answered_;
    return race;
}

std::optional<ListSelection> WebDialogs::ChooseOpponent(const HiScoreLines& lines) {
    const int32_t bits = ChooseRunsOnPage(LinesJson(lines).c_str(), 0);
    ++answered_;
    return Selection(bits);
}

std::optional<ListSelection> WebDialogs::ChooseRunToExport(const HiScoreLines& lines) {
    const int32_t bits = ChooseRunsOnPage(LinesJson(lines).c_str(), 1);
    ++answered_;
    return Selection(bits);
}

std::optional<std::filesystem::path> WebDialogs::ChooseFileToOpen(FileKind /*kind*/) {
    const std::string path = TakeString(ChooseFileOnPage());
    ++answered_;
    if (path.empty()) {
        return std::nullopt;
    }
    return std::filesystem::path(path);
}

std::optional<std::filesystem::path> WebDialogs::ChooseFileToSave(
    FileKind /*kind*/, const std::string& suggestedName) {
    // The browser asks where downloads go; the game writes here and the host hands it over.
    const std::filesystem::path folder = "/tmp/download";
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    download_ = folder / std::filesystem::path(suggestedName).filename();
    return download_;
}

void WebDialogs::ShowAbout() {
    AboutOnPage();
    ++answered_;
}

std::optional<std::filesystem::path> WebDialogs::TakeDownload() {
    return std::exchange(download_, std::nullopt);
}

}  // namespace vantrell::web
