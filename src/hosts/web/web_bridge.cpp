#include "hosts/web/web_bridge.h"

#include <emscripten.h>

#include <cstdio>
#include <cstdlib>

namespace vantrell::web {

namespace {

// The page's side is Module.page (page/main.js). Strings are read before the first await, so
// the C++ side may free them as soon as it likes; strings handed back are malloc'd here and
// freed by TakeString. The bodies are JavaScript, which the C++ formatter would break.
// clang-format off
EM_JS(void, LoadEffectJs, (int32_t id, const uint8_t* bytes, int32_t size), {
    Module.page.loadEffect(id, HEAPU8.slice(bytes, bytes + size));
});
EM_JS(void, PlayEffectJs, (int32_t id), { Module.page.playEffect(id); });
EM_JS(void, StopEffectJs, (), { Module.page.stopEffect(); });
EM_JS(void, OpenMusicJs, (const char* piece, const char* url), {
    Module.page.openMusic(UTF8ToString(piece), UTF8ToString(url));
});
EM_JS(void, PlayMusicJs, (const char* piece, int32_t fromStart), {
    Module.page.playMusic(UTF8ToString(piece), fromStart != 0);
});
EM_JS(void, StopMusicJs, (const char* piece), { Module.page.stopMusic(UTF8ToString(piece)); });
EM_JS(void, CloseMusicJs, (const char* piece), { Module.page.closeMusic(UTF8ToString(piece)); });

EM_JS(int32_t, KeyDownOrPressedJs, (int32_t key), { return Module.page.keyDownOrPressed(key) ? 1 : 0; });
// Fills out[0..4] with x, y, buttons, back and start; 0 for a pad, 1 for none at that index.
EM_JS(int32_t, ReadPadJs, (int32_t id, int32_t* out), {
    const pad = Module.page.readPad(id);
    if (!pad) {
        return 1;
    }
    HEAP32[out >> 2] = pad.x;
    HEAP32[(out >> 2) + 1] = pad.y;
    HEAP32[(out >> 2) + 2] = pad.buttons;
    HEAP32[(out >> 2) + 3] = pad.back ? 1 : 0;
    HEAP32[(out >> 2) + 4] = pad.start ? 1 : 0;
    return 0;
});
EM_JS(void, StartTimerJs, (int32_t periodMs), { Module.page.startTimer(periodMs); });
EM_JS(void, StopTimerJs, (), { Module.page.stopTimer(); });
EM_JS(int32_t, LoadSpeedJs, (), {
    const value = Module.page.loadSpeed();
    return Number.isInteger(value) && value >= 0 ? value : -1;
});
EM_JS(void, StoreSpeedJs, (int32_t periodMs), { Module.page.storeSpeed(periodMs); });

EM_ASYNC_JS(void, MessageJs, (const char* text, const char* caption), {
    const t = UTF8ToString(text);
    const c = UTF8ToString(caption);
    await Module.page.message(t, c);
});
EM_ASYNC_JS(int32_t, YesNoJs, (const char* text, const char* caption), {
    const t = UTF8ToString(text);
    const c = UTF8ToString(caption);
    return (await Module.page.yesNo(t, c)) ? 1 : 0;
});
EM_ASYNC_JS(char*, AskJs, (const char* questionJson), {
    const question = JSON.parse(UTF8ToString(questionJson));
    const word = String(await Module.page.ask(question));
    const size = lengthBytesUTF8(word) + 1;
    const copy = _malloc(size);
    stringToUTF8(word, copy, size);
    return copy;
});
EM_ASYNC_JS(char*, AskNameJs, (const char* defaultName, const char* timeText, int32_t rank), {
    const name = UTF8ToString(defaultName);
    const time = UTF8ToString(timeText);
    const typed = String(await Module.page.askName(name, time === "" ? null : time, rank < 0 ? null : rank));
    const size = lengthBytesUTF8(typed) + 1;
    const copy = _malloc(size);
    stringToUTF8(typed, copy, size);
    return copy;
});
EM_ASYNC_JS(int32_t, HiScoreListJs, (const char* linesJson, int32_t offerRace), {
    const lines = JSON.parse(UTF8ToString(linesJson));
    return (await Module.page.hiScoreList(lines, offerRace != 0)) ? 1 : 0;
});
EM_ASYNC_JS(int32_t, ChooseRunsJs, (const char* linesJson, int32_t forExport), {
    const lines = JSON.parse(UTF8ToString(linesJson));
    const chosen = await Module.page.chooseRuns(lines, forExport ? "export" : "opponent");
    if (!chosen) {
        return -1;
    }
    let bits = 0;
    chosen.forEach((on, i) => { if (on) bits |= 1 << i; });
    return bits;
});
// The chosen file's name (null for a cancel); its bytes in memory the program frees (*bytes,
// *size), or what kept them from being read (*problem).
EM_ASYNC_JS(char*, ChooseFileJs, (const char* kind, uint8_t** bytes, int32_t* size, char** problem), {
    const file = await Module.page.chooseFile(UTF8ToString(kind));
    if (!file) {
        return 0;
    }
    const copyText = (text) => {
        const length = lengthBytesUTF8(text) + 1;
        const copy = _malloc(length);
        stringToUTF8(text, copy, length);
        return copy;
    };
    if (file.bytes) {
        const pointer = _malloc(Math.max(1, file.bytes.length));
        HEAPU8.set(file.bytes, pointer);
        HEAP32[bytes >> 2] = pointer;
        HEAP32[size >> 2] = file.bytes.length;
    } else {
        HEAP32[problem >> 2] = copyText(String(file.problem || "?"));
    }
    return copyText(String(file.name));
});
EM_ASYNC_JS(void, AboutJs, (), { await Module.page.about(); });
EM_ASYNC_JS(void, HelpPageJs, (const char* title, const char* html), {
    const t = UTF8ToString(title);
    const h = UTF8ToString(html);
    await Module.page.helpPage(t, h);
});

EM_JS(void, PresentJs, (const uint8_t* rgba, int32_t width, int32_t height, int32_t shownWidth), {
    // A view of the program's memory: the canvas copies it, so nothing else need.
    Module.page.present(HEAPU8.subarray(rgba, rgba + width * height * 4), width, height, shownWidth);
});
EM_JS(void, PaintStatusJs, (const char* text, int32_t widthUnits), {
    Module.page.status(UTF8ToString(text), widthUnits);
});
EM_JS(void, SetCheckJs, (int32_t command, int32_t checked), { Module.page.setCheck(command, checked != 0); });
EM_JS(void, ShowPausedJs, (int32_t paused), { Module.page.paused(paused != 0); });

EM_JS(void, ShowRaceDisplayJs, (const char* json), { Module.page.raceDisplay(JSON.parse(UTF8ToString(json))); });
EM_JS(void, ShowCourseMapJs, (const uint8_t* rgba, int32_t size), {
    Module.page.courseMap(HEAPU8.slice(rgba, rgba + size * size * 4), size);
});

EM_ASYNC_JS(int32_t, NextEventJs, (int32_t* args), {
    const event = await Module.page.nextEvent();
    HEAP32[args >> 2] = event.a | 0;
    HEAP32[(args >> 2) + 1] = event.b | 0;
    return event.type | 0;
});
// Reads the database into the folder (populate) or stores the folder's changes in it, in one
// database transaction. A failure is noted and the game goes on: its files are still in memory.
// The syncs go one after the other (Module.vtSyncs), a store left for later (StoreFilesLaterJs)
// first: a read from a database that lacks the folder's files would drop them.
EM_ASYNC_JS(void, SyncFilesJs, (int32_t fromDatabase), {
    if (Module.vtStoreLater) Module.vtStoreLater();
    const sync = () => new Promise((resolve) => FS.syncfs(fromDatabase != 0, (error) => {
        if (error) console.warn("vantrell: the game folder could not be stored:", error);
        resolve();
    }));
    Module.vtSyncs = (Module.vtSyncs || Promise.resolve()).then(sync);
    await Module.vtSyncs;
});
// Stores the folder in the database once the game's first frames are shown (page.afterStart),
// or before the next sync if that comes first; the program goes on meanwhile. Only what the
// database lacks or holds older is stored (game_folder.pre.js): another tab may have saved
// since the folder was read.
EM_JS(void, StoreFilesLaterJs, (), {
    const store = () => {
        if (Module.vtStoreLater !== store) return;
        Module.vtStoreLater = null;
        const sync = () => new Promise((resolve) => Module.vtStoreNewer((error) => {
            if (error) console.warn("vantrell: the game folder could not be stored:", error);
            resolve();
        }));
        Module.vtSyncs = (Module.vtSyncs || Promise.resolve()).then(sync);
    };
    Module.vtStoreLater = store;
    Module.page.afterStart(store);
});
// Copies into `to` every file of `from` it lacks, folders included, as whole buffers the
// folder then owns (a copy byte by byte through the C++ streams takes a tenth of a second).
// Both are in-memory folders (the packed files, and the database's folder as read in): their
// entries are walked as nodes, since resolving and opening each path by name was most of the
// time this took, on the start's path.
EM_JS(char*, CopyMissingFilesJs, (const char* fromName, const char* toName), {
    const copy = (from, to) => {
        const fromDir = FS.lookupPath(from).node;
        const toDir = FS.lookupPath(to).node;
        for (const name of Object.keys(fromDir.contents)) {
            const source = fromDir.contents[name];
            const target = to + "/" + name;
            const present = Object.prototype.hasOwnProperty.call(toDir.contents, name);
            if (FS.isDir(source.mode)) {
                if (!present) FS.mkdir(target);
                copy(from + "/" + name, target);
            } else if (!present) {
                const bytes = MEMFS.getFileDataAsTypedArray(source).slice();
                FS.writeFile(target, bytes, { canOwn: true });
            }
        }
    };
    let error = "";
    try {
        FS.mkdirTree(UTF8ToString(toName));
        copy(UTF8ToString(fromName), UTF8ToString(toName));
    } catch (e) {
        error = String(e.message || e) || "error";
    }
    if (!error) {
        return 0;
    }
    const size = lengthBytesUTF8(error) + 1;
    const copied = _malloc(size);
    stringToUTF8(error, copied, size);
    return copied;
});
// The folder was mounted and read in before main (game_folder.pre.js); its outcome.
EM_JS(char*, MountGameFolderJs, (const char* folderName), {
    const folder = Module.vtFolder || { path: "", error: "" };
    const error = folder.path !== UTF8ToString(folderName) ? "not mounted" : folder.error;
    if (!error) {
        return 0;
    }
    const size = lengthBytesUTF8(error) + 1;
    const copy = _malloc(size);
    stringToUTF8(error, copy, size);
    return copy;
});
EM_JS(void, DownloadJs, (const char* name, const uint8_t* bytes, int32_t size), {
    Module.page.download(UTF8ToString(name), HEAPU8.slice(bytes, bytes + size));
});
EM_JS(void, ReadyJs, (const char* menuJson), { Module.page.ready(JSON.parse(UTF8ToString(menuJson))); });
EM_JS(void, OpenControlsJs, (const char* stateJson), { Module.page.openControls(JSON.parse(UTF8ToString(stateJson))); });
EM_JS(void, UpdateControlsJs, (const char* stateJson), { Module.page.updateControls(JSON.parse(UTF8ToString(stateJson))); });
EM_JS(void, CloseControlsJs, (), { Module.page.closeControls(); });
EM_JS(void, FailJs, (const char* message), { Module.page.fail(UTF8ToString(message)); });
EM_JS(char*, TranslateJs, (const char* context, const char* text), {
    const translated = String(Module.page.translate(UTF8ToString(context), UTF8ToString(text)));
    const size = lengthBytesUTF8(translated) + 1;
    const copy = _malloc(size);
    stringToUTF8(translated, copy, size);
    return copy;
});
// clang-format on

}  // namespace

std::string TakeString(char* fromPage) {
    std::string text = fromPage == nullptr ? std::string() : std::string(fromPage);
    std::free(fromPage);
    return text;
}

std::string JsonQuote(const std::string& text) {
    std::string quoted = "\"";
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            quoted += '\\';
            quoted += ch;
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            quoted += escape;
        } else {
            quoted += ch;
        }
    }
    return quoted + "\"";
}

