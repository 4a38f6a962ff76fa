#include "hosts/desktop/message_boxes.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace vantrell::desktop {

namespace {

QMessageBox::StandardButton ButtonOf(Answer answer) {
    switch (answer) {
        case Answer::Yes:
            return QMessageBox::Yes;
        case Answer::No:
            return QMessageBox::No;
        case Answer::Cancel:
            return QMessageBox::Cancel;
        case Answer::Retry:
            return QMessageBox::Retry;
        case Answer::Discard:
            break;
    }
    return QMessageBox::Discard;
}

}  // namespace

GameMessageBox::GameMessageBox(QWidget* owner, const QString& text, const QString& caption,
                               bool yesNo)
    : QMessageBox(QMessageBox::NoIcon, caption, text,
                  yesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok, owner),
      yesNo_(yesNo),
      mustAnswer_(yesNo) {
    setObjectName(yesNo ? "YesNoBox" : "MessageBox");
    setTextFormat(Qt::PlainText);
    setDefaultButton(yesNo ? QMessageBox::Yes : QMessageBox::Ok);
    if (yesNo) {
        setWindowFlags((windowFlags() | Qt::CustomizeWindowHint) & ~Qt::WindowCloseButtonHint);
    }
}

GameMessageBox::GameMessageBox(QWidget* owner, const vantrell::Question& question)
    : QMessageBox(QMessageBox::NoIcon, QString::fromStdString(question.caption),
                  QString::fromStdString(question.text), QMessageBox::NoButton, owner),
      mustAnswer_(!question.escape.has_value()),
      escape_(question.escape) {
    setObjectName("QuestionBox");
    setTextFormat(Qt::PlainText);
    for (const Answer answer : question.buttons) {
        addButton(ButtonOf(answer));
    }
    setDefaultButton(ButtonOf(question.enter));
    if (escape_) {
        setEscapeButton(button(ButtonOf(*escape_)));
    } else {
        setWindowFlags((windowFlags() | Qt::CustomizeWindowHint) & ~Qt::WindowCloseButtonHint);
    }
}

Answer GameMessageBox::Answered() const {
    for (const Answer answer :
         {Answer::Yes, Answer::No, Answer::Cancel, Answer::Retry, Answer::Discard}) {
        if (clickedButton() != nullptr && clickedButton() == button(ButtonOf(answer))) {
            return answer;
        }
    }
    return escape_.value_or(Answer::Cancel);
}

void GameMessageBox::keyPressEvent(QKeyEvent* event) {
    if (mustAnswer_ && event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QMessageBox::keyPressEvent(event);
}

void GameMessageBox::closeEvent(QCloseEvent* event) {
    if (mustAnswer_) {
        event->ignore();
        return;
    }
    QMessageBox::closeEvent(event);
}

void ShowMessageBox(QWidget* owner, const QString& text, const QString& caption) {
    GameMessageBox box(owner, text, caption, false);
    box.exec();
}

bool AskYesNoBox(QWidget* owner, const QString& text, const QString& caption) {
    GameMessageBox box(owner, text, caption, true);
    box.exec();
    return box.clickedButton() == box.button(QMessageBox::Yes);
}

Answer AskQuestionBox(QWidget* owner, const vantrell::Question& question) {
    GameMessageBox box(owner, question);
    box.exec();
    return box.Answered();
}

}  // namespace vantrell::desktop
