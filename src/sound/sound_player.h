// The game's one sound object: four short effects, the race music and the end music, and the
// two switches the menu turns on and off. All sound goes out through the platform's Audio.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "platform/audio.h"

namespace vantrell {

class SoundPlayer {
  public:
    static constexpr int32_t kEffectCount = 4;
    using WaveImages = std::array<std::span<const uint8_t>, kEffectCount>;

    // Effect indexes as the race plays them.
    static constexpr int32_t kEffectCheckpoint = 0;
    static constexpr int32_t kEffectGoal = 1;
    static constexpr int32_t kEffectCountdown = 2;
    static constexpr int32_t kEffectStart = 3;

    // Music pieces: 0 none yet, 1 the race music (MusicPiece::Race), 2 the end music
    // (MusicPiece::Goal).
    static constexpr int32_t kPieceNone = 0;
    static constexpr int32_t kPieceRace = 1;
    static constexpr int32_t kPieceEnd = 2;

    // Opens both music pieces and reads the switch file; nothing sounds yet. `waves` are the
    // complete RIFF WAVE images of the effects (the game passes WAVDAT0..3) and must outlive
    // the player; an empty image plays nothing. SOUNDCNF.TXT is looked for in `directory`, by
    // default the current one; the host finds the music's files itself.
    SoundPlayer(Audio& audio, const WaveImages& waves, std::filesystem::path directory = {});
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Stops the effect, closes both pieces and writes the switch file if a switch changed.
    // Runs once; the destructor calls it in case nobody did. The switches are kept in the file
    // as they change too (KeepSwitches), so a game killed before this loses none.
    void Shutdown();

    // Plays effect 0..3 if effects are on and `priority` is not below every priority played
    // before. Any other index does nothing: it names no image.
    void PlayEffect(int32_t index, int32_t priority);
    // Stops the piece now current and starts `piece` from its beginning. The piece is
    // remembered even with music off, so that switching music on later knows what was asked.
    void PlayMusic(int32_t piece);
    // Continues the race music where it stopped, if it is the current piece.
    void ResumeMusic();
    // Stops both pieces, whether or not one plays; the current piece is kept.
    void StopMusic();

    // The menu's switches. Turning music off stops what plays; turning it on again continues the
    // race music where it stopped.
    void ToggleEffects();
    void ToggleMusic();
    bool EffectsOn() const { return effectsOn_ > 0; }
    bool MusicOn() const { return musicOn_ > 0; }
    // The piece last asked for, even with music off.
    int32_t CurrentPiece() const { return currentPiece_; }
    // The highest effect priority played so far; never lowered.
    int32_t PriorityFloor() const { return priorityFloor_; }

    std::filesystem::path SwitchFilePath() const;

  private:
    // After a switch: the file holds what an exit would write, or, with both switches back as
    // they were at start, what was found there (nothing, if there was no file).
    void KeepSwitches();

    int32_t effectsOn_ = 1;  // 1 on, 0 off
    int32_t musicOn_ = 1;
    // The switches right after construction; the file is written only while one differs.
    int32_t effectsOnAtStart_ = 1;
    int32_t musicOnAtStart_ = 1;
    // The file as found at start: absent, its bytes, or there but unreadable (nothing kept).
    bool foundFile_ = false;
    std::optional<std::vector<uint8_t>> foundBytes_;
    bool written_ = false;  // the file no longer holds what was found
    int32_t currentPiece_ = kPieceNone;
    int32_t priorityFloor_ = 0;
    WaveImages waveImages_;
    Audio& audio_;
    std::filesystem::path directory_;
    bool shutDown_ = false;
};

}  // namespace vantrell
