#include "hosts/desktop/language_menu.h"

#include <QAction>
#include <QMenu>

#include "hosts/desktop/menu_builder.h"

namespace vantrell::desktop {

LanguageMenu::LanguageMenu(GameMenu& menu, QString iniPath)
    : menu_(menu), iniPath_(std::move(iniPath)) {
    QMenu* settings = menu_.PopupOf(Command::Music);
    if (settings == nullptr) {
        return;
    }
    settings->addSeparator();
    popup_ = settings->addMenu(QStringLiteral("Language / 言語"));
    popup_->setObjectName("LanguageMenu");
    japanese_ = popup_->addAction(QStringLiteral("日本語"));
    english_ = popup_->addAction(QStringLiteral("English"));
    for (QAction* entry : {japanese_, english_}) {
        entry->setCheckable(true);
    }
    QObject::connect(japanese_, &QAction::triggered, japanese_,
                     [this] { Choose(UiLanguage::Japanese); });
    QObject::connect(english_, &QAction::triggered, english_,
                     [this] { Choose(UiLanguage::English); });
    ShowChoice();
}

void LanguageMenu::Choose(UiLanguage language) {
    ApplyUiLanguage(language);
    menu_.Retranslate();
    StoreUiLanguage(iniPath_, language);
    ShowChoice();
}

QAction* LanguageMenu::Entry(UiLanguage language) const {
    return language == UiLanguage::Japanese ? japanese_ : english_;
}

void LanguageMenu::ShowChoice() {
    if (japanese_ == nullptr) {
        return;
    }
    japanese_->setChecked(CurrentUiLanguage() == UiLanguage::Japanese);
    english_->setChecked(CurrentUiLanguage() == UiLanguage::English);
}

}  // namespace vantrell::desktop
