// A player's own MIDI piece rendered as the build renders the game's: FluidSynth at its default
// gain with a General MIDI soundfont, then Ogg Opus. Slow (the soundfont alone takes the better
// part of a second to read): called off the window's thread, and stopped early by a flag.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vantrell::desktop {

// The piece rendered to the end of its last notes as an Ogg Opus file's bytes; nothing, with
// `error` saying why, when the soundfont or the piece cannot be read or `stop` turned true.
std::optional<std::vector<uint8_t>> RenderMidi(const std::vector<uint8_t>& midi,
                                               const std::string& soundFont,
                                               const std::atomic<bool>& stop, std::string& error);

// The General MIDI soundfont to render with: the one SDL_SOUNDFONTS names when that file exists
// (or SDL_FORCE_SOUNDFONTS insists), otherwise the first one Debian's soundfont packages
// installed; "" when there is none.
std::string ChooseSoundFont();

}  // namespace vantrell::desktop
