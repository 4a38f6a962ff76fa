// The program's self-checks, which only the browser tests call (tests/web/hooks/checks.js):
// the fingerprints of the tables and first frames, every stored run driven again, the race's
// state, and a recording to drive the next solo race with. They are exports of the same program
// players get, so the tests check what players run; the page itself never calls them.
#include <emscripten.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "hosts/web/web_host.h"
#include "race/frame_digest.h"

namespace {

const char* Keep(std::string text) {
    static std::string kept;
    kept = std::move(text);
    return kept.c_str();
}

vantrell::web::WebHost* Host() {
    return vantrell::web::WebHost::Running();
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* vt_tables_digest() {
    return Keep(vantrell::TablesDigest());
}

EMSCRIPTEN_KEEPALIVE const char* vt_frame_log() {
    return Keep(Host() != nullptr ? Host()->FrameLog() : std::string());
}

EMSCRIPTEN_KEEPALIVE const char* vt_verify_records() {
    return Keep(Host() != nullptr ? Host()->VerifyRecords() : std::string());
}

EMSCRIPTEN_KEEPALIVE const char* vt_state() {
    return Keep(Host() != nullptr ? Host()->State() : std::string("{}"));
}

// The recording's 2400 bytes drive player 1 in the next solo race.
EMSCRIPTEN_KEEPALIVE int32_t vt_drive_next_solo(const uint8_t* bytes, int32_t size,
                                                int32_t pauseAfter) {
    vantrell::Recording recording{};
    if (Host() == nullptr || bytes == nullptr || size != static_cast<int32_t>(recording.size())) {
        return 0;
    }
    std::memcpy(recording.data(), bytes, recording.size());
    Host()->DriveNextSoloRace(recording, pauseAfter);
    return 1;
}

}  // extern "C"
