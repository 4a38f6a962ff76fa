#include "app/game.h"

namespace vantrell {

std::string DataPrefix(const std::filesystem::path& dataDir) {
    if (dataDir.empty()) {
        return {};
    }
    return (dataDir / "").string();
}

Game::Game(const PlatformBundle& platform)
    : display(platform.display),
      dialogs(platform.dialogs),
      timer(platform.timer, platform.speedStore),
      input(platform.keys, platform.joysticks),
      sound(platform.audio, platform.waves, platform.dataDir),
      records(platform.dataDir.empty() ? std::filesystem::path(".") : platform.dataDir),
      state(GameServices{&sound, &records, &platform.display, DataPrefix(platform.dataDir)}) {}

}  // namespace vantrell
