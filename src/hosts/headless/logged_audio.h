// Audio that plays nothing and writes down every call in order, for tests and headless runs.
// The log reads like the commands themselves ("open race", "play race from 0", "stop goal",
// "effect 8979 bytes", "stop effect"), so a test can compare a whole sequence at once.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/audio.h"

namespace vantrell {

class LoggedAudio final : public Audio {
  public:
    void PlayEffect(std::span<const uint8_t> waveImage) override;
    void StopEffect() override;
    void OpenMusic(MusicPiece piece) override;
    void PlayMusic(MusicPiece piece, bool fromStart) override;
    void StopMusic(MusicPiece piece) override;
    void CloseMusic(MusicPiece piece) override;

    const std::vector<std::string>& Calls() const { return calls_; }
    // The images handed to PlayEffect, in order: compare data() to tell which effect sounded.
    const std::vector<std::span<const uint8_t>>& Effects() const { return effects_; }
    // Forgets everything logged so far, to look at one step of a longer run.
    void Clear();

  private:
    std::vector<std::string> calls_;
    std::vector<std::span<const uint8_t>> effects_;
};

}  // namespace vantrell
