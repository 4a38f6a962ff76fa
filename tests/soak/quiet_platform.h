// A display and an audio device that keep nothing but counts, so that a tick driven through them
// does no allocation of its own and whatever allocates is the game's.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/audio.h"
#include "platform/display.h"
#include "sound/sound_player.h"

namespace vantrell::check {

class QuietDisplay final : public Display {
  public:
    void Present(const Bitmap8& frameBuffer) override {
        ++presents;
        // Touch the shown band as a real display would read it.
        const uint8_t* pixels = frameBuffer.Pixels();
        for (int64_t i = 0; i < frameBuffer.PixelBytes(); i += 97) {
            checksum += pixels[i];
        }
    }
    void PaintStatus(const std::string& text, int32_t widthUnits) override {
        ++statusPaints;
        checksum += static_cast<uint32_t>(text.size() + widthUnits);
    }
    void SetMenuCheck(Command, bool) override {}

    int64_t presents = 0;
    int64_t statusPaints = 0;
    uint32_t checksum = 0;
};

class QuietAudio final : public Audio {
  public:
    void PlayEffect(std::span<const uint8_t>) override { ++effects; }
    void StopEffect() override {}
    void OpenMusic(MusicPiece) override {}
    void PlayMusic(MusicPiece, bool) override { ++musicCalls; }
    void StopMusic(MusicPiece) override { ++musicCalls; }
    void CloseMusic(MusicPiece) override {}

    int64_t effects = 0;
    int64_t musicCalls = 0;
};

// Four stand-in effect images: QuietAudio never plays them, but an empty image is skipped before
// it reaches the audio device, and the effects should be counted.
inline SoundPlayer::WaveImages QuietWaves() {
    static const uint8_t image[4] = {'R', 'I', 'F', 'F'};
    return {std::span<const uint8_t>(image), std::span<const uint8_t>(image),
            std::span<const uint8_t>(image), std::span<const uint8_t>(image)};
}

}  // namespace vantrell::check
