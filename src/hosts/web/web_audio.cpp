#include "hosts/web/web_audio.h"

#include <filesystem>

#include "hosts/web/web_bridge.h"

namespace vantrell::web {

int32_t WebAudio::EffectId(std::span<const uint8_t> waveImage) {
    // The images stay valid for the whole run, so their address names them.
    const auto found = effectIds_.find(waveImage.data());
    if (found != effectIds_.end()) {
        return found->second;
    }
    const auto id = static_cast<int32_t>(effectIds_.size());
    effectIds_[waveImage.data()] = id;
    page::LoadEffect(id, waveImage);
    return id;
}

void WebAudio::LoadEffect(std::span<const uint8_t> waveImage) {
    if (!waveImage.empty()) {
        EffectId(waveImage);
    }
}

void WebAudio::PlayEffect(std::span<const uint8_t> waveImage) {
    if (!waveImage.empty()) {
        page::PlayEffect(EffectId(waveImage));
    }
}

void WebAudio::StopEffect() {
    page::StopEffect();
}

void WebAudio::OpenMusic(const std::string& alias, const std::string& file) {
    // The page plays the piece rendered from this MIDI file at build time, found by its name.
    page::OpenMusic(alias, std::filesystem::path(file).filename().string());
}

void WebAudio::PlayMusic(const std::string& alias, bool fromStart) {
    page::PlayMusic(alias, fromStart);
}

void WebAudio::StopMusic(const std::string& alias) {
    page::StopMusic(alias);
}

void WebAudio::CloseMusic(const std::string& alias) {
    page::CloseMusic(alias);
}

}  // namespace vantrell::web
