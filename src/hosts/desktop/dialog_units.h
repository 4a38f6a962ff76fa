// Dialog units to pixels, as dialog templates are laid out: a horizontal unit is a quarter of
// the dialog font's average character width and a vertical unit an eighth of its height.
#pragma once

#include <QFont>
#include <QRect>

namespace vantrell::desktop {

class DialogUnits {
  public:
    explicit DialogUnits(const QFont& font);
    // Fixed base units, for tests.
    DialogUnits(int baseX, int baseY) : baseX_(baseX), baseY_(baseY) {}

    int X(int units) const { return Scale(units, baseX_, 4); }
    int Y(int units) const { return Scale(units, baseY_, 8); }
    QRect Rect(int x, int y, int width, int height) const {
        return QRect(X(x), Y(y), X(width), Y(height));
    }
    int BaseX() const { return baseX_; }
    int BaseY() const { return baseY_; }

  private:
    // units * base / divisor, rounded half away from zero.
    static int Scale(int units, int base, int divisor);

    int baseX_;
    int baseY_;
};

}  // namespace vantrell::desktop
