// Sound as the game needs it: one voice for short in-memory WAVE effects (a new effect cuts off
// the one sounding) and MIDI pieces opened by alias. Failures are silent: no device, no
// soundfont or a missing file simply means nothing is heard.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace vantrell {

class Audio {
  public:
    virtual ~Audio() = default;

    // Gets an effect ready to play, so that playing it later inside a tick decodes nothing.
    // Optional: a host that decodes nothing has nothing to do.
    virtual void LoadEffect(std::span<const uint8_t> /*waveImage*/) {}
    // Starts a complete RIFF WAVE image playing at once, cutting off any effect still sounding.
    // The image stays valid for the whole run.
    virtual void PlayEffect(std::span<const uint8_t> waveImage) = 0;
    virtual void StopEffect() = 0;

    virtual void OpenMusic(const std::string& alias, const std::string& file) = 0;
    // fromStart: play from the beginning; otherwise continue where the piece was stopped.
    virtual void PlayMusic(const std::string& alias, bool fromStart) = 0;
    virtual void StopMusic(const std::string& alias) = 0;
    virtual void CloseMusic(const std::string& alias) = 0;
};

}  // namespace vantrell
