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

const std::string& BannerString(int32_t banner) {
    return kBannerStrings[banner <= 0 || banner >= kBannerCount ? 0 : banner];
}

}  // namespace vantrell
