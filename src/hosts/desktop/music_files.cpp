#include "hosts/desktop/music_files.h"

#include <algorithm>
#include <cstring>
#include <sstream>
#include <string_view>

#include "io/atomic_save.h"
#include "io/file_bytes.h"
#include "io/game_directory.h"
#include "io/sha256.h"

namespace vantrell::desktop {

namespace fs = std::filesystem;

namespace {

bool IsMidi(const std::vector<uint8_t>& bytes) {
    return bytes.size() >= 14 && std::memcmp(bytes.data(), "MThd", 4) == 0;
}

// The digest sources.sha256 gives for `name`, or "" when it names none.
std::string RenderedFrom(const fs::path& sources, const std::string& name) {
    const std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(sources);
    if (!bytes) {
        return {};
    }
    std::istringstream lines(std::string(bytes->begin(), bytes->end()));
    std::string line;
    while (std::getline(lines, line)) {
        // "<64 hex digits>  <name>", as sha256sum writes it.
        if (line.size() == 66 + name.size() && line.compare(64, 2, "  ") == 0 &&
            line.compare(66, std::string::npos, name) == 0) {
            return line.substr(0, 64);
        }
    }
    return {};
}

}  // namespace

MusicFile FindMusicFile(const fs::path& gameFolder, const std::string& midiName,
                        const fs::path& cacheDir) {
    MusicFile found;
    std::optional<std::vector<uint8_t>> midi = ReadWholeFile(gameFolder / midiName);
    if (!midi || !IsMidi(*midi)) {
        return found;
    }
    const std::string digest = HexDigest(Sha256Of(*midi));
    std::error_code error;
    const fs::path rendered = gameFolder / "music" / fs::path(midiName).replace_extension(".opus");
    if (RenderedFrom(gameFolder / "music" / "sources.sha256", midiName) == digest &&
        fs::is_regular_file(rendered, error)) {
        found.kind = MusicFile::Kind::Rendered;
        found.file = rendered;
        return found;
    }
    found.file = cacheDir / (digest + ".opus");
    if (fs::is_regular_file(found.file, error)) {
        found.kind = MusicFile::Kind::Cached;
        // Played now: the cache's trimming goes by this.
        fs::last_write_time(found.file, fs::file_time_type::clock::now(), error);
        return found;
    }
    found.kind = MusicFile::Kind::ToRender;
    found.midi = std::move(*midi);
    return found;
}

bool StoreRenderedMusic(const fs::path& file, const std::vector<uint8_t>& bytes,
                        std::uintmax_t limit, std::string& error) {
    std::error_code code;
    fs::create_directories(file.parent_path(), code);
    if (code) {
        error = "cannot create " + file.parent_path().string() + ": " + code.message();
        return false;
    }
    if (const std::optional<SaveFailure> failure = SaveFile(file, bytes)) {
        error = "cannot write " + file.string() + ": " + failure->error.message();
        return false;
    }
    struct Entry {
        fs::path path;
        fs::file_time_type played;
        std::uintmax_t size;
    };
    std::vector<Entry> entries;
    std::uintmax_t total = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(file.parent_path(), code)) {
        if (entry.is_regular_file(code) && entry.path().extension() == ".opus") {
            const std::uintmax_t size = entry.file_size(code);
            entries.push_back({entry.path(), entry.last_write_time(code), size});
            total += size;
        }
    }
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.played < b.played; });
    for (const Entry& entry : entries) {
        if (total <= limit) {
            break;
        }
        // The piece just rendered stays, even alone over the limit: it is about to play.
        if (entry.path != file && fs::remove(entry.path, code)) {
            total -= entry.size;
        }
    }
    return true;
}

fs::path MusicCacheFolder() {
    return CurrentPlaces().userDataHome / "vantrell" / "music";
}

}  // namespace vantrell::desktop
