// The desktop game's entry point: options, game directory, Qt, SDL and the event loop.
#pragma once

namespace vantrell::desktop {

int RunDesktopGame(int argc, char** argv);

}  // namespace vantrell::desktop
