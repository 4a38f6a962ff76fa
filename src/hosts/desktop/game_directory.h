// Where the game's files live when no --dir is given. A game run from its build tree uses the
// directory the build generated; an installed game copies the installed files into a folder of
// the user's own (the records and switches are written there) and runs in that.
#pragma once

#include <filesystem>
#include <string>

namespace vantrell::desktop {

// The folder holding the running program.
std::filesystem::path ExecutableDirectory();

struct GameDirectoryPlaces {
    std::filesystem::path executableDir;
    std::filesystem::path buildDir;      // the build tree this program was compiled in
    std::filesystem::path userDataHome;  // $XDG_DATA_HOME or ~/.local/share
};

// The default game directory; error stays empty unless the user's folder could not be made.
std::filesystem::path DefaultGameDirectory(const GameDirectoryPlaces& places, std::string& error);

// Copies every file of `from` that `to` lacks (files the player already has are kept).
bool SeedGameDirectory(const std::filesystem::path& from, const std::filesystem::path& to,
                       std::string& error);

// The places of this program on this machine.
GameDirectoryPlaces CurrentPlaces();

}  // namespace vantrell::desktop
