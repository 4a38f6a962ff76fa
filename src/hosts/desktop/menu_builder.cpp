#include "hosts/desktop/menu_builder.h"

#include <QMenu>

#include "app/window_resources.h"

namespace vantrell::desktop {

GameMenu::GameMenu(QMenuBar& bar, CommandHandler onCommand) {
    for (const MenuPopupDef& popupSpec : MainMenu()) {
        if (popupSpec.rightJustified) {
            // With the game's style this moves the pop-ups after it to the right end.
            bar.addSeparator();
        }
        QMenu* popup = bar.addMenu(QString::fromUtf8(popupSpec.text));
        for (const MenuItemDef& itemSpec : popupSpec.items) {
            if (itemSpec.IsSeparator()) {
                popup->addSeparator();
                continue;
            }
            QAction* item = popup->addAction(QString::fromUtf8(itemSpec.text));
            const int32_t id = itemSpec.id;
            item->setData(id);
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

QAction* GameMenu::Item(int32_t commandId) const {
    const auto found = items_.find(commandId);
    return found == items_.end() ? nullptr : found->second;
}

void GameMenu::SetCheck(int32_t commandId, bool checked) {
    QAction* item = Item(commandId);
    if (item == nullptr) {
        return;
    }
    item->setCheckable(true);
    item->setChecked(checked);
}

bool GameMenu::Checked(int32_t commandId) const {
    const QAction* item = Item(commandId);
    return item != nullptr && item->isChecked();
}

}  // namespace vantrell::desktop
