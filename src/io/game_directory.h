// Where the game's files live, for the desktop game and the tool alike. A folder given on the
// command line wins. Otherwise a program run from its build tree uses the game folder the build
// generated; an installed one copies the installed files into a folder of the user's own (the
// records and switches are written there) and uses that.
#pragma once

#include <filesystem>
#include <string>

namespace vantrell {

struct GameDirectoryPlaces {
    std::filesystem::path executableDir;
    std::filesystem::path buildDir;      // the build tree this program was compiled in
    std::filesystem::path userDataHome;  // $XDG_DATA_HOME or ~/.local/share
};

// The game directory: `given` unless it is empty, else the default for these places. Empty,
// with `error` saying why, when the user's own folder could not be made or filled.
std::filesystem::path FindGameDirectory(const std::filesystem::path& given,
                                        const GameDirectoryPlaces& places, std::string& error);

// Copies every file of `from` that `to` lacks into `to`, made if need be; files the player
// already has are kept. False, with `error` saying why, when a folder or file could not be made.
bool SeedGameDirectory(const std::filesystem::path& from, const std::filesystem::path& to,
                       std::string& error);

// The places of this program on this machine.
GameDirectoryPlaces CurrentPlaces();

}  // namespace vantrell
