// Sound through the page's Web Audio player (page/audio.js): the effects from the program's own
// wave images, the music from pieces rendered at build time from the game's MIDI files.
#pragma once

#include <cstdint>
#include <map>
#include <span>

#include "platform/audio.h"

namespace vantrell::web {

class WebAudio final : public Audio {
  public:
    void LoadEffect(std::span<const uint8_t> waveImage) override;
    void PlayEffect(std::span<const uint8_t> waveImage) override;
    void StopEffect() override;
    void OpenMusic(MusicPiece piece) override;
    void PlayMusic(MusicPiece piece, bool fromStart) override;
    void StopMusic(MusicPiece piece) override;
    void CloseMusic(MusicPiece piece) override;

    // Where the page finds a piece, beside the page.
    static const char* MusicUrl(MusicPiece piece);

  private:
    // The page's number for an image, handing the image over the first time.
    int32_t EffectId(std::span<const uint8_t> waveImage);

    std::map<const uint8_t*, int32_t> effectIds_;
};

}  // namespace vantrell::web
