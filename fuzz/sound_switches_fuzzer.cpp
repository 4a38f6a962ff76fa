// SOUNDCNF.TXT on any text: ParseSoundSwitches leaves each switch as it was or sets it to 0 or 1,
// and what the game writes reads back the same.
#include <string_view>

#include "fuzz_support.h"
#include "sound/sound_switches.h"

using namespace vantrell;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    SoundSwitches parsed{7, -3};  // values no file gives, to see which switches were set
    ParseSoundSwitches(text, parsed);
    FUZZ_CHECK(parsed.effectsOn == 7 || parsed.effectsOn == 0 || parsed.effectsOn == 1);
    FUZZ_CHECK(parsed.musicOn == -3 || parsed.musicOn == 0 || parsed.musicOn == 1);

    SoundSwitches again{5, 5};
    ParseSoundSwitches(FormatSoundSwitches(parsed), again);
    FUZZ_CHECK(again.effectsOn == (parsed.effectsOn > 0 ? 1 : 0));
    FUZZ_CHECK(again.musicOn == (parsed.musicOn > 0 ? 1 : 0));
    return 0;
}
