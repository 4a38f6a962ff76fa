// The program's embedded resources (the four sound effects WAVDAT0..WAVDAT3 and the icon
// VANTRICO), looked up by name.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace vantrell {

// The bytes of the named resource, or an empty span when there is none by that name.
std::span<const uint8_t> FindResource(std::string_view name);

// The four sound effects WAVDAT0..WAVDAT3, in order, as every host hands them to the game.
std::array<std::span<const uint8_t>, 4> EmbeddedWaves();

}  // namespace vantrell
