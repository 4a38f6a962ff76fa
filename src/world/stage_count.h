// How many stages the world has: the game folder holds stages 0..kStageCount-1.
#pragma once

#include <cstdint>

namespace vantrell {

inline constexpr int32_t kStageCount = 5;

// The number a person reads and types for stage `stage`: the menus count from 1, the files
// (MAP0.DAT, VANREC0.DAT, a run file's stage field) from 0.
constexpr int32_t StageNumber(int32_t stage) {
    return stage + 1;
}

}  // namespace vantrell
