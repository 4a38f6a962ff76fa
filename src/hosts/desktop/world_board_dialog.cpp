#include "hosts/desktop/world_board_dialog.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QJsonArray>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "hosts/desktop/row_table.h"
#include "hosts/desktop/world_texts.h"

namespace vantrell::desktop {

using world::Text;

WorldBoardDialog::WorldBoardDialog(WorldClient& client, WorldAccount account, QString courseHex,
                                   int32_t stage, QString packName, QWidget* parent)
    : QDialog(parent),
      client_(client),
      account_(std::move(account)),
      course_(std::move(courseHex)),
      stage_(stage),
      packName_(std::move(packName)) {
    setWindowTitle(Text(world::kCaption));
    auto* layout = new QVBoxLayout(this);
    title_ = new QLabel(Text(world::kLoading), this);
    own_ = new QLabel(this);
    layout->addWidget(title_);
    layout->addWidget(own_);
    table_ = NewRowTable(
        0, {Text(world::kRank), Text(world::kTime), Text(world::kName), Text(world::kWhen)},
        QSize(460, 320), this);
    layout->addWidget(table_);
    auto* buttons = new QHBoxLayout;
    previous_ = new QPushButton(Text(world::kPrevious), this);
    next_ = new QPushButton(Text(world::kNext), this);
    race_ = new QPushButton(Text(world::kRace), this);
    auto* close = new QPushButton(Text(world::kClose), this);
    buttons->addWidget(previous_);
    buttons->addWidget(next_);
    buttons->addStretch();
    buttons->addWidget(race_);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(previous_, &QPushButton::clicked, this, [this] { Load(std::max(0, offset_ - kPage)); });
    connect(next_, &QPushButton::clicked, this, [this] { Load(offset_ + kPage); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(race_, &QPushButton::clicked, this, [this] {
        const int row = table_->currentRow();
        if (row >= 0) {
            chosen_ = table_->item(row, 0)->data(Qt::UserRole).toLongLong();
            accept();
        }
    });
    connect(table_, &QTableWidget::itemSelectionChanged, this,
            [this] { race_->setEnabled(table_->currentRow() >= 0); });
    race_->setEnabled(false);
    Load(0);
}

void WorldBoardDialog::Load(int32_t offset) {
    offset_ = offset;
    loaded_ = false;
    previous_->setEnabled(false);
    next_->setEnabled(false);
    QPointer<WorldBoardDialog> alive(this);
    client_.Board(account_.server, course_, offset, kPage, account_.key,
                  [alive](const WorldAnswer& answer) {
                      if (alive) {
                          alive->Show(answer);
                      }
                  });
}

void WorldBoardDialog::Show(const WorldAnswer& answer) {
    loaded_ = true;
    if (answer.status != 200) {
        title_->setText(world::Problem(answer));
        return;
    }
    total_ = answer.json.value("total").toInteger();
    title_->setText(packName_.isEmpty() ? Text(world::kBoardTitle).arg(stage_ + 1).arg(total_)
                                        : Text(world::kPackBoardTitle).arg(packName_).arg(total_));
    const QJsonValue own = answer.json.value("own");
    if (own.isObject()) {
        own_->setText(Text(world::kOwnPlace).arg(own.toObject().value("rank").toInteger()));
    } else {
        own_->setText(account_.key.isEmpty() ? QString() : Text(world::kNoOwnPlace));
    }
    const QJsonArray runs = answer.json.value("runs").toArray();
    table_->setRowCount(static_cast<int>(runs.size()));
    const int64_t ownId = own.isObject() ? own.toObject().value("id").toInteger() : -1;
    for (int row = 0; row < runs.size(); ++row) {
        const QJsonObject run = runs[row].toObject();
        const QDateTime when = QDateTime::fromString(run.value("when").toString(), Qt::ISODate);
        const QStringList cells = {QString::number(run.value("rank").toInteger()),
                                   QString::number(run.value("time").toInt()),
                                   run.value("name").toString(),
                                   when.toLocalTime().toString("yyyy-MM-dd HH:mm")};
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (run.value("id").toInteger() == ownId) {
                QFont font = item->font();
                font.setBold(true);
                item->setFont(font);
            }
            table_->setItem(row, column, item);
        }
        table_->item(row, 0)->setData(Qt::UserRole, run.value("id").toInteger());
        if (run.value("id").toInteger() == ownId) {
            table_->selectRow(row);
        }
    }
    previous_->setEnabled(offset_ > 0);
    next_->setEnabled(offset_ + kPage < total_);
}

}  // namespace vantrell::desktop
