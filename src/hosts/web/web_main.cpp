// The browser's entry point: the game folder in the browser's database, seeded from the files
// packed with the page, the texts in the player's language, and the host's event loop. The
// page starts it (page/main.js) after reading the numbers the two share (vt_protocol).
#include <emscripten.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "hosts/web/web_bridge.h"
#include "hosts/web/web_host.h"
#include "hosts/web/web_protocol.h"
#include "input/key_bindings.h"
#include "platform/ui_text.h"
#include "records/name_folding.h"
#include "records/record_names.h"

namespace {

// The packed game files, and the folder the game reads and writes, kept in IndexedDB.
constexpr char kPackedGame[] = "/package/game";
constexpr char kGameFolder[] = "/vantrell";

std::string Translate(const char* context, const char* text) {
    return vantrell::web::page::Translate(context, text);
}

}  // namespace

// What the page asks of the program itself, besides its events.
extern "C" {

// The numbers the page and the program share, by name (web_protocol.h); valid until the next
// call.
EMSCRIPTEN_KEEPALIVE const char* vt_protocol() {
    static std::string json;
    json = vantrell::web::ProtocolJson();
    return json.c_str();
}

// Runs entered since the table was last saved: closing the tab now would lose them.
EMSCRIPTEN_KEEPALIVE int32_t vt_unsaved() {
    const vantrell::web::WebHost* host = vantrell::web::WebHost::Running();
    return host != nullptr && host->Unsaved() ? 1 : 0;
}

// Whether the name box may take this (UTF-8) text: the record file's own check.
EMSCRIPTEN_KEEPALIVE int32_t vt_name_fits(const char* utf8) {
    return utf8 != nullptr && vantrell::NameFits(utf8) ? 1 : 0;
}

// The (UTF-8) name with its accented letters folded to plain ones, as the name box shows it;
// valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* vt_fold_name(const char* utf8) {
    static std::string folded;
    folded = vantrell::FoldAccents(utf8 != nullptr ? utf8 : "");
    return folded.c_str();
}

// The current stage, its course digest and the run file of its table's entry at `rank` under
// the (UTF-8) world name, as JSON (WebHost::WorldRun); valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* vt_world_run(const char* nameUtf8) {
    static std::string json;
    const vantrell::web::WebHost* host = vantrell::web::WebHost::Running();
    json = host != nullptr ? host->WorldRun(nameUtf8 != nullptr ? nameUtf8 : "") : "{}";
    return json.c_str();
}

// The keys the page keeps, one "Action=Key, Key" line each, put to work; a line that does not
// read cleanly keeps its default. Answers the lines in use, in the same form; valid until the
// next call.
EMSCRIPTEN_KEEPALIVE const char* vt_use_keys(const char* lines) {
    using vantrell::BoundAction;
    std::array<std::optional<std::string>, vantrell::kBoundActionCount> texts;
    std::string_view rest = lines != nullptr ? lines : "";
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        const std::size_t equals = line.find('=');
        for (std::size_t i = 0; i < vantrell::kBoundActionCount && equals != line.npos; ++i) {
            if (vantrell::ActionName(static_cast<BoundAction>(i)) == line.substr(0, equals)) {
                texts[i] = std::string(line.substr(equals + 1));
            }
        }
    }
    const vantrell::KeyBindings bindings = vantrell::KeyBindings::FromTexts(texts);
    if (vantrell::web::WebHost* host = vantrell::web::WebHost::Running()) {
        host->UseKeys(bindings);
    }
    static std::string answer;
    answer.clear();
    for (std::size_t i = 0; i < vantrell::kBoundActionCount; ++i) {
        const auto action = static_cast<BoundAction>(i);
        answer += std::string(vantrell::ActionName(action)) + "=" + bindings.Text(action) + "\n";
    }
    return answer.c_str();
}

}  // extern "C"

int main() {
    namespace page = vantrell::web::page;
    vantrell::SetUiTextTranslator(&Translate);
    if (!page::MountGameFolder(kGameFolder).empty()) {
        // Private windows may refuse the database: the game still runs, but keeps nothing.
        std::error_code ignored;
        std::filesystem::create_directories(kGameFolder, ignored);
    }
    // Seeded before the first table load (or the first demonstration would replay zeros), as
    // SeedGameDirectory does it but in whole buffers.
    const std::string error = page::CopyMissingFiles(kPackedGame, kGameFolder);
    if (!error.empty()) {
        page::Fail("cannot copy the game's files to " + std::string(kGameFolder) + ": " + error);
        return 1;
    }
    // The database holds what the folder holds from the start, so that reading it back later
    // (to see another tab's saves) drops nothing; storing it waits until the game is moving.
    page::StoreFilesLater();
    static vantrell::web::WebHost game(kGameFolder);
    game.Run();
}