namespace page {

void LoadEffect(int32_t id, std::span<const uint8_t> waveImage) {
    LoadEffectJs(id, waveImage.data(), static_cast<int32_t>(waveImage.size()));
}
void PlayEffect(int32_t id) {
    PlayEffectJs(id);
}
void StopEffect() {
    StopEffectJs();
}
void OpenMusic(const std::string& piece, const std::string& url) {
    OpenMusicJs(piece.c_str(), url.c_str());
}
void PlayMusic(const std::string& piece, bool fromStart) {
    PlayMusicJs(piece.c_str(), fromStart ? 1 : 0);
}
void StopMusic(const std::string& piece) {
    StopMusicJs(piece.c_str());
}
void CloseMusic(const std::string& piece) {
    CloseMusicJs(piece.c_str());
}

bool KeyDownOrPressed(int32_t key) {
    return KeyDownOrPressedJs(key) != 0;
}
std::optional<PadReading> ReadPad(int32_t id) {
    int32_t out[5] = {0, 0, 0, 0, 0};
    if (ReadPadJs(id, out) != 0) {
        return std::nullopt;
    }
    return PadReading{out[0], out[1], out[2], out[3] != 0, out[4] != 0};
}
void StartTimer(int32_t periodMs) {
    StartTimerJs(periodMs);
}
void StopTimer() {
    StopTimerJs();
}
std::optional<int32_t> LoadSpeed() {
    const int32_t value = LoadSpeedJs();
    return value < 0 ? std::nullopt : std::optional<int32_t>(value);
}
void StoreSpeed(int32_t periodMs) {
    StoreSpeedJs(periodMs);
}

void Message(const std::string& text, const std::string& caption) {
    MessageJs(text.c_str(), caption.c_str());
}
bool YesNo(const std::string& text, const std::string& caption) {
    return YesNoJs(text.c_str(), caption.c_str()) != 0;
}
std::string Ask(const std::string& questionJson) {
    return TakeString(AskJs(questionJson.c_str()));
}
std::string AskName(const std::string& defaultName, const std::string& timeText, int32_t rank) {
    return TakeString(AskNameJs(defaultName.c_str(), timeText.c_str(), rank));
}
bool HiScoreList(const std::string& linesJson, bool offerRace) {
    return HiScoreListJs(linesJson.c_str(), offerRace ? 1 : 0) != 0;
}
int32_t ChooseRuns(const std::string& linesJson, bool forExport) {
    return ChooseRunsJs(linesJson.c_str(), forExport ? 1 : 0);
}
std::optional<OpenedFile> ChooseFile(FileKind kind) {
    uint8_t* bytes = nullptr;
    int32_t size = 0;
    char* problem = nullptr;
    char* name =
        ChooseFileJs(kind == FileKind::StagePack ? "pack" : "run", &bytes, &size, &problem);
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
void About() {
    AboutJs();
}

void HelpPage(const std::string& title, const std::string& html) {
    HelpPageJs(title.c_str(), html.c_str());
}

void Present(const uint8_t* rgba, int32_t width, int32_t height, int32_t shownWidth) {
    PresentJs(rgba, width, height, shownWidth);
}
void PaintStatus(const std::string& text, int32_t widthUnits) {
    PaintStatusJs(text.c_str(), widthUnits);
}
void SetCheck(int32_t command, bool checked) {
    SetCheckJs(command, checked ? 1 : 0);
}
void ShowPaused(bool paused) {
    ShowPausedJs(paused ? 1 : 0);
}

void ShowRaceDisplay(const std::string& displayJson) {
    ShowRaceDisplayJs(displayJson.c_str());
}
void ShowCourseMap(std::span<const uint8_t> rgba, int32_t size) {
    if (rgba.size() >= static_cast<size_t>(size) * static_cast<size_t>(size) * 4) {
        ShowCourseMapJs(rgba.data(), size);
    }
}

EventFromPage NextEvent() {
    int32_t args[2] = {0, 0};
    EventFromPage event;
    event.type = NextEventJs(args);
    event.a = args[0];
    event.b = args[1];
    return event;
}
std::string MountGameFolder(const std::string& folder) {
    return TakeString(MountGameFolderJs(folder.c_str()));
}
void SyncFiles(bool fromDatabase) {
    SyncFilesJs(fromDatabase ? 1 : 0);
}
void StoreFilesLater() {
    StoreFilesLaterJs();
}
std::string CopyMissingFiles(const std::string& from, const std::string& to) {
    return TakeString(CopyMissingFilesJs(from.c_str(), to.c_str()));
}
void Download(const std::string& name, std::span<const uint8_t> bytes) {
    DownloadJs(name.c_str(), bytes.data(), static_cast<int32_t>(bytes.size()));
}
void Ready(const std::string& menuJson) {
    ReadyJs(menuJson.c_str());
}
void OpenControls(const std::string& stateJson) {
    OpenControlsJs(stateJson.c_str());
}
void UpdateControls(const std::string& stateJson) {
    UpdateControlsJs(stateJson.c_str());
}
void CloseControls() {
    CloseControlsJs();
}
void Fail(const std::string& message) {
    FailJs(message.c_str());
}
std::string Translate(const char* context, const char* text) {
    return TakeString(TranslateJs(context, text));
}

}  // namespace page
}  // namespace vantrell::web
