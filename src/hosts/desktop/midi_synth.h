// The MIDI pieces through one FluidSynth synthesizer: the General MIDI soundfont is read once
// for the whole run (it takes the better part of a second), and every piece plays through the
// same synthesizer into SDL2_mixer's music stream. One piece sounds at a time.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_player_t fluid_player_t;

namespace vantrell::desktop {

class MidiSynth {
  public:
    // Reads the soundfont; nothing when the synthesizer or the soundfont cannot be had, or when
    // `stop` (if given) turns true while it reads. Slow: called off the main thread.
    static std::unique_ptr<MidiSynth> Create(const std::string& soundFont, int sampleRate,
                                             const std::atomic<bool>* stop = nullptr);
    ~MidiSynth();
    MidiSynth(const MidiSynth&) = delete;
    MidiSynth& operator=(const MidiSynth&) = delete;

    // True when the bytes are a standard MIDI file the player can take.
    static bool IsMidi(const std::vector<uint8_t>& bytes);

    // Plays the piece from its start, once, in place of whatever was sounding. The bytes must
    // stay alive while it plays.
    void Play(const std::vector<uint8_t>& piece);
    // Holds the piece where it is; Resume goes on from there.
    void Pause();
    void Resume();
    void Halt();
    bool Paused() const;
    // A piece started, not paused and not yet at its end.
    bool Sounding() const;

    // Fills SDL2_mixer's music stream (signed 16-bit samples, `channels` interleaved); the
    // mixer calls it on its audio thread (Mix_HookMusic).
    static void Mix(void* synth, uint8_t* stream, int bytes);
    void SetChannels(int channels) { channels_ = channels; }

  private:
    MidiSynth() = default;
    void HaltLocked();

    mutable std::mutex mutex_;  // the audio thread renders while the main thread steers
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_player_t* player_ = nullptr;
    bool paused_ = false;
    int channels_ = 2;
    std::vector<int16_t> stereo_;  // a mono stream is rendered in stereo first
};

}  // namespace vantrell::desktop
