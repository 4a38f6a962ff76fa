// Sound as the game needs it: one voice for short in-memory WAVE effects (a new effect cuts off
// the one sounding) and the game's two pieces of music, which each host maps to a file of its
// own. Failures are silent: no device, no synthesizer or a missing piece simply means nothing
// is heard.
#pragma once

#include <cstdint>
#include <span>

namespace vantrell {

// The game's music: the race music and the short piece at the goal (or when time is up).
enum class MusicPiece { Race, Goal };

// The piece as a lower-case word ("race", "goal"), for logs and for hosts that pass it as text.
constexpr const char* MusicPieceWord(MusicPiece piece) {
    return piece == MusicPiece::Race ? "race" : "goal";
}

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

    // Gets a piece ready from the host's own file for it; nothing sounds yet.
    virtual void OpenMusic(MusicPiece piece) = 0;
    // fromStart: play from the beginning; otherwise continue where the piece was stopped. A
    // piece plays once to its end and is not repeated.
    virtual void PlayMusic(MusicPiece piece, bool fromStart) = 0;
    virtual void StopMusic(MusicPiece piece) = 0;
    virtual void CloseMusic(MusicPiece piece) = 0;
};

}  // namespace vantrell
