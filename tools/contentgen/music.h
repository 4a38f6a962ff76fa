// The two music pieces, composed in code: "bgm1.mid" (the race, about 80 s in A minor) and
// "stend.mid" (a short end jingle in C major).
#pragma once

#include <cstdint>
#include <vector>

namespace vantrell::contentgen {

std::vector<uint8_t> ComposeRaceMusic();
std::vector<uint8_t> ComposeEndJingle();

}  // namespace vantrell::contentgen
