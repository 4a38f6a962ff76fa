#include "gfx/status_text.h"

#include <array>
#include <iterator>
#include <string>

namespace vantrell {

namespace {

// Indexed by banner code; widths are the texts' Shift-JIS byte counts.
constexpr StatusText kBannerTexts[] = {
    {"", 0},       {"Vantrell for Win95", 18}, {"--- ＤＥＭＯ ---", 16}, {"ＲＥＡＤＹ", 10},
    {"ＧＯ！", 6}, {"ＧＯＡＬ！", 10},         {"時間切れで失格！", 16},
};
constexpr int32_t kBannerCount = static_cast<int32_t>(std::size(kBannerTexts));

// The same texts as the display takes them, made once before the game starts: the strip is
// painted inside a race tick, which must not allocate.
const std::array<std::string, kBannerCount> kBannerStrings = [] {
    std::array<std::string, kBannerCount> strings;
    for (int32_t i = 0; i < kBannerCount; ++i) {
        strings[i] = std::string(kBannerTexts[i].text);
    }
    return strings;
}();

}  // namespace

StatusText BannerText(int32_t banner) {
    if (banner <= 0 || banner >= kBannerCount) {
        return {};
    }
    return kBannerTexts[banner];
}

void PaintStatus(Display& display, int32_t banner) {
    const int32_t index = banner <= 0 || banner >= kBannerCount ? 0 : banner;
    display.PaintStatus(kBannerStrings[index], kBannerTexts[index].widthUnits);
}

}  // namespace vantrell
