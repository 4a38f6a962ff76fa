#include "app/game.h"

namespace vantrell {

Game::Game(const PlatformBundle& platform)
    : display_(platform.display),
      dialogs_(platform.dialogs),
      dataDir_(platform.dataDir),
      timer_(platform.timer, platform.speedStore),
      input_(platform.keys, platform.joysticks),
      sound_(platform.audio, platform.waves, platform.dataDir),
      records_(platform.dataDir.empty() ? std::filesystem::path(".") : platform.dataDir),
      packs_((platform.dataDir.empty() ? std::filesystem::path(".") : platform.dataDir) / "packs",
             platform.packReader),
      state_(GameServices{&sound_, &records_, &platform.display, platform.dataDir}) {}

}  // namespace vantrell
