// Sound on SDL2_mixer: the effects on one mixer channel, so a new effect cuts off the one still
// sounding, and the music pieces (the MIDI files bgm1.mid and stend.mid of the game folder)
// through one synthesizer with a General MIDI soundfont (see
// MidiSynth) in the mixer's music stream. Anything missing (no sound device, no soundfont, no
// MIDI file) leaves that part silent; the game is never told. The soundfont takes the better
// part of a second to read, so it is read once, on a thread of its own, with the pieces: the
// first frame never waits for the music, and a piece asked for before it is ready starts as
// soon as it is.
#pragma once

#include <condition_variable>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>

#include "hosts/desktop/midi_synth.h"
#include "platform/audio.h"

class QObject;
struct Mix_Chunk;

namespace vantrell::desktop {

class SdlAudio final : public Audio {
  public:
    // Opens the audio device; without one every call below does nothing. The music's files
    // are looked for in `gameFolder`.
    explicit SdlAudio(std::filesystem::path gameFolder = {});
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

    bool DeviceOpen() const { return deviceOpen_; }
    // For tests and the window's probes: the piece in the music channel (nothing for none)
    // and whether it is sounding now (playing and not paused).
    std::optional<MusicPiece> MusicInChannel() const { return inChannel_; }
    bool MusicSounding() const;
    // Waits for the piece's load to finish: true when it loaded.
    bool MusicLoaded(MusicPiece piece);
    bool EffectSounding() const;
    bool EffectLoaded(std::span<const uint8_t> waveImage) const {
        return chunks_.count(waveImage.data()) != 0;
    }

  private:
    struct Load {
        MusicPiece piece;
        std::filesystem::path file;
    };
    Mix_Chunk* ChunkFor(std::span<const uint8_t> waveImage);
    // Takes over the pieces the loader has finished, on the main thread; with `wait`, first
    // waits until everything asked for is loaded.
    void Adopt(bool wait);
    // Plays the piece now, loaded or not; false when it is not loaded (yet).
    bool Start(MusicPiece piece, bool fromStart);

    bool deviceOpen_ = false;
    // Decoded effects, by the address of their image (the images live for the whole run).
    std::map<const uint8_t*, Mix_Chunk*> chunks_;
    using Piece = std::shared_ptr<const std::vector<uint8_t>>;  // a MIDI file's bytes
    std::filesystem::path gameFolder_;
    std::map<MusicPiece, Piece> music_;
    std::unique_ptr<MidiSynth> synth_;     // once the loader has read the soundfont
    std::optional<MusicPiece> inChannel_;  // the piece last started in the music channel
    // A piece asked for while still loading, and whether from its start.
    std::optional<std::pair<MusicPiece, bool>> pending_;

    // What the loader thread shares with the main thread. A game closing while the soundfont
    // is still being read does not wait for it: the loader keeps this and finishes alone.
    struct Shared {
        std::mutex mutex;  // guards everything below
        std::condition_variable changed;
        std::deque<Load> toLoad;
        std::deque<std::pair<MusicPiece, Piece>> loaded;
        std::unique_ptr<MidiSynth> synthLoaded;
        bool synthTried = false;  // the loader reads the soundfont with the first piece only
        int32_t busy = 0;         // loads asked for and not yet handed over
        bool quit = false;
        std::atomic<bool> stopLoading{false};  // quit, as the soundfont's reads see it
        bool done = false;                     // the loader has returned
        QObject* notify = nullptr;  // the main thread's receiver, null once the owner goes
    };
    static void Loader(const std::shared_ptr<Shared>& shared, SdlAudio* owner);
    std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
    std::thread loader_;
    // Receives the loader's news on the main thread; news still queued when this object goes
    // is dropped with it.
    std::unique_ptr<QObject> mainThread_;
};

// The General MIDI soundfont for the music: the one SDL_SOUNDFONTS names when that file exists
// (or SDL_FORCE_SOUNDFONTS insists), otherwise the first one Debian's soundfont packages
// installed; "" when there is none.
std::string ChooseSoundFont();

}  // namespace vantrell::desktop
