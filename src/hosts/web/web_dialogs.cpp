#include "hosts/web/web_dialogs.h"

#include <emscripten.h>

#include <array>
#include <cstdlib>

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

// The chosen file's name (null for a cancel); its bytes in memory the program frees (*bytes,
// *size), or what kept them from being read (*problem).
EM_ASYNC_JS(char*, ChooseFileOnPage, (uint8_t** bytes, int32_t* size, char** problem), {
    const file = await VT.ui.chooseFile("run");
    if (!file) {
        return 0;
    }
    if (file.bytes) {
        const pointer = Module._malloc(Math.max(1, file.bytes.length));
        HEAPU8.set(file.bytes, pointer);
        HEAP32[bytes >> 2] = pointer;
        HEAP32[size >> 2] = file.bytes.length;
    } else {
        HEAP32[problem >> 2] = VT.host.newString(file.problem || "?");
    }
    return VT.host.newString(file.name);
});

EM_JS(void, DownloadOnPage, (const char* name, const uint8_t* bytes, int32_t size), {
    VT.host.download(UTF8ToString(name), HEAPU8.slice(bytes, bytes + size));
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

std::optional<OpenedFile> WebDialogs::OpenFile(FileKind /*kind*/) {
    uint8_t* bytes = nullptr;
    int32_t size = 0;
    char* problem = nullptr;
    char* name = ChooseFileOnPage(&bytes, &size, &problem);
    ++answered_;
    if (name == nullptr) {
        return std::nullopt;
    }
    OpenedFile opened{TakeString(name), {}, TakeString(problem)};
    if (bytes != nullptr) {
        opened.bytes.assign(bytes, bytes + size);
        std::free(bytes);
    }
    return opened;
}

std::optional<SavedFile> WebDialogs::SaveFile(FileKind /*kind*/, const std::string& suggestedName,
                                              std::span<const uint8_t> bytes) {
    // The browser decides where downloads go and asks the player itself if it is set to.
    DownloadOnPage(suggestedName.c_str(), bytes.data(), static_cast<int32_t>(bytes.size()));
    ++answered_;
    return SavedFile{suggestedName, {}};
}

void WebDialogs::ShowAbout() {
    AboutOnPage();
    ++answered_;
}

}  // namespace vantrell::web
