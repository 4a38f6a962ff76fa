#include "hosts/desktop/message_boxes.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace vantrell::desktop {

GameMessageBox::GameMessageBox(QWidget* owner, const QString& text, const QString& caption,
                               bool yesNo)
    : QMessageBox(QMessageBox::NoIcon, caption, text,
                  yesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok, owner),
      yesNo_(yesNo) {
    setObjectName(yesNo ? "YesNoBox" : "MessageBox");
    setTextFormat(Qt::PlainText);
    setDefaultButton(yesNo ? QMessageBox::Yes : QMessageBox::Ok);
    if (yesNo) {
        setWindowFlags((windowFlags() | Qt::CustomizeWindowHint) & ~Qt::WindowCloseButtonHint);
    }
}

void GameMessageBox::keyPressEvent(QKeyEvent* event) {
    if (yesNo_ && event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QMessageBox::keyPressEvent(event);
}

void GameMessageBox::closeEvent(QCloseEvent* event) {
    if (yesNo_) {
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

}  // namespace vantrell::desktop
