// Virtual key codes of the keys the game reads. Hosts translate their own key events to these.
#pragma once

#include <cstdint>

namespace vantrell {

inline constexpr int32_t kKeyShift = 0x10;
inline constexpr int32_t kKeyControl = 0x11;
inline constexpr int32_t kKeyLeft = 0x25;
inline constexpr int32_t kKeyUp = 0x26;
inline constexpr int32_t kKeyRight = 0x27;
inline constexpr int32_t kKeyDown = 0x28;
inline constexpr int32_t kKeyA = 0x41;
inline constexpr int32_t kKeyD = 0x44;
inline constexpr int32_t kKeyS = 0x53;
inline constexpr int32_t kKeyW = 0x57;
inline constexpr int32_t kKeyX = 0x58;

// Codes run 0..255; anything outside is no key at all.
inline constexpr int32_t kKeyCount = 256;

}  // namespace vantrell
