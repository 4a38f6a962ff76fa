// The browser's entry point: the game folder in the browser's database, seeded from the files
// packed with the page, the texts in the player's language, and the host's event loop. The
// functions marked for export are the page's self-checks (tests and the README's figures).
#include <emscripten.h>

#include <cstring>
#include <string>

#include "hosts/web/web_bridge.h"
#include "hosts/web/web_host.h"
#include "io/game_directory.h"
#include "platform/ui_text.h"
#include "race/frame_digest.h"

namespace {

// The packed game files, and the folder the game reads and writes, kept in IndexedDB.
constexpr char kPackedGame[] = "/package/game";
constexpr char kGameFolder[] = "/vantrell";

vantrell::web::WebHost* host = nullptr;

// Mounts the browser's database on the game folder and reads it in; the error, if any.
// The bodies are JavaScript, which the C++ formatter would break.
// clang-format off
EM_ASYNC_JS(char*, MountGameFolder, (const char* folder), {
    const path = UTF8ToString(folder);
    try {
        FS.mkdir(path);
        FS.mount(IDBFS, {}, path);
        await VT.host.syncFiles(true);
        return 0;
    } catch (e) {
        return VT.host.newString(String(e));
    }
});

EM_ASYNC_JS(void, StoreGameFolder, (), { await VT.host.syncFiles(false); });

EM_JS(char*, TranslateOnPage, (const char* context, const char* text), {
    return VT.host.newString(VT.i18n.tr(UTF8ToString(context), UTF8ToString(text)));
});

EM_JS(void, FailOnPage, (const char* message), { VT.host.fail(UTF8ToString(message)); });
// clang-format on

std::string Translate(const char* context, const char* text) {
    return vantrell::web::TakeString(TranslateOnPage(context, text));
}

const char* Keep(std::string text) {
    static std::string kept;
    kept = std::move(text);
    return kept.c_str();
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* vt_tables_digest() {
    return Keep(vantrell::TablesDigest());
}

EMSCRIPTEN_KEEPALIVE const char* vt_frame_log() {
    return Keep(host != nullptr ? host->FrameLog() : std::string());
}

EMSCRIPTEN_KEEPALIVE const char* vt_verify_records() {
    return Keep(host != nullptr ? host->VerifyRecords() : std::string());
}

EMSCRIPTEN_KEEPALIVE const char* vt_state() {
    return Keep(host != nullptr ? host->State() : std::string("{}"));
}

EMSCRIPTEN_KEEPALIVE int32_t vt_unsaved() {
    return host != nullptr && host->Unsaved() ? 1 : 0;
}

// The recording's 2400 bytes drive player 1 in the next solo race.
EMSCRIPTEN_KEEPALIVE int32_t vt_drive_next_solo(const uint8_t* bytes, int32_t size,
                                                int32_t pauseAfter) {
    vantrell::Recording recording{};
    if (host == nullptr || size != static_cast<int32_t>(recording.size())) {
        return 0;
    }
    std::memcpy(recording.data(), bytes, recording.size());
    host->DriveNextSoloRace(recording, pauseAfter);
    return 1;
}

}  // extern "C"

int main() {
    vantrell::SetUiTextTranslator(&Translate);
    const std::string mountError = vantrell::web::TakeString(MountGameFolder(kGameFolder));
    if (!mountError.empty()) {
        // Private windows may refuse the database: the game still runs, but keeps nothing.
        std::error_code ignored;
        std::filesystem::create_directories(kGameFolder, ignored);
    }
    std::string error;
    if (!vantrell::SeedGameDirectory(kPackedGame, kGameFolder, error)) {
        FailOnPage(error.c_str());
        return 1;
    }
    // The database holds what the folder holds from the start, so that reading it back later
    // (to see another tab's saves) drops nothing.
    StoreGameFolder();
    static vantrell::web::WebHost game(kGameFolder);
    host = &game;
    game.Run();
}
