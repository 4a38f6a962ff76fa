#include "sound/sound_player.h"

#include <system_error>
#include <utility>

#include "io/atomic_save.h"
#include "io/file_bytes.h"
#include "sound/sound_switches.h"

namespace vantrell {
SoundPlayer::SoundPlayer(Audio& audio, const WaveImages& waves, std::filesystem::path directory)
    : waveImages_(waves), audio_(audio), directory_(std::move(directory)) {
    audio_.OpenMusic(MusicPiece::Race);
    audio_.OpenMusic(MusicPiece::Goal);
    // Decoded now, at start-up, never inside a race tick.
    for (const std::span<const uint8_t> image : waveImages_) {
        if (!image.empty()) {
            audio_.LoadEffect(image);
        }
    }
    currentPiece_ = kPieceNone;
    priorityFloor_ = 0;

    // A missing or unreadable file leaves both switches on.
    SoundSwitches switches;
    LoadSoundSwitches(SwitchFilePath(), switches);
    effectsOn_ = switches.effectsOn;
    musicOn_ = switches.musicOn;
    effectsOnAtStart_ = effectsOn_;
    musicOnAtStart_ = musicOn_;
    std::error_code error;
    foundFile_ = std::filesystem::exists(SwitchFilePath(), error);
    if (foundFile_) {
        foundBytes_ = ReadWholeFile(SwitchFilePath());
    }
}

void SoundPlayer::KeepSwitches() {
    const std::filesystem::path file = SwitchFilePath();
    if (effectsOn_ != effectsOnAtStart_ || musicOn_ != musicOnAtStart_) {
        // A file that cannot be written simply loses the switches: the game goes on.
        written_ = SaveSoundSwitches(file, SoundSwitches{effectsOn_, musicOn_}) == 1 || written_;
        return;
    }
    if (!written_) {
        return;  // still as found
    }
    std::error_code error;
    if (!foundFile_) {
        if (std::filesystem::is_regular_file(file, error)) {
            std::filesystem::remove(file, error);
        }
    } else if (foundBytes_) {
        SaveFile(file, *foundBytes_);
    } else {
        SaveSoundSwitches(file, SoundSwitches{effectsOn_, musicOn_});
    }
    written_ = false;
}

SoundPlayer::~SoundPlayer() {
    Shutdown();
}

void SoundPlayer::Shutdown() {
    if (shutDown_) {
        return;
    }
    shutDown_ = true;
    audio_.StopEffect();
    audio_.CloseMusic(MusicPiece::Race);
    audio_.CloseMusic(MusicPiece::Goal);
    // Untouched switches leave the file alone, and absent if it was absent. A file that cannot
    // be written simply loses the switches, as nothing can be shown at exit.
    if (effectsOn_ != effectsOnAtStart_ || musicOn_ != musicOnAtStart_) {
        SaveSoundSwitches(SwitchFilePath(), SoundSwitches{effectsOn_, musicOn_});
    }
}

std::filesystem::path SoundPlayer::SwitchFilePath() const {
    return directory_ / kSoundSwitchFileName;
}

void SoundPlayer::PlayEffect(int32_t index, int32_t priority) {
    if (index < 0 || index >= kEffectCount) {
        return;
    }
    if (effectsOn_ <= 0 || priority < priorityFloor_) {
        return;
    }
    priorityFloor_ = priority;
    const std::span<const uint8_t> image = waveImages_[index];
    // A missing resource plays nothing rather than cutting off the effect still sounding.
    if (!image.empty()) {
        audio_.PlayEffect(image);
    }
}

void SoundPlayer::PlayMusic(int32_t piece) {
    if (musicOn_ > 0) {
        if (currentPiece_ == kPieceRace) {
            audio_.StopMusic(MusicPiece::Race);
        } else if (currentPiece_ == kPieceEnd) {
            audio_.StopMusic(MusicPiece::Goal);
        }
        if (piece == kPieceRace) {
            audio_.PlayMusic(MusicPiece::Race, true);
        } else if (piece == kPieceEnd) {
            audio_.PlayMusic(MusicPiece::Goal, true);
        }
    }
    currentPiece_ = piece;
}

void SoundPlayer::ResumeMusic() {
    if (musicOn_ > 0 && currentPiece_ == kPieceRace) {
        audio_.PlayMusic(MusicPiece::Race, false);
    }
}

void SoundPlayer::StopMusic() {
    if (musicOn_ > 0) {
        audio_.StopMusic(MusicPiece::Race);
        audio_.StopMusic(MusicPiece::Goal);
    }
}

void SoundPlayer::ToggleEffects() {
    effectsOn_ = effectsOn_ == 0 ? 1 : 0;
    KeepSwitches();
}

void SoundPlayer::ToggleMusic() {
    if (musicOn_ > 0) {
        StopMusic();
        musicOn_ = 0;
    } else {
        musicOn_ = 1;
        ResumeMusic();
    }
    KeepSwitches();
}

}  // namespace vantrell
