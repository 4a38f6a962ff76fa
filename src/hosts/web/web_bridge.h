// Every call from the program into the page, in one list. The page hands its side over as one
// object when it creates the program (page/main.js, `page` there); these functions are the only
// code that reaches it. Strings the page answers are copied and freed here, so callers see plain
// C++ values. The dialog calls wait for the player: the program is suspended there (Asyncify)
// and resumed when the page's promise settles.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace vantrell::web {

// The text as a JSON string literal, quotes included.
std::string JsonQuote(const std::string& text);
// For the bridge's own files: takes a string the page side allocated with malloc (null reads
// as empty) and frees it.
std::string TakeString(char* fromPage);

namespace page {

// ---- sound (page/audio.js)
void LoadEffect(int32_t id, std::span<const uint8_t> waveImage);
void PlayEffect(int32_t id);
void StopEffect();
// A piece by its word, fetched from `url` beside the page.
void OpenMusic(const std::string& piece, const std::string& url);
void PlayMusic(const std::string& piece, bool fromStart);
void StopMusic(const std::string& piece);
void CloseMusic(const std::string& piece);

// ---- keys, pads, the tick loop, the kept speed (page/screen.js, page/host.js)
bool KeyDownOrPressed(int32_t key);
struct PadReading {
    int32_t x = 0;  // 0..65535
    int32_t y = 0;
    int32_t buttons = 0;
    bool back = false;
    bool start = false;
};
std::optional<PadReading> ReadPad(int32_t id);  // nothing: no pad at that index
void StartTimer(int32_t periodMs);
void StopTimer();
std::optional<int32_t> LoadSpeed();
void StoreSpeed(int32_t periodMs);

// ---- dialogs (page/ui_dialogs.js, page/ui_records.js)
void Message(const std::string& text, const std::string& caption);
bool YesNo(const std::string& text, const std::string& caption);
// The question as JSON ({text, caption, buttons, enter, escape} with answers as words); the
// word of the answer given.
std::string Ask(const std::string& questionJson);
// The run's time as the box says it ("928 (14.85 s)") and its rank; an empty time: the box
// without the run's line.
std::string AskName(const std::string& defaultName, const std::string& timeText, int32_t rank);
bool HiScoreList(const std::string& linesJson, bool offerRace);
// The selection as ten bits (item 0 the lowest), or -1 for a cancel.
int32_t ChooseRuns(const std::string& linesJson, bool forExport);
// The chosen file's name and bytes, or what kept them from being read; nothing for a cancel.
std::optional<OpenedFile> ChooseFile(FileKind kind);
void About();
// A page of help: its title and its small rich text (h3, p, ul, li and b; the texts escaped).
void HelpPage(const std::string& title, const std::string& html);

// ---- the list of stages and stage packs' archives (page/ui_stages.js, page/archive.js; these
// calls are in web_bridge_packs.cpp)
// The rows as JSON ({name, nameEn, author, best, current, pack}); the player's choice.
std::optional<StageListChoice> ChooseStage(const std::string& rowsJson);
// Opens the archive on the page: how many entries it lists, or nothing with why it is none.
std::optional<int64_t> OpenArchive(std::span<const uint8_t> bytes, std::string* problem);
// What the open archive says of entry `index`: its name, what it is ("file", "link", "folder",
// "special") and its declared size.
struct ArchiveHead {
    std::string name;
    std::string type;
    uint64_t size = 0;
};
ArchiveHead ArchiveEntryHead(int64_t index);
// Entry `index` unpacked, the page stopping once more than `size` bytes came out; nothing with
// why when it cannot be.
std::optional<std::vector<uint8_t>> UnpackArchiveEntry(int64_t index, uint64_t size,
                                                       std::string* problem);
void CloseArchive();

// ---- the picture, the strip, the menu's marks (page/screen.js, page/ui.js)
// `width` x `height` pixels standing for `shownWidth` x 270 of the window's client area.
void Present(const uint8_t* rgba, int32_t width, int32_t height, int32_t shownWidth);
void PaintStatus(const std::string& text, int32_t widthUnits);
void SetCheck(int32_t command, bool checked);
void ShowPaused(bool paused);

// ---- the race display (page/panel.js)
void ShowRaceDisplay(const std::string& displayJson);
void ShowCourseMap(std::span<const uint8_t> rgba, int32_t size);

// ---- the host: events, files, start-up (page/host.js, page/i18n.js)
struct EventFromPage {
    int32_t type = 0;
    int32_t a = 0;
    int32_t b = 0;
};
EventFromPage NextEvent();
// The browser's database mounted on `folder` and read in (game_folder.pre.js, before main);
// the error, if any.
std::string MountGameFolder(const std::string& folder);
// Reads the database into the game folder, or stores the folder's changes in it.
void SyncFiles(bool fromDatabase);
// Stores the folder in the database once the game is up and moving (or before the next
// SyncFiles), without waiting for it.
void StoreFilesLater();
// Copies into `to` the files of `from` it lacks; the error, if any.
std::string CopyMissingFiles(const std::string& from, const std::string& to);
// Hands the bytes to the browser as a download named `name`.
void Download(const std::string& name, std::span<const uint8_t> bytes);
void Ready(const std::string& menuJson);
void OpenControls(const std::string& stateJson);
void UpdateControls(const std::string& stateJson);
void CloseControls();
void Fail(const std::string& message);
std::string Translate(const char* context, const char* text);

}  // namespace page
}  // namespace vantrell::web
