#include "desktop_test_support.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "hosts/desktop/dialog_builder.h"
#include "hosts/desktop/message_boxes.h"
#include "hosts/desktop/name_input_dialog.h"

namespace vantrell::desktop::test {

void TestGame::Create() {
    app = std::make_unique<DesktopApp>(DesktopSettings{dir.path(), settingsFile, language});
}

void TestGame::Start() {
    if (!app) {
        Create();
    }
    app->Start();
    Pump(30);
}

void TestGame::Choose(Command command) {
    QAction* item = Window().Menu().Item(command);
    if (item != nullptr) {
        item->trigger();
    }
}

void Pump(int ms) {
    QTest::qWait(ms);
}

DialogScript::DialogScript(std::function<bool()> timerRunning)
    : timerRunning_(std::move(timerRunning)), poll_(new QTimer(qApp)) {
    QObject::connect(poll_, &QTimer::timeout, [this] { Poll(); });
    poll_->start(5);
}

DialogScript::~DialogScript() {
    poll_->stop();
    poll_->deleteLater();
}

DialogScript& DialogScript::Then(Answer answer) {
    answers_.push_back(std::move(answer));
    return *this;
}

QString KindOf(const QWidget* widget) {
    return widget->objectName();
}

void DialogScript::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == last_ || !modal->isVisible()) {
        return;
    }
    last_ = modal;
    // The next dialog may be built where this one was, so identity ends with this dialog.
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        QObject::connect(dialog, &QDialog::finished, poll_, [this] { last_ = nullptr; });
    }
    QObject::connect(modal, &QObject::destroyed, poll_, [this] { last_ = nullptr; });
    Sighting seen;
    seen.kind = KindOf(modal);
    seen.title = modal->windowTitle();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        seen.text = box->text();
    }
    seen.timerRunning = timerRunning_ ? timerRunning_() : false;
    seen_.push_back(seen);
    if (answers_.empty()) {
        ++unexpected_;
        PressOk(modal);
        return;
    }
    Answer answer = std::move(answers_.front());
    answers_.pop_front();
    answer(modal);
}

void PressOk(QWidget* dialog) {
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        QAbstractButton* ok = box->button(QMessageBox::Ok);
        if (ok == nullptr) {
            ok = box->button(QMessageBox::No);
        }
        ok->click();
        return;
    }
    if (auto* ok = dialog->findChild<QPushButton*>(ControlName(1))) {
        ok->click();
    }
}

void AnswerBox(QWidget* box, bool yes) {
    auto* messageBox = qobject_cast<QMessageBox*>(box);
    messageBox->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
}

void TypeName(QWidget* dialog, const QString& name) {
    auto* edit = dialog->findChild<QLineEdit*>(ControlName(NameInputDialog::kEditId));
    edit->selectAll();
    QTest::keyClicks(edit, name);
    QTest::keyClick(edit, Qt::Key_Return);
}

bool HasJapanese(const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x9fff) || (u >= 0xff00 && u <= 0xffef)) {
            return true;
        }
    }
    return false;
}

}  // namespace vantrell::desktop::test
