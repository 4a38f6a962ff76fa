#include "hosts/desktop/sdl_audio.h"

#include <QMetaObject>
#include <QObject>

#include <SDL.h>
#include <SDL_mixer.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <utility>

#include "hosts/desktop/alsa_quiet.h"
#include "hosts/desktop/sdl_setup.h"
#include "io/file_bytes.h"

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
    // SDL_SOUNDFONTS names the player's choice, as for every program on SDL2_mixer, and
    // SDL_FORCE_SOUNDFONTS insists on it even when it is not there; the synthesizer takes the
    // first of its files.
    const char* chosen = std::getenv("SDL_SOUNDFONTS");
    const char* force = std::getenv("SDL_FORCE_SOUNDFONTS");
    const bool insist = force != nullptr && force[0] != '\0' && force[0] != '0';
    if (chosen != nullptr && (insist || AllExist(chosen))) {
        const std::string_view all(chosen);
        return std::string(all.substr(0, all.find(';')));
    }
    for (const char* candidate : kSoundFontCandidates) {
        if (AllExist(candidate)) {
            return candidate;
        }
    }
    return {};
}

const char* SdlAudio::MusicFileName(MusicPiece piece) {
    return piece == MusicPiece::Race ? "bgm1.mid" : "stend.mid";
}

