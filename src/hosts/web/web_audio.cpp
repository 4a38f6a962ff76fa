#include "hosts/web/web_audio.h"

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

const char* WebAudio::MusicUrl(MusicPiece piece) {
    // Rendered at build time from the game's MIDI files (tools/contentgen/music.cmake).
    return piece == MusicPiece::Race ? "music/bgm1.opus" : "music/stend.opus";
}

void WebAudio::OpenMusic(MusicPiece piece) {
    page::OpenMusic(MusicPieceWord(piece), MusicUrl(piece));
}

void WebAudio::PlayMusic(MusicPiece piece, bool fromStart) {
    page::PlayMusic(MusicPieceWord(piece), fromStart);
}

void WebAudio::StopMusic(MusicPiece piece) {
    page::StopMusic(MusicPieceWord(piece));
}

void WebAudio::CloseMusic(MusicPiece piece) {
    page::CloseMusic(MusicPieceWord(piece));
}

}  // namespace vantrell::web
