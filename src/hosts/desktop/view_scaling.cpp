#include "hosts/desktop/view_scaling.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "hosts/desktop/qt_settings.h"

namespace vantrell::desktop {

namespace {

constexpr char kScalingKey[] = "view/scaling";
constexpr char kWindowScaleKey[] = "view/windowScale";
constexpr char kModeKey[] = "view/picture";

struct ScalingName {
    Scaling scaling;
    const char* name;
};

constexpr ScalingName kScalingNames[] = {
    {Scaling::Stretch, "stretch"},
    {Scaling::KeepShape, "keep-shape"},
    {Scaling::WholeMultiples, "whole-multiples"},
};

}  // namespace

QRectF PictureRect(const QRectF& area, int32_t pictureWidth, int32_t pictureHeight, Scaling scaling,
                   double devicePixelRatio) {
    if (scaling == Scaling::Stretch || pictureWidth <= 0 || pictureHeight <= 0 || area.isEmpty()) {
        return area;
    }
    const double ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    // Device pixels from here on, so edges fall on whole screen pixels.
    const double areaWidth = std::floor(area.width() * ratio);
    const double areaHeight = std::floor(area.height() * ratio);
    double width = 0;
    double height = 0;
    if (scaling == Scaling::KeepShape) {
        const double fit = std::min(areaWidth / pictureWidth, areaHeight / pictureHeight);
        width = std::round(pictureWidth * fit);
        height = std::round(pictureHeight * fit);
    } else {
        const double whole = std::max(
            1.0, std::floor(std::min(areaWidth / pictureWidth, areaHeight / pictureHeight)));
        width = pictureWidth * whole;
        height = pictureHeight * whole;
    }
    const double left = std::floor((areaWidth - width) / 2);
    const double top = std::floor((areaHeight - height) / 2);
    return QRectF(area.left() + left / ratio, area.top() + top / ratio, width / ratio,
                  height / ratio);
}

ViewSettings LoadViewSettings(const QString& iniPath) {
    ViewSettings settings;
    const auto stored = OpenSettings(iniPath);
    const QString scaling = stored->value(kScalingKey).toString();
    for (const ScalingName& entry : kScalingNames) {
        if (scaling == QLatin1String(entry.name)) {
            settings.scaling = entry.scaling;
        }
    }
    bool ok = false;
    const int scale = stored->value(kWindowScaleKey).toInt(&ok);
    if (ok && scale >= 1 && scale <= kMaxWindowScale) {
        settings.windowScale = scale;
    }
    const std::optional<ViewMode> mode =
        ViewModeNamed(stored->value(kModeKey).toString().toStdString());
    if (mode) {
        settings.mode = *mode;
    }
    return settings;
}

void StoreViewSettings(const QString& iniPath, const ViewSettings& settings) {
    const auto stored = OpenSettings(iniPath);
    for (const ScalingName& entry : kScalingNames) {
        if (entry.scaling == settings.scaling) {
            stored->setValue(kScalingKey, QLatin1String(entry.name));
        }
    }
    stored->setValue(kWindowScaleKey, settings.windowScale);
    stored->setValue(kModeKey, QString::fromStdString(std::string(ViewModeName(settings.mode))));
    stored->sync();
}

}  // namespace vantrell::desktop
