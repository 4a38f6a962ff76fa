#include "hosts/desktop/race_display_switches.h"

#include <QAction>
#include <QMenu>
#include <QSettings>

#include <memory>

#include "hosts/desktop/menu_builder.h"
#include "hosts/desktop/qt_settings.h"

namespace vantrell::desktop {

namespace {

constexpr char kPanelKey[] = "display/racePanel";
constexpr char kSplitsKey[] = "display/splits";

// Anything but a stored "false" reads as on, so a damaged entry shows the display.
bool ReadSwitch(const QSettings& settings, const char* key) {
    const QVariant value = settings.value(key);
    return !value.isValid() || value.toString() != QStringLiteral("false");
}

}  // namespace

RaceDisplaySwitches::RaceDisplaySwitches(GameMenu& menu, QString iniPath, Apply apply)
    : iniPath_(std::move(iniPath)), apply_(std::move(apply)) {
    {
        const auto settings = OpenSettings(iniPath_);
        panelOn_ = ReadSwitch(*settings, kPanelKey);
        splitsOn_ = ReadSwitch(*settings, kSplitsKey);
    }
    if (QMenu* settingsMenu = menu.PopupOf(Command::Music)) {
        settingsMenu->addSeparator();
    }
    panelItem_ = menu.AddCheckItem(Command::Music, QT_TRANSLATE_NOOP("Menu", "レース表示"));
    splitsItem_ = menu.AddCheckItem(Command::Music, QT_TRANSLATE_NOOP("Menu", "スプリット表示"));
    if (panelItem_ == nullptr || splitsItem_ == nullptr) {
        return;  // no settings pop-up to put them in
    }
    panelItem_->setObjectName("RacePanelItem");
    splitsItem_->setObjectName("SplitsItem");
    panelItem_->setChecked(panelOn_);
    splitsItem_->setChecked(splitsOn_);
    QObject::connect(panelItem_, &QAction::toggled, panelItem_, [this](bool on) {
        panelOn_ = on;
        Store();
        apply_(panelOn_, splitsOn_);
    });
    QObject::connect(splitsItem_, &QAction::toggled, splitsItem_, [this](bool on) {
        splitsOn_ = on;
        Store();
        apply_(panelOn_, splitsOn_);
    });
    apply_(panelOn_, splitsOn_);
}

void RaceDisplaySwitches::Store() const {
    const auto settings = OpenSettings(iniPath_);
    settings->setValue(kPanelKey, panelOn_);
    settings->setValue(kSplitsKey, splitsOn_);
    settings->sync();
}

}  // namespace vantrell::desktop
