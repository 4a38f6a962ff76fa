// Keeps the ALSA library from printing to standard error. SDL's ALSA driver opens the default
// device even on a machine without a sound card, and the library then reports every step of
// its failed configuration lookup there; the game simply plays silently instead.
#pragma once

namespace vantrell::desktop {

// Before SDL's audio starts. The handler is the library's own global, so it also covers the
// copy SDL loads by itself at run time.
void SilenceAlsaMessages();

}  // namespace vantrell::desktop
