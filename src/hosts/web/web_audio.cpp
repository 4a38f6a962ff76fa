#include "hosts/web/web_audio.h"

#include <emscripten.h>

#include <filesystem>

namespace vantrell::web {

namespace {

// The bodies are JavaScript, which the C++ formatter would break.
// clang-format off
EM_JS(void, LoadEffectOnPage, (int32_t id, const uint8_t* bytes, int32_t size), {
    VT.audio.loadEffect(id, HEAPU8.slice(bytes, bytes + size));
});
EM_JS(void, PlayEffectOnPage, (int32_t id), { VT.audio.playEffect(id); });
EM_JS(void, StopEffectOnPage, (), { VT.audio.stopEffect(); });
EM_JS(void, OpenMusicOnPage, (const char* alias, const char* file), {
    VT.audio.openMusic(UTF8ToString(alias), UTF8ToString(file));
});
EM_JS(void, PlayMusicOnPage, (const char* alias, int32_t fromStart), {
    VT.audio.playMusic(UTF8ToString(alias), fromStart != 0);
});
EM_JS(void, StopMusicOnPage, (const char* alias), { VT.audio.stopMusic(UTF8ToString(alias)); });
EM_JS(void, CloseMusicOnPage, (const char* alias), { VT.audio.closeMusic(UTF8ToString(alias)); });
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

void WebAudio::OpenMusic(const std::string& alias, const std::string& file) {
    // The page plays the piece rendered from this MIDI file at build time, found by its name.
    OpenMusicOnPage(alias.c_str(), std::filesystem::path(file).filename().string().c_str());
}

void WebAudio::PlayMusic(const std::string& alias, bool fromStart) {
    PlayMusicOnPage(alias.c_str(), fromStart ? 1 : 0);
}

void WebAudio::StopMusic(const std::string& alias) {
    StopMusicOnPage(alias.c_str());
}

void WebAudio::CloseMusic(const std::string& alias) {
    CloseMusicOnPage(alias.c_str());
}

}  // namespace vantrell::web
