#include "hosts/desktop/game_style.h"

#include <QMenuBar>
#include <QStyleFactory>

namespace vantrell::desktop {

// QStyleFactory gives null when the style is missing; QProxyStyle then wraps the default.
GameStyle::GameStyle() : QProxyStyle(QStyleFactory::create("Windows")) {}

int GameStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                           const QWidget* widget) const {
    if (metric == PM_CheckBoxLabelSpacing || metric == PM_RadioButtonLabelSpacing) {
        return 4;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

int GameStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                         QStyleHintReturn* returnData) const {
    // QMenuBar right-aligns everything after a separator when the style draws separators.
    if (hint == SH_DrawMenuBarSeparator && qobject_cast<const QMenuBar*>(widget) != nullptr) {
        return 1;
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

}  // namespace vantrell::desktop
