#include "hosts/web/web_audio.h"

#include <emscripten.h>

namespace vantrell::web {

namespace {

// The bodies are JavaScript, which the C++ formatter would break.
// clang-format off
EM_JS(void, LoadEffectOnPage, (int32_t id, const uint8_t* bytes, int32_t size), {
    VT.audio.loadEffect(id, HEAPU8.slice(bytes, bytes + size));
});
EM_JS(void, PlayEffectOnPage, (int32_t id), { VT.audio.playEffect(id); });
EM_JS(void, StopEffectOnPage, (), { VT.audio.stopEffect(); });
EM_JS(void, OpenMusicOnPage, (const char* piece, const char* url), {
    VT.audio.openMusic(UTF8ToString(piece), UTF8ToString(url));
});
EM_JS(void, PlayMusicOnPage, (const char* piece, int32_t fromStart), {
    VT.audio.playMusic(UTF8ToString(piece), fromStart != 0);
});
EM_JS(void, StopMusicOnPage, (const char* piece), { VT.audio.stopMusic(UTF8ToString(piece)); });
EM_JS(void, CloseMusicOnPage, (const char* piece), { VT.audio.closeMusic(UTF8ToString(piece)); });
// clang-format on

}  // namespace

int32_t WebAudio::EffectId(std::span<const uint8_t> waveImage) {
    // The images stay valid for the whole run, so their address names them.
    const auto found = effectIds_.find(waveImage.data());
    if (found != effectIds_.end()) {
        return found->second;
    }
    const auto id = static_cast<int32_t>(effectIds_.size());
    effectIds_[waveImage.data()] = id;
    LoadEffectOnPage(id, waveImage.data(), static_cast<int32_t>(waveImage.size()));
    return id;
}

void WebAudio::LoadEffect(std::span<const uint8_t> waveImage) {
    if (!waveImage.empty()) {
        EffectId(waveImage);
    }
}

void WebAudio::PlayEffect(std::span<const uint8_t> waveImage) {
    if (!waveImage.empty()) {
        PlayEffectOnPage(EffectId(waveImage));
    }
}

void WebAudio::StopEffect() {
    StopEffectOnPage();
}

const char* WebAudio::MusicUrl(MusicPiece piece) {
    // Rendered at build time from the game's MIDI files (music.cmake).
    return piece == MusicPiece::Race ? "music/bgm1.opus" : "music/stend.opus";
}

void WebAudio::OpenMusic(MusicPiece piece) {
    OpenMusicOnPage(MusicPieceWord(piece), MusicUrl(piece));
}

void WebAudio::PlayMusic(MusicPiece piece, bool fromStart) {
    PlayMusicOnPage(MusicPieceWord(piece), fromStart ? 1 : 0);
}

void WebAudio::StopMusic(MusicPiece piece) {
    StopMusicOnPage(MusicPieceWord(piece));
}

void WebAudio::CloseMusic(MusicPiece piece) {
    CloseMusicOnPage(MusicPieceWord(piece));
}

}  // namespace vantrell::web
