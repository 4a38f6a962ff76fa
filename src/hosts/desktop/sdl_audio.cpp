#include "hosts/desktop/sdl_audio.h"

#include <QMetaObject>
#include <QObject>

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <utility>

#include "hosts/desktop/alsa_quiet.h"
#include "hosts/desktop/midi_render.h"
#include "hosts/desktop/sdl_setup.h"

namespace vantrell::desktop {

namespace {

constexpr int kEffectChannel = 0;
constexpr int kSampleRate = 44100;
constexpr int kChunkFrames = 1024;

}  // namespace

const char* SdlAudio::MusicFileName(MusicPiece piece) {
    return piece == MusicPiece::Race ? "bgm1.mid" : "stend.mid";
}

SdlAudio::SdlAudio(std::filesystem::path gameFolder, std::filesystem::path musicCache)
    : gameFolder_(std::move(gameFolder)), musicCache_(std::move(musicCache)) {
    SilenceAlsaMessages();
    if (!InitSdlSubsystem(SDL_INIT_AUDIO)) {
        return;
    }
    if (Mix_OpenAudio(kSampleRate, MIX_DEFAULT_FORMAT, 2, kChunkFrames) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    Mix_Init(MIX_INIT_OPUS);
    // One voice for the effects: starting an effect on it halts the one sounding.
    Mix_AllocateChannels(1);
    deviceOpen_ = true;
}

SdlAudio::~SdlAudio() {
    if (!deviceOpen_) {
        return;
    }
    {
        const std::lock_guard lock(shared_.mutex);
        shared_.quit = true;
        shared_.stop = true;
        shared_.toRender.clear();
        shared_.notify = nullptr;
    }
    shared_.changed.notify_all();
    // A rendering stops at its next block or megabyte of soundfont, well within a frame.
    if (renderer_.joinable()) {
        renderer_.join();
    }
    mainThread_.reset();
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    if (closeWithProcess_) {
        SDL_PauseAudio(1);  // the mixer is not called again
        return;
    }
    for (auto& [piece, music] : music_) {
        Mix_FreeMusic(music);
    }
    for (auto& [image, decoded] : decoding_) {
        chunks_.emplace(image, decoded.get());
    }
    for (auto& [image, chunk] : chunks_) {
        Mix_FreeChunk(chunk);
    }
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

namespace {

// A failed decode gives null, which stays silent.
Mix_Chunk* Decode(std::span<const uint8_t> waveImage) {
    SDL_RWops* stream = SDL_RWFromConstMem(waveImage.data(), static_cast<int>(waveImage.size()));
    return stream != nullptr ? Mix_LoadWAV_RW(stream, 1) : nullptr;
}

}  // namespace

Mix_Chunk* SdlAudio::ChunkFor(std::span<const uint8_t> waveImage) {
    const auto found = chunks_.find(waveImage.data());
    if (found != chunks_.end()) {
        return found->second;
    }
    // Decoded once and kept, so a tick that starts an effect does no decoding.
    Mix_Chunk* chunk = nullptr;
    if (const auto decoding = decoding_.find(waveImage.data()); decoding != decoding_.end()) {
        chunk = decoding->second.get();
        decoding_.erase(decoding);
    } else {
        chunk = Decode(waveImage);
    }
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
    // Converting an effect to the device's rate takes a few milliseconds: done beside the
    // window's thread, so the first frame does not wait for it.
    if (deviceOpen_ && !waveImage.empty() && !EffectLoaded(waveImage)) {
        decoding_.emplace(waveImage.data(), std::async(std::launch::async,
                                                       [waveImage] { return Decode(waveImage); }));
    }
}

void SdlAudio::OpenMusic(MusicPiece piece) {
    if (!deviceOpen_ || !open_.insert(piece).second) {
        return;
    }
    MusicFile found = FindMusicFile(gameFolder_, MusicFileName(piece), musicCache_);
    switch (found.kind) {
        case MusicFile::Kind::Missing:
            return;
        case MusicFile::Kind::Rendered:
        case MusicFile::Kind::Cached:
            LoadMusic(piece, found.file);
            return;
        case MusicFile::Kind::ToRender:
            break;
    }
    std::string soundFont = ChooseSoundFont();
    std::error_code error;
    if (soundFont.empty() || !std::filesystem::is_regular_file(soundFont, error)) {
        std::fprintf(stderr,
                     "vantrell: the music %s has no rendering to play (it is not the piece the "
                     "game came with), and no General MIDI soundfont is installed to render it "
                     "(Debian package fluid-soundfont-gm): it stays silent\n",
                     (gameFolder_ / MusicFileName(piece)).c_str());
        return;
    }
    {
        const std::lock_guard lock(shared_.mutex);
        shared_.toRender.push_back(
            {piece, std::move(found.midi), std::move(found.file), std::move(soundFont)});
        ++shared_.busy;
        if (!renderer_.joinable()) {
            mainThread_ = std::make_unique<QObject>();
            shared_.notify = mainThread_.get();
            renderer_ = std::thread(&SdlAudio::Renderer, std::ref(shared_), this);
        }
    }
    shared_.changed.notify_all();
}

void SdlAudio::LoadMusic(MusicPiece piece, const std::filesystem::path& file) {
    // Opening reads only the stream's headers; the piece is decoded as it plays.
    if (Mix_Music* music = Mix_LoadMUS(file.c_str())) {
        music_.emplace(piece, music);
    } else {
        std::fprintf(stderr, "vantrell: cannot play %s: %s\n", file.c_str(), Mix_GetError());
    }
}

void SdlAudio::Renderer(Shared& shared, SdlAudio* owner) {
    std::unique_lock lock(shared.mutex);
    while (true) {
        shared.changed.wait(lock, [&] { return shared.quit || !shared.toRender.empty(); });
        if (shared.quit) {
            break;
        }
        Render render = std::move(shared.toRender.front());
        shared.toRender.pop_front();
        lock.unlock();
        const char* name = MusicFileName(render.piece);
        std::string error;
        std::filesystem::path made;
        if (const std::optional<std::vector<uint8_t>> bytes =
                RenderMidi(render.midi, render.soundFont, shared.stop, error)) {
            if (StoreRenderedMusic(render.file, *bytes, kMusicCacheLimit, error)) {
                made = render.file;
            } else {
                std::fprintf(stderr, "vantrell: the music %s stays silent: %s\n", name,
                             error.c_str());
            }
        } else if (!shared.stop) {
            std::fprintf(stderr, "vantrell: cannot render the music %s with %s: %s\n", name,
                         render.soundFont.c_str(), error.c_str());
        }
        lock.lock();
        shared.rendered.emplace_back(render.piece, made);
        shared.changed.notify_all();
        // The main thread takes the piece over at its next chance; one waiting to play it is
        // woken through the event loop.
        if (shared.notify != nullptr) {
            QMetaObject::invokeMethod(
                shared.notify, [owner] { owner->Adopt(false); }, Qt::QueuedConnection);
        }
    }
}

void SdlAudio::Adopt(bool wait) {
    std::deque<std::pair<MusicPiece, std::filesystem::path>> done;
    {
        std::unique_lock lock(shared_.mutex);
        if (wait) {
            shared_.changed.wait(lock, [this] {
                return shared_.busy == static_cast<int32_t>(shared_.rendered.size());
            });
        }
        done.swap(shared_.rendered);
        shared_.busy -= static_cast<int32_t>(done.size());
    }
    for (const auto& [piece, file] : done) {
        if (!file.empty() && open_.count(piece) != 0 && music_.count(piece) == 0) {
            LoadMusic(piece, file);
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
        // Still rendering: it starts when ready. Asking for it again from its start is no
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
        Mix_ResumeMusic();
        return true;
    }
    // From the start, or a piece never started yet (whose position is its start anyway). Once
    // and not repeated; a pause left by the piece before does not hold this one.
    Mix_PlayMusic(found->second, 0);
    Mix_ResumeMusic();
    inChannel_ = piece;
    return true;
}

void SdlAudio::StopMusic(MusicPiece piece) {
    if (pending_ && pending_->first == piece) {
        pending_.reset();
    }
    if (deviceOpen_ && inChannel_ == piece) {
        Mix_PauseMusic();
    }
}

void SdlAudio::CloseMusic(MusicPiece piece) {
    if (!deviceOpen_) {
        return;
    }
    if (pending_ && pending_->first == piece) {
        pending_.reset();
    }
    // A rendering still under way is not waited for: it is kept for the next start.
    open_.erase(piece);
    Adopt(false);
    const auto found = music_.find(piece);
    if (found == music_.end()) {
        return;
    }
    if (inChannel_ == piece) {
        Mix_HaltMusic();
        inChannel_.reset();
    }
    Mix_FreeMusic(found->second);
    music_.erase(found);
}

bool SdlAudio::MusicSounding() const {
    return deviceOpen_ && inChannel_.has_value() && Mix_PlayingMusic() != 0 &&
           Mix_PausedMusic() == 0;
}

double SdlAudio::MusicPosition() const {
    if (!deviceOpen_ || !inChannel_) {
        return 0.0;
    }
    return Mix_GetMusicPosition(music_.at(*inChannel_));
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
