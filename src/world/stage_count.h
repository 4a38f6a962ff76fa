// How many stages the world has: the game folder holds stages 0..kStageCount-1.
#pragma once

#include <cstdint>

namespace vantrell {

inline constexpr int32_t kStageCount = 5;

}  // namespace vantrell
