#include "hosts/desktop/stage_list_dialog.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "hosts/desktop/dialog_builder.h"
#include "hosts/desktop/row_table.h"
#include "platform/ui_text.h"

namespace vantrell::desktop {

namespace {

constexpr char kCaption[] = VT_TRANSLATE_NOOP("Dialogs", "その他のステージ");
constexpr char kStageColumn[] = VT_TRANSLATE_NOOP("Dialogs", "ステージ");
constexpr char kAuthorColumn[] = VT_TRANSLATE_NOOP("Dialogs", "作者");
constexpr char kBestColumn[] = VT_TRANSLATE_NOOP("Dialogs", "最高記録");
constexpr char kBuiltIn[] = VT_TRANSLATE_NOOP("Dialogs", "（標準）");
constexpr char kRace[] = VT_TRANSLATE_NOOP("Dialogs", "このステージへ");
constexpr char kRemove[] = VT_TRANSLATE_NOOP("Dialogs", "削除...");
constexpr char kAdd[] = VT_TRANSLATE_NOOP("Dialogs", "ステージパックを追加...");
constexpr char kClose[] = VT_TRANSLATE_NOOP("Dialogs", "閉じる");

// Which of a pack's names the player reads: the game's shell answers the same question with
// the same text.
bool JapaneseNames() {
    return UiText("Messages", "ja") == "ja";
}

}  // namespace

StageListDialog::StageListDialog(const std::vector<StageListRow>& rows, QWidget* parent)
    : QDialog(parent), rows_(rows) {
    setWindowTitle(DialogText(kCaption));
    auto* layout = new QVBoxLayout(this);
    table_ =
        NewRowTable(static_cast<int>(rows.size()),
                    {DialogText(kStageColumn), DialogText(kAuthorColumn), DialogText(kBestColumn)},
                    QSize(420, 260), this);
    const bool japanese = JapaneseNames();
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        const StageListRow& line = rows[row];
        const std::string& name = japanese ? line.name : line.nameEn;
        auto* nameItem = new QTableWidgetItem(QString::fromStdString(name));
        if (line.current) {
            QFont font = nameItem->font();
            font.setBold(true);
            nameItem->setFont(font);
        }
        table_->setItem(row, 0, nameItem);
        table_->setItem(row, 1,
                        new QTableWidgetItem(line.pack ? QString::fromStdString(line.author)
                                                       : DialogText(kBuiltIn)));
        table_->setItem(row, 2,
                        new QTableWidgetItem(line.bestTime > 0 ? QString::number(line.bestTime)
                                                               : QStringLiteral("----")));
        table_->item(row, 2)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (line.current) {
            table_->selectRow(row);
        }
    }
    layout->addWidget(table_);
    auto* buttons = new QHBoxLayout;
    race_ = new QPushButton(DialogText(kRace), this);
    remove_ = new QPushButton(DialogText(kRemove), this);
    add_ = new QPushButton(DialogText(kAdd), this);
    auto* close = new QPushButton(DialogText(kClose), this);
    buttons->addWidget(race_);
    buttons->addWidget(remove_);
    buttons->addStretch();
    buttons->addWidget(add_);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    race_->setDefault(true);
    connect(race_, &QPushButton::clicked, this, [this] { Choose(StageListAction::Race); });
    connect(remove_, &QPushButton::clicked, this, [this] { Choose(StageListAction::Remove); });
    connect(add_, &QPushButton::clicked, this, [this] { Choose(StageListAction::Add); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(table_, &QTableWidget::cellDoubleClicked, this,
            [this] { Choose(StageListAction::Race); });
    auto enable = [this] {
        const int row = table_->currentRow();
        race_->setEnabled(row >= 0);
        remove_->setEnabled(row >= 0 && rows_[static_cast<std::size_t>(row)].pack);
    };
    connect(table_, &QTableWidget::itemSelectionChanged, this, enable);
    enable();
}

void StageListDialog::Choose(StageListAction action) {
    const int row = table_->currentRow();
    if (action != StageListAction::Add && row < 0) {
        return;
    }
    choice_ = StageListChoice{action, action == StageListAction::Add ? 0 : row};
    accept();
}

}  // namespace vantrell::desktop
