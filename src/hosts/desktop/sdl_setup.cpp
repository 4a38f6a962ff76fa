#include "hosts/desktop/sdl_setup.h"

#include <SDL.h>

namespace vantrell::desktop {

bool InitSdlSubsystem(uint32_t flags) {
    // Must be set before the first SDL_Init: once installed, SDL's handlers swallow SIGINT and
    // SIGTERM and turn them into quit events that nobody here reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    return SDL_InitSubSystem(flags) == 0;
}

}  // namespace vantrell::desktop
