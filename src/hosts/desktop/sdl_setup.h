// Starting SDL subsystems the way this game needs them: without SDL video (Qt owns the
// windows) and without SDL's signal handlers, so Ctrl+C and SIGTERM still end the program.
#pragma once

#include <cstdint>

namespace vantrell::desktop {

// SDL_InitSubSystem with the signal handlers left alone; true on success. Each successful call
// must be paired with SDL_QuitSubSystem of the same flags.
bool InitSdlSubsystem(uint32_t flags);

}  // namespace vantrell::desktop
