#include "hosts/desktop/midi_render.h"

#include <fluidsynth.h>
#include <sndfile.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string_view>

namespace vantrell::desktop {

namespace {

// Opus takes 48 kHz; rendering at that rate spares a resampling step.
constexpr int kRate = 48000;
constexpr int kBlockFrames = 4096;
// After the last event the notes ring out until a block is silent, at most this long.
constexpr int kMaxTailFrames = 3 * kRate;

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

// The soundfont is read through these, in pieces, so that a game closing while it loads stops
// the load at once instead of waiting for the rest of the file.
thread_local const std::atomic<bool>* tStop = nullptr;

void* OpenFont(const char* path) {
    return std::fopen(path, "rb");
}

int ReadFont(void* buffer, fluid_long_long_t count, void* handle) {
    constexpr fluid_long_long_t kPiece = 1 << 20;
    auto* out = static_cast<char*>(buffer);
    while (count > 0) {
        if (tStop != nullptr && tStop->load()) {
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

// libsndfile writes the encoded stream into memory through these.
struct MemoryFile {
    std::vector<uint8_t> bytes;
    sf_count_t at = 0;
};

sf_count_t Length(void* file) {
    return static_cast<sf_count_t>(static_cast<MemoryFile*>(file)->bytes.size());
}

sf_count_t Seek(sf_count_t offset, int whence, void* file) {
    auto* memory = static_cast<MemoryFile*>(file);
    const sf_count_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? memory->at : Length(file);
    memory->at = std::max<sf_count_t>(0, base + offset);
    return memory->at;
}

sf_count_t Read(void* out, sf_count_t count, void* file) {
    auto* memory = static_cast<MemoryFile*>(file);
    const sf_count_t left = std::max<sf_count_t>(0, Length(file) - memory->at);
    const sf_count_t n = std::min(count, left);
    std::memcpy(out, memory->bytes.data() + memory->at, static_cast<size_t>(n));
    memory->at += n;
    return n;
}

sf_count_t Write(const void* in, sf_count_t count, void* file) {
    auto* memory = static_cast<MemoryFile*>(file);
    const auto end = static_cast<size_t>(memory->at + count);
    if (end > memory->bytes.size()) {
        memory->bytes.resize(end);
    }
    std::memcpy(memory->bytes.data() + memory->at, in, static_cast<size_t>(count));
    memory->at += count;
    return count;
}

sf_count_t Tell(void* file) {
    return static_cast<MemoryFile*>(file)->at;
}

struct FluidDeleter {
    void operator()(fluid_settings_t* s) const { delete_fluid_settings(s); }
    void operator()(fluid_synth_t* s) const { delete_fluid_synth(s); }
    void operator()(fluid_player_t* p) const { delete_fluid_player(p); }
    void operator()(SNDFILE* f) const { sf_close(f); }
};
template <typename T>
using Owned = std::unique_ptr<T, FluidDeleter>;

}  // namespace

std::string ChooseSoundFont() {
    // SDL_SOUNDFONTS names the player's choice, as for every program on SDL2_mixer, and
    // SDL_FORCE_SOUNDFONTS insists on it even when it is not there; the first file is taken.
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

std::optional<std::vector<uint8_t>> RenderMidi(const std::vector<uint8_t>& midi,
                                               const std::string& soundFont,
                                               const std::atomic<bool>& stop, std::string& error) {
    // FluidSynth's own messages would go to standard error unasked; the caller words its own.
    for (const int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
        fluid_set_log_function(level, nullptr, nullptr);
    }
    const Owned<fluid_settings_t> settings(new_fluid_settings());
    if (settings == nullptr) {
        error = "the synthesizer could not start";
        return std::nullopt;
    }
    fluid_settings_setnum(settings.get(), "synth.sample-rate", kRate);
    // The player keeps time by the samples rendered, not by the clock.
    fluid_settings_setstr(settings.get(), "player.timing-source", "sample");
    const Owned<fluid_synth_t> synth(new_fluid_synth(settings.get()));
    if (synth == nullptr) {
        error = "the synthesizer could not start";
        return std::nullopt;
    }
    if (fluid_sfloader_t* loader = new_fluid_defsfloader(settings.get())) {
        fluid_sfloader_set_callbacks(loader, OpenFont, ReadFont, SeekFont, TellFont, CloseFont);
        fluid_synth_add_sfloader(synth.get(), loader);  // tried before the built-in one
    }
    tStop = &stop;
    const int font = fluid_synth_sfload(synth.get(), soundFont.c_str(), 1);
    tStop = nullptr;
    if (font == FLUID_FAILED) {
        error = stop ? "stopped" : "cannot read the soundfont " + soundFont;
        return std::nullopt;
    }
    const Owned<fluid_player_t> player(new_fluid_player(synth.get()));
    if (player == nullptr || fluid_player_add_mem(player.get(), midi.data(), midi.size()) != 0 ||
        fluid_player_play(player.get()) != 0) {
        error = "the synthesizer cannot play it";
        return std::nullopt;
    }

    MemoryFile memory;
    SF_VIRTUAL_IO io{Length, Seek, Read, Write, Tell};
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 2;
    info.format = SF_FORMAT_OGG | SF_FORMAT_OPUS;
    Owned<SNDFILE> out(sf_open_virtual(&io, SFM_WRITE, &info, &memory));
    if (out == nullptr) {
        error = std::string("the encoder could not start: ") + sf_strerror(nullptr);
        return std::nullopt;
    }
    std::vector<int16_t> block(static_cast<size_t>(kBlockFrames) * 2);
    int tail = 0;
    while (tail < kMaxTailFrames) {
        if (stop) {
            error = "stopped";
            return std::nullopt;
        }
        const bool playing = fluid_player_get_status(player.get()) == FLUID_PLAYER_PLAYING;
        fluid_synth_write_s16(synth.get(), kBlockFrames, block.data(), 0, 2, block.data(), 1, 2);
        const bool silent =
            std::all_of(block.begin(), block.end(), [](int16_t s) { return s == 0; });
        if (!playing) {
            if (silent) {
                break;
            }
            tail += kBlockFrames;
        }
        if (sf_writef_short(out.get(), block.data(), kBlockFrames) != kBlockFrames) {
            error = std::string("the encoder failed: ") + sf_strerror(out.get());
            return std::nullopt;
        }
    }
    if (sf_close(out.release()) != 0) {
        error = "the encoder failed to finish the file";
        return std::nullopt;
    }
    return std::move(memory.bytes);
}

}  // namespace vantrell::desktop
