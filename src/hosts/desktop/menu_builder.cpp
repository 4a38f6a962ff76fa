#include "hosts/desktop/menu_builder.h"

#include <QCoreApplication>
#include <QMenu>

#include "app/menu.h"

namespace vantrell::desktop {

namespace {

QString MenuText(const char* text) {
    return QCoreApplication::translate("Menu", text);
}

}  // namespace

GameMenu::GameMenu(QMenuBar& bar, CommandHandler onCommand) {
    for (const MenuPopupDef& popupSpec : MainMenu()) {
        if (popupSpec.rightJustified) {
            // With the game's style this moves the pop-ups after it to the right end.
            bar.addSeparator();
        }
        QMenu* popup = bar.addMenu(MenuText(popupSpec.text));
        texts_.emplace_back(popup->menuAction(), popupSpec.text);
        for (const MenuItemDef& itemSpec : popupSpec.items) {
            if (itemSpec.IsSeparator()) {
                popup->addSeparator();
                continue;
            }
            QAction* item = popup->addAction(MenuText(itemSpec.text));
            texts_.emplace_back(item, itemSpec.text);
            const Command id = *itemSpec.command;
            popups_[id] = popup;
            item->setData(static_cast<int>(id));
            if (itemSpec.checked) {
                item->setCheckable(true);
                item->setChecked(true);
            }
            QObject::connect(item, &QAction::triggered, item, [item, id, onCommand](bool checked) {
                // Qt flips a checkable item on its own; the game decides the marks, so undo it.
                if (item->isCheckable()) {
                    item->setChecked(!checked);
                }
                if (onCommand) {
                    onCommand(id);
                }
            });
            items_[id] = item;
        }
    }
}

void GameMenu::Retranslate() {
    for (const auto& [action, text] : texts_) {
        action->setText(MenuText(text));
    }
}

QAction* GameMenu::AddCheckItem(Command besides, const char* text) {
    QMenu* popup = PopupOf(besides);
    if (popup == nullptr) {
        return nullptr;
    }
    QAction* item = popup->addAction(MenuText(text));
    item->setCheckable(true);
    texts_.emplace_back(item, text);
    return item;
}

QAction* GameMenu::AddItemAfter(Command after, const char* text) {
    QMenu* popup = PopupOf(after);
    QAction* before = Item(after);
    if (popup == nullptr || before == nullptr) {
        return nullptr;
    }
    const QList<QAction*> items = popup->actions();
    const qsizetype next = items.indexOf(before) + 1;
    auto* item = new QAction(MenuText(text), popup);
    popup->insertAction(next < items.size() ? items[next] : nullptr, item);
    texts_.emplace_back(item, text);
    return item;
}

QMenu* GameMenu::PopupOf(Command command) const {
    const auto found = popups_.find(command);
    return found == popups_.end() ? nullptr : found->second;
}

QAction* GameMenu::Item(Command command) const {
    const auto found = items_.find(command);
    return found == items_.end() ? nullptr : found->second;
}

void GameMenu::SetCheck(Command command, bool checked) {
    QAction* item = Item(command);
    if (item == nullptr) {
        return;
    }
    item->setCheckable(true);
    item->setChecked(checked);
}

bool GameMenu::Checked(Command command) const {
    const QAction* item = Item(command);
    return item != nullptr && item->isChecked();
}

}  // namespace vantrell::desktop
