#include "gfx/status_text.h"

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

}  // namespace

StatusText BannerText(int32_t banner) {
    if (banner <= 0 || banner >= kBannerCount) {
        return {};
    }
    return kBannerTexts[banner];
}

void PaintStatus(Display& display, int32_t banner) {
    const StatusText status = BannerText(banner);
    display.PaintStatus(std::string(status.text), status.widthUnits);
}

}  // namespace vantrell
