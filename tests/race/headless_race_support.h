// Helpers for the headless race, autopilot and tool tests: a scratch folder, a stage of our own
// making (level ground, checkpoints wherever a test wants them) and the built game directory.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "race/headless_race.h"
#include "synthetic_stage.h"

namespace vantrell::test {

class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vantrell-race-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

inline const std::filesystem::path& GameDir() {
    static const std::filesystem::path dir = VANTRELL_GAME_DIR;
    return dir;
}

// A race on a folder holding only the test's checkpoints: the ground is level at height 0
// everywhere and nothing stands on the course.
class SyntheticRace {
  public:
    explicit SyntheticRace(const Boxes& boxes)
        : written_((WriteSyntheticStage(folder_.path(), 0, boxes), true)),
          race_(folder_.path(), 0) {}

    HeadlessRace& race() { return race_; }
    const GameState& game() const { return race_.game(); }

  private:
    ScratchFolder folder_;
    bool written_;
    HeadlessRace race_;
};

}  // namespace vantrell::test
