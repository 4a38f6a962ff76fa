// The effect and music switches as they persist between runs in SOUNDCNF.TXT: two text lines,
// "SE = 1 " and "BGM = 0 ", each ended by CR LF.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace vantrell {

inline constexpr char kSoundSwitchFileName[] = "SOUNDCNF.TXT";

struct SoundSwitches {
    int32_t effectsOn = 1;  // 1 on, 0 off
    int32_t musicOn = 1;
};

// Reads the file's text with the patterns "SE = %d " and then "BGM = %d ", as scanf would: the
// letters and '=' must match, a blank matches any run of white space (none included), %d is a
// signed decimal, and the second pattern starts where the first stopped. A number greater than
// 0 switches on, anything else off. A switch whose pattern does not match keeps its value in
// `switches`, so a damaged file never silences the game by itself.
void ParseSoundSwitches(std::string_view text, SoundSwitches& switches);

// The file's exact bytes; any value greater than 0 is written as 1, anything else as 0.
std::string FormatSoundSwitches(const SoundSwitches& switches);

// 1 when the file was read; -1 when it could not be opened, with `switches` untouched.
int32_t LoadSoundSwitches(const std::filesystem::path& file, SoundSwitches& switches);

// Writes a new file beside `file` and renames it over, so the old file stays whole if writing
// fails half-way. 1 on success, -1 (nothing changed on disk) otherwise.
int32_t SaveSoundSwitches(const std::filesystem::path& file, const SoundSwitches& switches);

}  // namespace vantrell
