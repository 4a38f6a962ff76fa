// The program's settings file (Vantrell.conf in the user's settings folder), or an INI file of
// the caller's choosing (tests keep theirs in a scratch folder). The game speed, the view's
// scaling and the window size live there; never in a game file.
#pragma once

#include <QSettings>
#include <QString>

#include <memory>

namespace vantrell::desktop {

inline constexpr char kSettingsOrganisation[] = "Vantrell";
inline constexpr char kSettingsApplication[] = "Vantrell";

// iniPath empty: the program's own user settings.
inline std::unique_ptr<QSettings> OpenSettings(const QString& iniPath) {
    if (iniPath.isEmpty()) {
        return std::make_unique<QSettings>(kSettingsOrganisation, kSettingsApplication);
    }
    return std::make_unique<QSettings>(iniPath, QSettings::IniFormat);
}

}  // namespace vantrell::desktop