SdlAudio::SdlAudio(std::filesystem::path gameFolder) : gameFolder_(std::move(gameFolder)) {
    SilenceAlsaMessages();
    if (!InitSdlSubsystem(SDL_INIT_AUDIO)) {
        return;
    }
    if (Mix_OpenAudio(kSampleRate, MIX_DEFAULT_FORMAT, 2, kChunkFrames) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    // One voice for the effects: starting an effect on it halts the one sounding.
    Mix_AllocateChannels(1);
    deviceOpen_ = true;
}

SdlAudio::~SdlAudio() {
    if (!deviceOpen_) {
        return;
    }
    bool loaderDone = true;
    {
        std::unique_lock lock(shared_->mutex);
        shared_->quit = true;
        shared_->stopLoading = true;
        shared_->toLoad.clear();
        shared_->notify = nullptr;
        shared_->changed.notify_all();
        // An idle loader returns at once, and one reading the soundfont stops at its next
        // piece; one slower still is left to finish alone, so closing never waits for it.
        if (loader_.joinable()) {
            loaderDone = shared_->changed.wait_for(lock, std::chrono::milliseconds(100),
                                                   [this] { return shared_->done; });
        }
    }
    if (loader_.joinable()) {
        loaderDone ? loader_.join() : loader_.detach();
    }
    Adopt(false);
    mainThread_.reset();
    Mix_HaltChannel(-1);
    Mix_HookMusic(nullptr, nullptr);  // the mixer stops calling the synthesizer before it goes
    synth_.reset();
    for (auto& [image, chunk] : chunks_) {
        Mix_FreeChunk(chunk);
    }
    Mix_CloseAudio();
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

void SdlAudio::OpenMusic(MusicPiece piece) {
    if (!deviceOpen_ || music_.count(piece) != 0) {
        return;
    }
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->toLoad.push_back({piece, gameFolder_ / MusicFileName(piece)});
        ++shared_->busy;
        if (!loader_.joinable()) {
            mainThread_ = std::make_unique<QObject>();
            shared_->notify = mainThread_.get();
            loader_ = std::thread(&SdlAudio::Loader, shared_, this);
        }
    }
    shared_->changed.notify_all();
}

void SdlAudio::Loader(const std::shared_ptr<Shared>& shared, SdlAudio* owner) {
    std::unique_lock lock(shared->mutex);
    while (true) {
        shared->changed.wait(lock, [&] { return shared->quit || !shared->toLoad.empty(); });
        if (shared->quit) {
            break;
        }
        const Load load = shared->toLoad.front();
        shared->toLoad.pop_front();
        const bool needSynth = !shared->synthTried;
        shared->synthTried = true;
        lock.unlock();
        std::unique_ptr<MidiSynth> synth;
        if (needSynth) {
            int rate = kSampleRate;
            Uint16 format = 0;
            int channels = 0;
            Mix_QuerySpec(&rate, &format, &channels);
            synth = MidiSynth::Create(ChooseSoundFont(), rate, &shared->stopLoading);
            if (synth != nullptr) {
                synth->SetChannels(channels);
            }
        }
        Piece piece;
        if (std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(load.file);
            bytes && MidiSynth::IsMidi(*bytes)) {
            piece = std::make_shared<const std::vector<uint8_t>>(std::move(*bytes));
        }
        lock.lock();
        if (needSynth) {
            shared->synthLoaded = std::move(synth);
        }
        shared->loaded.emplace_back(load.piece, piece);
        shared->changed.notify_all();
        // The main thread takes the piece over at its next chance; one waiting to play it is
        // woken through the event loop. Once the owner is going nobody is told.
        if (shared->notify != nullptr) {
            QMetaObject::invokeMethod(
                shared->notify, [owner] { owner->Adopt(false); }, Qt::QueuedConnection);
        }
    }
    shared->done = true;
    shared->changed.notify_all();
    // A synthesizer nobody took goes with the shared part, on whichever thread drops it last.
}

void SdlAudio::Adopt(bool wait) {
    std::deque<std::pair<MusicPiece, Piece>> done;
    {
        std::unique_lock lock(shared_->mutex);
        if (wait) {
            shared_->changed.wait(lock, [this] {
                return shared_->quit ||
                       shared_->busy == static_cast<int32_t>(shared_->loaded.size());
            });
        }
        done.swap(shared_->loaded);
        shared_->busy -= static_cast<int32_t>(done.size());
        if (shared_->synthLoaded != nullptr && !shared_->quit) {
            synth_ = std::move(shared_->synthLoaded);
            Mix_HookMusic(&MidiSynth::Mix, synth_.get());
        }
    }
    for (auto& [which, piece] : done) {
        // Without a synthesizer no piece can sound: it counts as not loaded.
        if (piece != nullptr && synth_ != nullptr) {
            music_.emplace(which, piece);
        }
    }
    if (pending_ && music_.count(pending_->first) != 0) {
        const auto [which, fromStart] = *pending_;
        pending_.reset();
        Start(which, fromStart);
    }
}

void SdlAudio::PlayMusic(MusicPiece piece, bool fromStart) {
    if (!deviceOpen_) {
        return;
    }
    Adopt(false);
    if (!Start(piece, fromStart)) {
        // Still loading: it starts when ready. Asking for it again from its start is no
        // different from asking once.
        pending_ = {piece, fromStart || (pending_ && pending_->first == piece && pending_->second)};
    } else {
        pending_.reset();
    }
}

bool SdlAudio::Start(MusicPiece piece, bool fromStart) {
    const auto found = music_.find(piece);
    if (found == music_.end()) {
        return false;
    }
    if (!fromStart && inChannel_ == piece) {
        // Continue: a paused piece goes on where it stopped; one that has played to its end
        // stays silent, as it would have reached its last position.
        synth_->Resume();
        return true;
    }
    // From the start, or a piece never started yet (whose position is its start anyway).
    synth_->Play(*found->second);
    inChannel_ = piece;
    return true;
}

void SdlAudio::StopMusic(MusicPiece piece) {
    if (pending_ && pending_->first == piece) {
        pending_.reset();
    }
    if (deviceOpen_ && inChannel_ == piece && synth_ != nullptr) {
        synth_->Pause();
    }
}

void SdlAudio::CloseMusic(MusicPiece piece) {
    if (!deviceOpen_) {
        return;
    }
    if (pending_ && pending_->first == piece) {
        pending_.reset();
    }
    Adopt(true);
    const auto found = music_.find(piece);
    if (found == music_.end()) {
        return;
    }
    if (inChannel_ == piece) {
        synth_->Halt();
        inChannel_.reset();
    }
    music_.erase(found);
}

bool SdlAudio::MusicSounding() const {
    return deviceOpen_ && inChannel_.has_value() && synth_ != nullptr && synth_->Sounding();
}

bool SdlAudio::MusicLoaded(MusicPiece piece) {
    if (deviceOpen_) {
        Adopt(true);
    }
    return music_.count(piece) != 0;
}

bool SdlAudio::EffectSounding() const {
    return deviceOpen_ && Mix_Playing(kEffectChannel) != 0;
}

}  // namespace vantrell::desktop
