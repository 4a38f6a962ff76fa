// Helpers for the headless race, autopilot and tool tests: a scratch folder, a stage of our own
// making (level ground, checkpoints wherever a test wants them) and the built game directory.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "race/headless_race.h"

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

// A race on an empty folder: no file loads, so the ground is level at height 0 everywhere and
// the test places the checkpoints itself.
class SyntheticRace {
  public:
    SyntheticRace() : race_(folder_.path(), 0) {}

    HeadlessRace& race() { return race_; }
    GameState& game() { return race_.game(); }
    void SetBox(int32_t index, int32_t x, int32_t y) {
        game().course.checkpoints[static_cast<size_t>(index)] = {static_cast<int16_t>(x),
                                                                 static_cast<int16_t>(y)};
    }
    void SetAllBoxes(int32_t x, int32_t y) {
        for (int32_t i = 0; i < kCheckpointCount; ++i) {
            SetBox(i, x, y);
        }
    }

  private:
    ScratchFolder folder_;
    HeadlessRace race_;
};

}  // namespace vantrell::test
