#include "io/game_directory.h"

#include <cstdlib>

#ifndef VANTRELL_BUILD_DIR
#define VANTRELL_BUILD_DIR ""
#endif

namespace vantrell {

namespace fs = std::filesystem;

namespace {

// The folder holding the running program.
fs::path ExecutableDirectory() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::current_path(error) : self.parent_path();
}

}  // namespace

bool SeedGameDirectory(const fs::path& from, const fs::path& to, std::string& error) {
    std::error_code code;
    fs::create_directories(to, code);
    if (code) {
        error = "cannot create " + to.string() + ": " + code.message();
        return false;
    }
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(from, code)) {
        const fs::path target = to / fs::relative(entry.path(), from);
        if (entry.is_directory()) {
            fs::create_directories(target, code);
        } else if (entry.is_regular_file() && !fs::exists(target)) {
            fs::copy_file(entry.path(), target, code);
        }
        if (code) {
            error = "cannot copy " + entry.path().string() + " to " + target.string() + ": " +
                    code.message();
            return false;
        }
    }
    if (code) {
        error = "cannot read " + from.string() + ": " + code.message();
        return false;
    }
    return true;
}

fs::path FindGameDirectory(const fs::path& given, const GameDirectoryPlaces& places,
                           std::string& error) {
    if (!given.empty()) {
        return given;
    }
    std::error_code code;
    const fs::path buildGame = places.buildDir / "game";
    const bool inBuildTree =
        !places.buildDir.empty() && fs::equivalent(places.executableDir, places.buildDir, code);
    const fs::path installed = places.executableDir / ".." / "share" / "vantrell" / "game";
    if (inBuildTree || !fs::is_directory(installed, code)) {
        return buildGame;
    }
    const fs::path own = places.userDataHome / "vantrell" / "game";
    if (!SeedGameDirectory(installed, own, error)) {
        return {};
    }
    return own;
}

GameDirectoryPlaces CurrentPlaces() {
    GameDirectoryPlaces places;
    places.executableDir = ExecutableDirectory();
    places.buildDir = VANTRELL_BUILD_DIR;
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    if (dataHome != nullptr && dataHome[0] == '/') {
        places.userDataHome = dataHome;
    } else if (home != nullptr && home[0] != '\0') {
        places.userDataHome = fs::path(home) / ".local" / "share";
    } else {
        places.userDataHome = fs::temp_directory_path();
    }
    return places;
}

}  // namespace vantrell
