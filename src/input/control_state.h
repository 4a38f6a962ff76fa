// One player's controls for the current tick. Opposite directions are held as pairs of
// opposite sign; readers only ever test a field for being greater than 0.
#pragma once

#include <cstdint>

namespace vantrell {

struct ControlState {
    int32_t forward = 0;
    int32_t reverse = 0;
    int32_t right = 0;
    int32_t left = 0;
    int32_t button = 0;
    int32_t live = 1;  // the race step lowers it to take the controls away for one tick
};

}  // namespace vantrell
