#include "app/game.h"

namespace vantrell {

Game::Game(const PlatformBundle& platform)
    : display(platform.display),
      dialogs(platform.dialogs),
      dataDir(platform.dataDir),
      timer(platform.timer, platform.speedStore),
      input(platform.keys, platform.joysticks),
      sound(platform.audio, platform.waves, platform.dataDir),
      records(platform.dataDir.empty() ? std::filesystem::path(".") : platform.dataDir),
      state(GameServices{&sound, &records, &platform.display, platform.dataDir}) {}

}  // namespace vantrell
