#include "hosts/desktop/keys_dialog.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "hosts/desktop/qt_key_state.h"

namespace vantrell::desktop {

namespace {

// The game's own language is the source; English comes from the translation file.
constexpr char kContext[] = "KeysDialog";
constexpr const char* kTitle = QT_TRANSLATE_NOOP("KeysDialog", "キー設定");
constexpr const char* kGroups[] = {
    QT_TRANSLATE_NOOP("KeysDialog", "キーセット1（カーソルキー）"),
    QT_TRANSLATE_NOOP("KeysDialog", "キーセット2（文字キー）"),
    QT_TRANSLATE_NOOP("KeysDialog", "ゲーム"),
};
constexpr const char* kControls[] = {
    QT_TRANSLATE_NOOP("KeysDialog", "前進"),   QT_TRANSLATE_NOOP("KeysDialog", "後退"),
    QT_TRANSLATE_NOOP("KeysDialog", "左"),     QT_TRANSLATE_NOOP("KeysDialog", "右"),
    QT_TRANSLATE_NOOP("KeysDialog", "ボタン"),
};
constexpr const char* kGameActions[] = {
    QT_TRANSLATE_NOOP("KeysDialog", "ポーズ"),
    QT_TRANSLATE_NOOP("KeysDialog", "やり直し"),
    QT_TRANSLATE_NOOP("KeysDialog", "全画面表示"),
};
constexpr const char* kAdd = QT_TRANSLATE_NOOP("KeysDialog", "キーを追加");
constexpr const char* kPad = QT_TRANSLATE_NOOP("KeysDialog", "パッド");
constexpr const char* kClear = QT_TRANSLATE_NOOP("KeysDialog", "消去");
constexpr const char* kDefaults = QT_TRANSLATE_NOOP("KeysDialog", "初期設定に戻す");
constexpr const char* kNone = QT_TRANSLATE_NOOP("KeysDialog", "（なし）");
constexpr const char* kPress =
    QT_TRANSLATE_NOOP("KeysDialog", "%1 のキーを押してください（Esc で取り消し）");
constexpr const char* kUnusable = QT_TRANSLATE_NOOP("KeysDialog", "このキーは使えません");
constexpr const char* kTaken = QT_TRANSLATE_NOOP("KeysDialog", "%1 はすでに %2 に使われています");
constexpr const char* kHint =
    QT_TRANSLATE_NOOP("KeysDialog", "どのキーセットで走るかは「操作設定」で選びます");

QString Text(const char* text) {
    return QCoreApplication::translate(kContext, text);
}

QString Name(Binding binding) {
    return QString::fromStdString(BindingName(binding));
}

QString ObjectName(const char* prefix, BoundAction action) {
    return QString::fromLatin1(prefix) +
           QString::fromLatin1(ActionName(action).data(),
                               static_cast<int>(ActionName(action).size()));
}

}  // namespace

QString ActionTitle(BoundAction action) {
    const auto index = static_cast<std::size_t>(action);
    if (action >= BoundAction::Pause) {
        return Text(kGameActions[index - static_cast<std::size_t>(BoundAction::Pause)]);
    }
    const std::size_t set = index / 5;
    return Text(kGroups[set]).section(QChar(u'（'), 0, 0).section(QChar(u'('), 0, 0).trimmed() +
           QStringLiteral(": ") + Text(kControls[index % 5]);
}

KeysDialog::KeysDialog(const KeyBindings& bindings, QWidget* parent)
    : QDialog(parent), bindings_(bindings) {
    setObjectName("KeysDialog");
    setWindowTitle(Text(kTitle));
    auto* column = new QVBoxLayout(this);
    for (int group = 0; group < 3; ++group) {
        auto* box = new QGroupBox(Text(kGroups[group]), this);
        auto* grid = new QGridLayout(box);
        const int first = group * 5;
        const int count = group < 2 ? 5 : 3;
        for (int row = 0; row < count; ++row) {
            const auto action = static_cast<BoundAction>(first + row);
            grid->addWidget(
                new QLabel(group < 2 ? Text(kControls[row]) : Text(kGameActions[row]), box), row,
                0);
            auto* shown = new QLabel(box);
            shown->setObjectName(ObjectName("Binding_", action));
            shown->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("M")) * 14);
            shown_[static_cast<std::size_t>(action)] = shown;
            grid->addWidget(shown, row, 1);

            auto* add = new QPushButton(Text(kAdd), box);
            add->setObjectName(ObjectName("Add_", action));
            add->setAutoDefault(false);
            connect(add, &QPushButton::clicked, this, [this, action] { StartCapture(action); });
            grid->addWidget(add, row, 2);

            auto* pad = new QToolButton(box);
            pad->setText(Text(kPad));
            pad->setPopupMode(QToolButton::InstantPopup);
            auto* padMenu = new QMenu(pad);
            for (std::size_t b = 0; b < kPadButtonCount; ++b) {
                const Binding binding = Binding::OfPad(static_cast<PadButton>(b));
                connect(padMenu->addAction(Name(binding)), &QAction::triggered, this,
                        [this, action, binding] { Bind(action, binding); });
            }
            pad->setMenu(padMenu);
            grid->addWidget(pad, row, 3);

            auto* clear = new QPushButton(Text(kClear), box);
            clear->setObjectName(ObjectName("Clear_", action));
            clear->setAutoDefault(false);
            connect(clear, &QPushButton::clicked, this, [this, action] {
                bindings_.Clear(action);
                ShowBindings();
            });
            grid->addWidget(clear, row, 4);
        }
        column->addWidget(box);
    }
    auto* hint = new QLabel(Text(kHint), this);
    hint->setWordWrap(true);
    column->addWidget(hint);
    message_ = new QLabel(this);
    message_->setObjectName("KeysMessage");
    column->addWidget(message_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* reset = buttons->addButton(Text(kDefaults), QDialogButtonBox::ResetRole);
    reset->setObjectName("ResetKeys");
    connect(reset, &QPushButton::clicked, this, [this] { ResetToDefaults(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);
    ShowBindings();
}

KeysDialog::~KeysDialog() {
    if (capturing_) {
        qApp->removeEventFilter(this);
    }
}

void KeysDialog::StartCapture(BoundAction action) {
    if (!capturing_) {
        // The whole application's keys, before any button or shortcut takes Space, Tab or
        // Return for itself.
        qApp->installEventFilter(this);
    }
    capturing_ = action;
    Say(Text(kPress).arg(ActionTitle(action)));
}

bool KeysDialog::Bind(BoundAction action, Binding binding) {
    const std::optional<BoundAction> holder = bindings_.Holder(binding);
    if (holder && *holder != action) {
        Say(Text(kTaken).arg(Name(binding), ActionTitle(*holder)));
        return false;
    }
    bindings_.Add(action, binding);
    Say(QString());
    ShowBindings();
    return true;
}

void KeysDialog::ResetToDefaults() {
    bindings_ = KeyBindings::Defaults();
    Say(QString());
    ShowBindings();
}

bool KeysDialog::eventFilter(QObject* watched, QEvent* event) {
    if (!capturing_ ||
        (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)) {
        return QDialog::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (event->type() == QEvent::ShortcutOverride || key->isAutoRepeat()) {
        return true;  // the press itself comes next
    }
    const BoundAction action = *capturing_;
    capturing_.reset();
    qApp->removeEventFilter(this);
    if (key->key() == Qt::Key_Escape) {
        Say(QString());
    } else if (const std::optional<Key> gameKey = KeyFor(key->key())) {
        Bind(action, Binding::OfKey(*gameKey));
    } else {
        Say(Text(kUnusable));
    }
    return true;
}

void KeysDialog::ShowBindings() {
    for (std::size_t i = 0; i < kBoundActionCount; ++i) {
        const std::string text = bindings_.Text(static_cast<BoundAction>(i));
        shown_[i]->setText(text.empty() ? Text(kNone) : QString::fromStdString(text));
    }
}

void KeysDialog::Say(const QString& text) {
    message_->setText(text);
}

}  // namespace vantrell::desktop
