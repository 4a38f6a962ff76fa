// The look of the game's windows: Qt's classic "Windows" style (plain menus where an unchecked
// item shows no box), plus one change: a separator on the menu bar pushes the pop-ups after it
// to the right end, which is how "説明" sits on the right; and check boxes keep their text as
// close to the box as the dialog templates expect.
#pragma once

#include <QProxyStyle>

namespace vantrell::desktop {

class GameStyle final : public QProxyStyle {
  public:
    GameStyle();

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;
};

}  // namespace vantrell::desktop
