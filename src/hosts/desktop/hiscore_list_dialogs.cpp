#include "hosts/desktop/hiscore_list_dialogs.h"

#include <QCoreApplication>
#include <QListWidget>
#include <QPushButton>

#include "hosts/desktop/dialog_builder.h"
#include "hosts/desktop/ui_fonts.h"
#include "platform/ui_text.h"

namespace vantrell::desktop {

namespace {

constexpr char kListCaption[] = VT_TRANSLATE_NOOP("Dialogs", "--過去の挑戦者達の記録--");
constexpr char kOpponentPrompt[] = VT_TRANSLATE_NOOP("Dialogs", "対戦相手を選択してください。");
constexpr char kExportPrompt[] = VT_TRANSLATE_NOOP("Dialogs", "書き出す記録を選択してください。");

// Both lists get the ten lines in order; item i of either list is rank i + 1. Only the name
// list carries the selection.
void Fill(QListWidget& names, QListWidget& times, const HiScoreLines& lines) {
    names.clear();
    times.clear();
    for (const HiScoreLine& line : lines) {
        names.addItem(QString::fromStdString(line.rankAndName));
        times.addItem(QString::fromStdString(line.time));
    }
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        names.item(i)->setSelected(lines[i].selected);
    }
}

}  // namespace

HiScoreListDialog::HiScoreListDialog(QWidget* owner, const HiScoreLines& lines, bool offerRace)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("HISCORE_NAMEENTRY_DIALOG");
    setWindowTitle(DialogText(kListCaption));
    DialogBuilder build(*this, SystemDialogFont());
    build.Frame(owner, 50, 10, 150, 110);
    // Several items may be selected at once, so the selection serves as the highlight.
    names_ = build.List(kNamesId, 2, 3, 90, 87, QAbstractItemView::MultiSelection);
    times_ = build.List(kTimesId, 92, 3, 60, 87, QAbstractItemView::SingleSelection);
    QPushButton* ok = build.Button(1, VT_TRANSLATE_NOOP("Dialogs", "OK"), 57, 94, 24, 14, true);
    Fill(*names_, *times_, lines);
    connect(ok, &QPushButton::clicked, this, [this] { accept(); });
    if (offerRace) {
        const QByteArray text = QCoreApplication::translate("Dialogs", "この記録と対戦").toUtf8();
        QPushButton* race = build.Button(kRaceId, text.constData(), 85, 94, 62, 14, false);
        connect(race, &QPushButton::clicked, this, [this] { done(kRaceThisRun); });
    }
    ok->setFocus();
}

OpponentSelectDialog::OpponentSelectDialog(QWidget* owner, const HiScoreLines& lines,
                                           Purpose purpose)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("HISCORE_SELECT_DIALOG");
    setWindowTitle(DialogText(kListCaption));
    DialogBuilder build(*this, SystemDialogFont());
    build.Frame(owner, 50, 10, 150, 120);
    build.Static(purpose == Purpose::Export ? kExportPrompt : kOpponentPrompt, 2, 3, 140, 10);
    names_ = build.List(kNamesId, 2, 13, 90, 97, QAbstractItemView::ExtendedSelection);
    times_ = build.List(kTimesId, 92, 13, 60, 97, QAbstractItemView::SingleSelection);
    QPushButton* ok = build.Button(1, VT_TRANSLATE_NOOP("Dialogs", "OK"), 57, 104, 24, 10, true);
    QPushButton* cancel =
        build.Button(2, VT_TRANSLATE_NOOP("Dialogs", "Cancel"), 85, 104, 32, 10, false);
    setWindowFlags(windowFlags() | Qt::WindowCloseButtonHint);
    Fill(*names_, *times_, lines);
    connect(ok, &QPushButton::clicked, this, [this] { accept(); });
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
    names_->setFocus();
}

ListSelection OpponentSelectDialog::Selection() const {
    ListSelection selection{};
    for (int i = 0; i < names_->count() && i < static_cast<int>(selection.size()); ++i) {
        selection[i] = names_->item(i)->isSelected();
    }
    return selection;
}

}  // namespace vantrell::desktop
