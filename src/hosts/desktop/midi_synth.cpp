#include "hosts/desktop/midi_synth.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace vantrell::desktop {

namespace {

// The soundfont is read through these, in pieces, so that a game closing while it loads stops
// the load at once instead of waiting for the rest of the file (the reads run on the loading
// thread, which set the flag it answers to).
thread_local const std::atomic<bool>* tStopLoading = nullptr;

void* OpenFont(const char* path) {
    return std::fopen(path, "rb");
}

int ReadFont(void* buffer, fluid_long_long_t count, void* handle) {
    constexpr fluid_long_long_t kPiece = 1 << 20;
    auto* out = static_cast<char*>(buffer);
    while (count > 0) {
        if (tStopLoading != nullptr && tStopLoading->load()) {
            return FLUID_FAILED;
        }
        const auto piece = static_cast<size_t>(std::min(count, kPiece));
        if (std::fread(out, 1, piece, static_cast<std::FILE*>(handle)) != piece) {
            return FLUID_FAILED;
        }
        out += piece;
        count -= static_cast<fluid_long_long_t>(piece);
    }
    return FLUID_OK;
}

int SeekFont(void* handle, fluid_long_long_t offset, int origin) {
    return fseeko(static_cast<std::FILE*>(handle), static_cast<off_t>(offset), origin) == 0
               ? FLUID_OK
               : FLUID_FAILED;
}

fluid_long_long_t TellFont(void* handle) {
    const off_t at = ftello(static_cast<std::FILE*>(handle));
    return at < 0 ? FLUID_FAILED : static_cast<fluid_long_long_t>(at);
}

int CloseFont(void* handle) {
    return std::fclose(static_cast<std::FILE*>(handle)) == 0 ? FLUID_OK : FLUID_FAILED;
}

}  // namespace

std::unique_ptr<MidiSynth> MidiSynth::Create(const std::string& soundFont, int sampleRate,
                                             const std::atomic<bool>* stop) {
    if (soundFont.empty()) {
        return nullptr;
    }
    // FluidSynth reports a missing driver or a bad file on stderr; the game stays silent instead.
    for (const int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
        fluid_set_log_function(level, nullptr, nullptr);
    }
    std::unique_ptr<MidiSynth> midi(new MidiSynth());
    midi->settings_ = new_fluid_settings();
    if (midi->settings_ == nullptr) {
        return nullptr;
    }
    fluid_settings_setnum(midi->settings_, "synth.sample-rate", sampleRate);
    // The player keeps time by the samples rendered, so a paused stream pauses the piece.
    fluid_settings_setstr(midi->settings_, "player.timing-source", "sample");
    midi->synth_ = new_fluid_synth(midi->settings_);
    if (midi->synth_ == nullptr) {
        return nullptr;
    }
    if (fluid_sfloader_t* loader = new_fluid_defsfloader(midi->settings_)) {
        fluid_sfloader_set_callbacks(loader, OpenFont, ReadFont, SeekFont, TellFont, CloseFont);
        fluid_synth_add_sfloader(midi->synth_, loader);  // tried before the built-in one
    }
    tStopLoading = stop;
    const int font = fluid_synth_sfload(midi->synth_, soundFont.c_str(), 1);
    tStopLoading = nullptr;
    if (font == FLUID_FAILED) {
        return nullptr;
    }
    return midi;
}

MidiSynth::~MidiSynth() {
    if (player_ != nullptr) {
        fluid_player_stop(player_);
        delete_fluid_player(player_);
    }
    if (synth_ != nullptr) {
        delete_fluid_synth(synth_);
    }
    if (settings_ != nullptr) {
        delete_fluid_settings(settings_);
    }
}

bool MidiSynth::IsMidi(const std::vector<uint8_t>& bytes) {
    return bytes.size() >= 14 && std::memcmp(bytes.data(), "MThd", 4) == 0;
}

void MidiSynth::Play(const std::vector<uint8_t>& piece) {
    const std::lock_guard lock(mutex_);
    HaltLocked();
    player_ = new_fluid_player(synth_);
    if (player_ == nullptr) {
        return;
    }
    if (fluid_player_add_mem(player_, piece.data(), piece.size()) == FLUID_FAILED ||
        fluid_player_play(player_) == FLUID_FAILED) {
        delete_fluid_player(player_);
        player_ = nullptr;
    }
}

void MidiSynth::Pause() {
    const std::lock_guard lock(mutex_);
    paused_ = true;
}

void MidiSynth::Resume() {
    const std::lock_guard lock(mutex_);
    paused_ = false;
}

void MidiSynth::Halt() {
    const std::lock_guard lock(mutex_);
    HaltLocked();
}

void MidiSynth::HaltLocked() {
    if (player_ != nullptr) {
        fluid_player_stop(player_);
        delete_fluid_player(player_);
        player_ = nullptr;
    }
    // The next piece starts from silence and the General MIDI defaults, as on a fresh device.
    fluid_synth_all_sounds_off(synth_, -1);
    fluid_synth_system_reset(synth_);
    paused_ = false;
}

bool MidiSynth::Paused() const {
    const std::lock_guard lock(mutex_);
    return player_ != nullptr && paused_;
}

bool MidiSynth::Sounding() const {
    const std::lock_guard lock(mutex_);
    return player_ != nullptr && !paused_ &&
           fluid_player_get_status(player_) == FLUID_PLAYER_PLAYING;
}

void MidiSynth::Mix(void* synth, uint8_t* stream, int bytes) {
    auto* midi = static_cast<MidiSynth*>(synth);
    const std::lock_guard lock(midi->mutex_);
    if (midi->player_ == nullptr || midi->paused_ ||
        (midi->channels_ != 1 && midi->channels_ != 2)) {
        std::memset(stream, 0, static_cast<size_t>(bytes));
        return;
    }
    auto* out = reinterpret_cast<int16_t*>(stream);
    if (midi->channels_ == 2) {
        const int frames = bytes / 4;
        fluid_synth_write_s16(midi->synth_, frames, out, 0, 2, out, 1, 2);
        return;
    }
    const int frames = bytes / 2;
    midi->stereo_.resize(static_cast<size_t>(frames) * 2);
    int16_t* both = midi->stereo_.data();
    fluid_synth_write_s16(midi->synth_, frames, both, 0, 2, both, 1, 2);
    for (int i = 0; i < frames; ++i) {
        out[i] = static_cast<int16_t>((both[2 * i] + both[2 * i + 1]) / 2);
    }
}

}  // namespace vantrell::desktop
