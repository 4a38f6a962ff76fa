#include "hosts/desktop/dialog_units.h"

#include <QFontMetrics>

#include <algorithm>

namespace vantrell::desktop {

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width is measured over the 52 Latin letters, rounded to the nearest pixel.
    const int letters =
        metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    // Clamped so that a missing font cannot collapse or explode a dialog.
    baseX_ = std::clamp((letters / 26 + 1) / 2, 3, 24);
    baseY_ = std::clamp(metrics.height(), 6, 48);
}

int DialogUnits::Scale(int units, int base, int divisor) {
    const int product = units * base;
    const int half = divisor / 2;
    return product >= 0 ? (product + half) / divisor : -((-product + half) / divisor);
}

}  // namespace vantrell::desktop
