// The game speed kept between runs with QSettings: the user's settings of this program, or an
// INI file of the caller's choosing (tests keep theirs in a scratch folder).
#pragma once

#include <QString>

#include <optional>

#include "hosts/desktop/qt_settings.h"

#include "platform/speed_store.h"

namespace vantrell::desktop {

class QtSpeedStore final : public SpeedStore {
  public:
    // The program's own user settings.
    QtSpeedStore() = default;
    // An INI file at iniPath instead.
    explicit QtSpeedStore(QString iniPath) : iniPath_(std::move(iniPath)) {}

    std::optional<int32_t> Load() override;
    void Store(int32_t periodMs) override;

  private:
    QString iniPath_;
};

}  // namespace vantrell::desktop
