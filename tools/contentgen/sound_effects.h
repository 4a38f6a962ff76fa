// The four race sound effects, synthesised as 8-bit mono PCM RIFF WAVE images at 11025 Hz:
// 0 checkpoint chime, 1 goal fanfare, 2 countdown beep, 3 start signal.
#pragma once

#include <cstdint>
#include <vector>

namespace vantrell::contentgen {

constexpr int32_t kEffectRate = 11025;
constexpr int32_t kEffectCount = 4;
// Sample counts of the four effects.
constexpr int32_t kEffectLengths[kEffectCount] = {8935, 22700, 1573, 6903};

// The complete WAVE file image of effect index 0..3.
std::vector<uint8_t> MakeEffectWave(int32_t index);

// Wraps unsigned 8-bit mono samples into a RIFF WAVE image.
std::vector<uint8_t> WaveImage(const std::vector<uint8_t>& samples, int32_t rate);

}  // namespace vantrell::contentgen
