// Sound on SDL2_mixer: the effects on one mixer channel, so a new effect cuts off the one still
// sounding, and the music pieces (the MIDI files bgm1.mid and stend.mid of the game folder) in
// the mixer's music stream. The build renders those pieces into Opus files beside them, so the
// game's own music needs no synthesizer; a piece a player has changed is rendered once, on a
// thread of its own, with a General MIDI soundfont (see MusicFile and RenderMidi), and starts
// as soon as it is ready. Anything missing (no sound device, no MIDI file) leaves that part
// silent; a changed piece with no soundfont to render it says so in one line on standard
// error. The game is never told.
#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "hosts/desktop/music_files.h"
#include "platform/audio.h"

class QObject;
struct Mix_Chunk;
typedef struct _Mix_Music Mix_Music;

namespace vantrell::desktop {

class SdlAudio final : public Audio {
  public:
    // Opens the audio device; without one every call below does nothing. The music's files
    // are looked for in `gameFolder`, and pieces the game renders itself kept in `musicCache`.
    explicit SdlAudio(std::filesystem::path gameFolder = {},
                      std::filesystem::path musicCache = MusicCacheFolder());
    ~SdlAudio() override;
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    void LoadEffect(std::span<const uint8_t> waveImage) override;
    void PlayEffect(std::span<const uint8_t> waveImage) override;
    void StopEffect() override;

    void OpenMusic(MusicPiece piece) override;
    void PlayMusic(MusicPiece piece, bool fromStart) override;
    // Pauses the piece if it is the one in the music channel, so that a later "continue" goes
    // on from the same place.
    void StopMusic(MusicPiece piece) override;
    void CloseMusic(MusicPiece piece) override;

    // The game folder's file of a piece.
    static const char* MusicFileName(MusicPiece piece);

    // The process ends right after this object goes: the sound is stopped then, but the device
    // is left for the system to release, since closing it first waits for two buffers to play
    // out (about 50 ms with SDL's ALSA and disk drivers) after the window has already gone.
    void CloseWithProcess() { closeWithProcess_ = true; }

    bool DeviceOpen() const { return deviceOpen_; }
    // For tests and the window's probes: the piece in the music channel (nothing for none),
    // whether it is sounding now (playing and not paused) and where it is, in seconds.
    std::optional<MusicPiece> MusicInChannel() const { return inChannel_; }
    bool MusicSounding() const;
    double MusicPosition() const;
    // Waits for a rendering of the piece to finish: true when it can play.
    bool MusicLoaded(MusicPiece piece);
    bool EffectSounding() const;
    // Decoded, or being decoded (see LoadEffect).
    bool EffectLoaded(std::span<const uint8_t> waveImage) const {
        return chunks_.count(waveImage.data()) != 0 || decoding_.count(waveImage.data()) != 0;
    }

  private:
    struct Render {
        MusicPiece piece;
        std::vector<uint8_t> midi;
        std::filesystem::path file;  // where the rendering is kept
        std::string soundFont;
    };
    Mix_Chunk* ChunkFor(std::span<const uint8_t> waveImage);
    void LoadMusic(MusicPiece piece, const std::filesystem::path& file);
    // Takes over the renderings finished, on the main thread; with `wait`, first waits until
    // every one asked for is finished.
    void Adopt(bool wait);
    // Plays the piece now; false when it cannot (yet).
    bool Start(MusicPiece piece, bool fromStart);

    bool deviceOpen_ = false;
    bool closeWithProcess_ = false;
    // Decoded effects, by the address of their image (the images live for the whole run), and
    // those still being decoded.
    std::map<const uint8_t*, Mix_Chunk*> chunks_;
    std::map<const uint8_t*, std::future<Mix_Chunk*>> decoding_;
    std::filesystem::path gameFolder_;
    std::filesystem::path musicCache_;
    std::set<MusicPiece> open_;               // opened and not closed since
    std::map<MusicPiece, Mix_Music*> music_;  // those that can play
    std::optional<MusicPiece> inChannel_;     // the piece last started in the music channel
    // A piece asked for while still rendering, and whether from its start.
    std::optional<std::pair<MusicPiece, bool>> pending_;

    // What the rendering thread shares with the main thread.
    struct Shared {
        std::mutex mutex;  // guards everything below
        std::condition_variable changed;
        std::deque<Render> toRender;
        std::deque<std::pair<MusicPiece, std::filesystem::path>> rendered;  // empty: failed
        int32_t busy = 0;  // renderings asked for and not yet handed over
        bool quit = false;
        std::atomic<bool> stop{false};  // quit, as a rendering in progress sees it
        QObject* notify = nullptr;      // the main thread's receiver, null once the owner goes
    };
    static void Renderer(Shared& shared, SdlAudio* owner);
    Shared shared_;
    std::thread renderer_;
    // Receives the renderer's news on the main thread; news still queued when this object goes
    // is dropped with it.
    std::unique_ptr<QObject> mainThread_;
};

}  // namespace vantrell::desktop
