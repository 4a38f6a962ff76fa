// A scratch data folder per test, optionally filled with the generated game content, so a
// headless game can write its record, recording and switch files without touching the build.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

namespace vantrell::test {

class ScratchDir {
  public:
    ScratchDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vantrell-shell-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Copies the game directory the build generated; false when there is none yet.
    bool CopyGameContent() const {
        const std::filesystem::path game = VANTRELL_GAME_DIR;
        std::error_code error;
        if (!std::filesystem::is_directory(game, error)) {
            return false;
        }
        std::filesystem::copy(game, path_, std::filesystem::copy_options::recursive, error);
        return !error;
    }

  private:
    std::filesystem::path path_;
};

}  // namespace vantrell::test
