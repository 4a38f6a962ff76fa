// Which file sounds for a music piece. The build renders the game folder's MIDI pieces once into
// music/*.opus and notes in music/sources.sha256 which MIDI files they came from; a piece a
// player has changed is rendered by the game itself and kept in a cache of the player's, named
// by the SHA-256 of the MIDI file, so that it is rendered once however often the game starts.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vantrell::desktop {

// The cache of rendered pieces stays under this many bytes: the least recently played go first.
constexpr std::uintmax_t kMusicCacheLimit = 64u * 1024u * 1024u;

struct MusicFile {
    enum class Kind {
        Missing,   // no MIDI file, or not one: the piece stays silent
        Rendered,  // the build's rendering of it
        Cached,    // the player's own piece, rendered earlier
        ToRender,  // the player's own piece, not rendered yet
    };
    Kind kind = Kind::Missing;
    std::filesystem::path file;  // what to play; for ToRender, where its rendering belongs
    std::vector<uint8_t> midi;   // for ToRender: the MIDI file's bytes
};

// The file to play for the game folder's MIDI file `midiName` (bgm1.mid, ...), looking in the
// game folder's music/ and then in `cacheDir`.
MusicFile FindMusicFile(const std::filesystem::path& gameFolder, const std::string& midiName,
                        const std::filesystem::path& cacheDir);

// Keeps a piece's rendering in the cache (all of it or nothing, never a torn file), then drops
// the least recently played others until the cache is within `limit` bytes. False, with `error`
// saying why, when it could not be written.
bool StoreRenderedMusic(const std::filesystem::path& file, const std::vector<uint8_t>& bytes,
                        std::uintmax_t limit, std::string& error);

// The player's cache of rendered pieces: $XDG_DATA_HOME/vantrell/music (~/.local/share/...).
std::filesystem::path MusicCacheFolder();

}  // namespace vantrell::desktop
