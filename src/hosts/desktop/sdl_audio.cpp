#include "hosts/desktop/sdl_audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <filesystem>
#include <string_view>

#include "hosts/desktop/sdl_setup.h"

namespace vantrell::desktop {

namespace {

constexpr int kEffectChannel = 0;
constexpr int kSampleRate = 44100;
constexpr int kChunkFrames = 1024;

// Where Debian's General MIDI soundfont packages put their files; default-GM.sf2 is the
// alternatives link to whichever is installed.
constexpr const char* kSoundFontCandidates[] = {
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/soundfonts/default.sf2",
};

bool AllExist(std::string_view paths) {
    if (paths.empty()) {
        return false;
    }
    std::error_code error;
    std::size_t start = 0;
    while (start <= paths.size()) {
        std::size_t end = paths.find(';', start);
        if (end == std::string_view::npos) {
            end = paths.size();
        }
        if (!std::filesystem::is_regular_file(std::string(paths.substr(start, end - start)),
                                              error)) {
            return false;
        }
        start = end + 1;
    }
    return true;
}

}  // namespace

std::string ChooseSoundFont() {
    const char* current = Mix_GetSoundFonts();
    if (current != nullptr && AllExist(current)) {
        return current;
    }
    for (const char* candidate : kSoundFontCandidates) {
        if (AllExist(candidate)) {
            Mix_SetSoundFonts(candidate);
            return candidate;
        }
    }
    return {};
}

SdlAudio::SdlAudio() {
    if (!InitSdlSubsystem(SDL_INIT_AUDIO)) {
        return;
    }
    Mix_Init(MIX_INIT_MID);
    if (Mix_OpenAudio(kSampleRate, MIX_DEFAULT_FORMAT, 2, kChunkFrames) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    // One voice for the effects: starting an effect on it halts the one sounding.
    Mix_AllocateChannels(1);
    ChooseSoundFont();
    deviceOpen_ = true;
}

SdlAudio::~SdlAudio() {
    if (!deviceOpen_) {
        return;
    }
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    for (auto& [image, chunk] : chunks_) {
        Mix_FreeChunk(chunk);
    }
    for (auto& [alias, music] : music_) {
        Mix_FreeMusic(music);
    }
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

Mix_Chunk* SdlAudio::ChunkFor(std::span<const uint8_t> waveImage) {
    const auto found = chunks_.find(waveImage.data());
    if (found != chunks_.end()) {
        return found->second;
    }
    // Decoded once and kept, so a tick that starts an effect does no decoding. A failed
    // decode is remembered as null and stays silent.
    SDL_RWops* stream = SDL_RWFromConstMem(waveImage.data(), static_cast<int>(waveImage.size()));
    Mix_Chunk* chunk = stream != nullptr ? Mix_LoadWAV_RW(stream, 1) : nullptr;
    chunks_.emplace(waveImage.data(), chunk);
    return chunk;
}

void SdlAudio::PlayEffect(std::span<const uint8_t> waveImage) {
    if (!deviceOpen_ || waveImage.empty()) {
        return;
    }
    Mix_Chunk* chunk = ChunkFor(waveImage);
    if (chunk != nullptr) {
        Mix_PlayChannel(kEffectChannel, chunk, 0);
    }
}

void SdlAudio::StopEffect() {
    if (deviceOpen_) {
        Mix_HaltChannel(kEffectChannel);
    }
}

void SdlAudio::LoadEffect(std::span<const uint8_t> waveImage) {
    if (deviceOpen_ && !waveImage.empty()) {
        ChunkFor(waveImage);
    }
}

void SdlAudio::OpenMusic(const std::string& alias, const std::string& file) {
    if (!deviceOpen_ || music_.count(alias) != 0) {
        return;
    }
    Mix_Music* music = Mix_LoadMUS(file.c_str());
    if (music != nullptr) {
        music_.emplace(alias, music);
    }
}

void SdlAudio::PlayMusic(const std::string& alias, bool fromStart) {
    const auto found = music_.find(alias);
    if (!deviceOpen_ || found == music_.end()) {
        return;
    }
    if (!fromStart && musicAlias_ == alias) {
        // Continue: a paused piece goes on where it stopped; one that has played to its end
        // stays silent, as it would have reached its last position.
        if (Mix_PausedMusic() != 0) {
            Mix_ResumeMusic();
        }
        return;
    }
    // From the start, or a piece never started yet (whose position is its start anyway).
    Mix_HaltMusic();
    Mix_ResumeMusic();  // clears a pause left behind by the previous piece
    if (Mix_PlayMusic(found->second, 0) == 0) {
        musicAlias_ = alias;
    } else {
        musicAlias_.clear();
    }
}

void SdlAudio::StopMusic(const std::string& alias) {
    if (deviceOpen_ && musicAlias_ == alias && Mix_PlayingMusic() != 0) {
        Mix_PauseMusic();
    }
}

void SdlAudio::CloseMusic(const std::string& alias) {
    const auto found = music_.find(alias);
    if (!deviceOpen_ || found == music_.end()) {
        return;
    }
    if (musicAlias_ == alias) {
        Mix_HaltMusic();
        musicAlias_.clear();
    }
    Mix_FreeMusic(found->second);
    music_.erase(found);
}

bool SdlAudio::MusicSounding() const {
    return deviceOpen_ && !musicAlias_.empty() && Mix_PlayingMusic() != 0 && Mix_PausedMusic() == 0;
}

bool SdlAudio::MusicLoaded(const std::string& alias) const {
    return music_.count(alias) != 0;
}

bool SdlAudio::EffectSounding() const {
    return deviceOpen_ && Mix_Playing(kEffectChannel) != 0;
}

}  // namespace vantrell::desktop
