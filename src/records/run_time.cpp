#include "records/run_time.h"

#include <cstdio>
#include <cstdlib>

#include "platform/ui_text.h"

namespace vantrell {

namespace {

// Context "Times" for the translation tools; %d the ticks, %s the seconds.
constexpr char kTicksWithSeconds[] = VT_TRANSLATE_NOOP("Times", "%d（%s秒）");
constexpr char kTicksWithSecondsPlain[] = "%d (%s s)";

}  // namespace

std::string SecondsAtStandardSpeed(int32_t ticks) {
    // In 64 bits: a hand-edited record may hold any 32-bit time.
    const int64_t ms = static_cast<int64_t>(ticks) * kStandardTickMs;
    const int64_t hundredths = (std::llabs(ms) + 5) / 10;
    char text[32];
    std::snprintf(text, sizeof text, "%s%lld.%02lld", ms < 0 ? "-" : "",
                  static_cast<long long>(hundredths / 100),
                  static_cast<long long>(hundredths % 100));
    return text;
}

std::string TicksWithSeconds(int32_t ticks, TimeWords words) {
    const std::string format = words == TimeWords::Plain ? std::string(kTicksWithSecondsPlain)
                                                         : UiText("Times", kTicksWithSeconds);
    const std::string seconds = SecondsAtStandardSpeed(ticks);
    char text[96];
    std::snprintf(text, sizeof text, format.c_str(), static_cast<int>(ticks), seconds.c_str());
    return text;
}

}  // namespace vantrell
