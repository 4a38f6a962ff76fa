#include "hosts/desktop/ui_language.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTranslator>

#include <memory>

#include "hosts/desktop/qt_settings.h"
#include "platform/ui_text.h"

namespace vantrell::desktop {

namespace {

constexpr char kLanguageKey[] = "ui/language";
constexpr char kEnglishTranslation[] = ":/i18n/vantrell_en.qm";

UiLanguage current = UiLanguage::Japanese;

QTranslator& EnglishTranslator() {
    // Lives as long as the application may ask it; Qt keeps only a pointer.
    static QTranslator* translator = new QTranslator(QCoreApplication::instance());
    return *translator;
}

std::string TranslateForGame(const char* context, const char* text) {
    return QCoreApplication::translate(context, text).toStdString();
}

}  // namespace

std::optional<UiLanguage> ParseUiLanguage(const std::string& code) {
    if (code == "ja") {
        return UiLanguage::Japanese;
    }
    if (code == "en") {
        return UiLanguage::English;
    }
    return std::nullopt;
}

const char* UiLanguageCode(UiLanguage language) {
    return language == UiLanguage::Japanese ? "ja" : "en";
}

UiLanguage UiLanguageForLocale(const QLocale& locale) {
    return locale.language() == QLocale::Japanese ? UiLanguage::Japanese : UiLanguage::English;
}

std::optional<UiLanguage> StoredUiLanguage(const QString& iniPath) {
    const auto settings = OpenSettings(iniPath);
    return ParseUiLanguage(settings->value(kLanguageKey).toString().toStdString());
}

void StoreUiLanguage(const QString& iniPath, UiLanguage language) {
    const auto settings = OpenSettings(iniPath);
    settings->setValue(kLanguageKey, QString::fromLatin1(UiLanguageCode(language)));
    settings->sync();
}

UiLanguage StartUiLanguage(std::optional<UiLanguage> commandLine, const QString& iniPath,
                           const QLocale& locale) {
    if (commandLine) {
        return *commandLine;
    }
    if (const std::optional<UiLanguage> stored = StoredUiLanguage(iniPath)) {
        return *stored;
    }
    return UiLanguageForLocale(locale);
}

bool ApplyUiLanguage(UiLanguage language) {
    QTranslator& english = EnglishTranslator();
    QCoreApplication::removeTranslator(&english);
    SetUiTextTranslator(&TranslateForGame);
    current = UiLanguage::Japanese;
    if (language == UiLanguage::Japanese) {
        return true;
    }
    if (english.isEmpty() && !english.load(QString::fromLatin1(kEnglishTranslation))) {
        return false;
    }
    QCoreApplication::installTranslator(&english);
    current = UiLanguage::English;
    return true;
}

UiLanguage CurrentUiLanguage() {
    return current;
}

}  // namespace vantrell::desktop
