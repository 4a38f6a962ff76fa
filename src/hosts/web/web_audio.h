// Sound through the page's Web Audio player (page/audio.js): the effects from the program's own
// wave images, the music from pieces rendered at build time from the game's MIDI files.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>

#include "platform/audio.h"

namespace vantrell::web {

class WebAudio final : public Audio {
  public:
    void LoadEffect(std::span<const uint8_t> waveImage) override;
    void PlayEffect(std::span<const uint8_t> waveImage) override;
    void StopEffect() override;
    void OpenMusic(const std::string& alias, const std::string& file) override;
    void PlayMusic(const std::string& alias, bool fromStart) override;
    void StopMusic(const std::string& alias) override;
    void CloseMusic(const std::string& alias) override;

  private:
    // The page's number for an image, handing the image over the first time.
    int32_t EffectId(std::span<const uint8_t> waveImage);

    std::map<const uint8_t*, int32_t> effectIds_;
};

}  // namespace vantrell::web
