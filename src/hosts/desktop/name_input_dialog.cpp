#include "hosts/desktop/name_input_dialog.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionFrame>
#include <QToolTip>
#include <QValidator>

#include <algorithm>
#include <functional>
#include <utility>

#include "hosts/desktop/dialog_builder.h"
#include "hosts/desktop/name_grid.h"
#include "hosts/desktop/ui_fonts.h"
#include "platform/ui_text.h"
#include "records/name_folding.h"
#include "records/record_names.h"
#include "records/run_time.h"

namespace vantrell::desktop {

namespace {

// Refuses any text wider than the box shows, as an edit box without horizontal scrolling does,
// and any text the record file cannot hold as typed: a character with no Shift-JIS form, or more
// than 15 bytes of Shift-JIS. So the name listed is the name typed.
class VisibleWidthValidator final : public QValidator {
  public:
    VisibleWidthValidator(QLineEdit& edit, std::function<void(const QString&)> note)
        : QValidator(&edit), edit_(edit), note_(std::move(note)) {}

    State validate(QString& input, int& position) const override {
        // Accented letters become plain ones as they are typed: the box shows what is stored.
        const QString folded = QString::fromStdString(FoldAccents(input.toStdString()));
        if (folded != input) {
            position = static_cast<int>(
                QString::fromStdString(FoldAccents(input.left(position).toStdString())).size());
            note_(QCoreApplication::translate("Dialogs", "%1 → %2（「%3」は記録できません）")
                      .arg(input, folded, FoldedLetters(input)));
            input = folded;
        }
        if (!NameFits(input.toStdString())) {
            QToolTip::showText(
                edit_.mapToGlobal(QPoint(0, edit_.height())),
                QCoreApplication::translate(
                    "Dialogs", "記録できない文字か、長すぎる名前です (Shift-JIS, 15 bytes)"),
                &edit_);
            return Invalid;
        }
        return edit_.fontMetrics().horizontalAdvance(input) <= VisibleWidth() ? Acceptable
                                                                              : Invalid;
    }

  private:
    int VisibleWidth() const {
        QStyleOptionFrame option;
        option.initFrom(&edit_);
        option.lineWidth = edit_.hasFrame() ? 1 : 0;
        const QRect contents =
            edit_.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit_);
        const QMargins margins = edit_.textMargins();
        // QLineEdit keeps two pixels free at either end of its text.
        return contents.width() - margins.left() - margins.right() - 4;
    }

    // The accented letters of a text, for the note.
    static QString FoldedLetters(const QString& text) {
        QString letters;
        for (const QChar c : text) {
            if (QString::fromStdString(FoldAccents(QString(c).toStdString())) != c &&
                !letters.contains(c)) {
                letters += c;
            }
        }
        return letters;
    }

    QLineEdit& edit_;
    std::function<void(const QString&)> note_;
};

}  // namespace

QString RunLine(int time, int rank) {
    return QCoreApplication::translate("Dialogs", "記録 %1、第%2位")
        .arg(QString::fromStdString(TicksWithSeconds(time)))
        .arg(rank);
}

NameInputDialog::NameInputDialog(QWidget* owner, const QString& offeredName, const QString& runLine,
                                 bool withGrid)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("HISCORE_NAMEINPUT_DIALOG");
    setWindowTitle(QCoreApplication::translate("Dialogs", "競技終了"));
    DialogBuilder build(*this, SystemDialogFont());
    // The run's time and rank go in a line of their own below the button.
    build.Frame(owner, 50, 40, 120, runLine.isEmpty() ? 70 : 80);
    if (!runLine.isEmpty()) {
        build.Static(runLine.toUtf8().constData(), 6, 68, 110, 8)->setObjectName("RunLine");
    }
    // OK is the default button, so Enter takes the name wherever the focus is.
    QPushButton* ok = build.Button(1, VT_TRANSLATE_NOOP("Dialogs", "OK"), 48, 52, 24, 14, true);
    build.Static(VT_TRANSLATE_NOOP("Dialogs", "貴殿の記録は賞賛に値する。"), 6, 5, 110, 7);
    build.Static(VT_TRANSLATE_NOOP("Dialogs", "名操縦者として記録する故、"), 6, 15, 114, 7);
    build.Static(VT_TRANSLATE_NOOP("Dialogs", "名前を入力してくれたまえ。"), 6, 25, 110, 7);
    edit_ = build.Edit(kEditId, 22, 35, 66, 12);
    edit_->setAttribute(Qt::WA_InputMethodEnabled, true);
    edit_->setText(offeredName);
    // A note line below the rest, for as long as the player's next key: the dialog grows by it.
    const int bottom = runLine.isEmpty() ? 70 : 80;
    note_ = build.Static("", 6, bottom - 2, 108, 8);
    note_->setObjectName("NoteLine");
    note_->setWordWrap(true);
    note_->hide();
    edit_->installEventFilter(this);
    edit_->setValidator(new VisibleWidthValidator(*edit_, [this](const QString& note) {
        note_->setText(note);
        note_->resize(note_->width(), note_->heightForWidth(note_->width()));
        if (note_->isHidden()) {
            note_->show();
            GrowBy(note_->height() + 4);
        }
    }));
    edit_->selectAll();
    edit_->setFocus();

    connect(ok, &QPushButton::clicked, this, [this] { accept(); });
    if (withGrid) {
        AddGrid();
    }
}

void NameInputDialog::AddGrid() {
    // Typed through the box, so its checks (width, what the record file holds) apply as to a
    // key; the offered name, still selected, is replaced by the first pick.
    auto* grid = new NameGrid(this, {[this](const QString& text) { edit_->insert(text); },
                                     [this] { edit_->backspace(); }, [this] { accept(); }});
    grid_ = grid;
    constexpr int kMargin = 8;
    const int top = height();
    const int width = std::max(this->width(), grid->width() + 2 * kMargin);
    grid->move((width - grid->width()) / 2, top);
    setFixedSize(width, top + grid->height() + kMargin);
    grid->setFocus();
}

bool NameInputDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::KeyPress && !note_->isHidden()) {
        note_->hide();
        GrowBy(-(note_->height() + 4));
    }
    return QDialog::eventFilter(watched, event);
}

void NameInputDialog::GrowBy(int pixels) {
    // The note line sits where the grid starts: the grid moves down with it.
    if (grid_ != nullptr) {
        grid_->move(grid_->x(), grid_->y() + pixels);
    }
    setFixedHeight(height() + pixels);
}

QString NameInputDialog::Name() const {
    return edit_->text();
}

}  // namespace vantrell::desktop
