#include "hosts/desktop/qt_speed_store.h"

namespace vantrell::desktop {

namespace {

constexpr char kSpeedKey[] = "game/tickPeriod";

}  // namespace

std::optional<int32_t> QtSpeedStore::Load() {
    const auto settings = OpenSettings(iniPath_);
    if (settings->status() != QSettings::NoError) {
        return std::nullopt;
    }
    const QVariant value = settings->value(kSpeedKey);
    bool ok = false;
    const int period = value.toInt(&ok);
    // Anything but a whole number counts as never stored; the game clamps the range itself.
    if (!value.isValid() || !ok) {
        return std::nullopt;
    }
    return period;
}

void QtSpeedStore::Store(int32_t periodMs) {
    const auto settings = OpenSettings(iniPath_);
    settings->setValue(kSpeedKey, periodMs);
    settings->sync();
}

}  // namespace vantrell::desktop
