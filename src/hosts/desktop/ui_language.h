// The language of the texts a player reads outside the game picture: the game's own Japanese,
// or English through Qt's translation system (vantrell_en.qm, built into the program). The
// choice is the command line's, else the one stored in the settings file, else the system's:
// a Japanese locale gives Japanese, any other English.
#pragma once

#include <QLocale>
#include <QString>

#include <optional>
#include <string>

namespace vantrell::desktop {

enum class UiLanguage { Japanese, English };

// "ja" or "en"; anything else is no language.
std::optional<UiLanguage> ParseUiLanguage(const std::string& code);
const char* UiLanguageCode(UiLanguage language);

UiLanguage UiLanguageForLocale(const QLocale& locale);

// The settings file: iniPath, or the program's own user settings when it is empty.
std::optional<UiLanguage> StoredUiLanguage(const QString& iniPath);
void StoreUiLanguage(const QString& iniPath, UiLanguage language);

// What the game starts in: the command line, else the stored choice, else the locale.
UiLanguage StartUiLanguage(std::optional<UiLanguage> commandLine, const QString& iniPath,
                           const QLocale& locale = QLocale::system());

// Makes language the one every translated text is shown in from now on: Qt's translator for
// the host's texts and the game's texts alike. Needs a QApplication. False when the English
// translation could not be loaded (the texts then stay Japanese).
bool ApplyUiLanguage(UiLanguage language);
UiLanguage CurrentUiLanguage();

}  // namespace vantrell::desktop
