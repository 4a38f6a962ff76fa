// The game's message boxes: no icon, the text and caption as given. An OK box closes with OK,
// Enter, Escape or its close box. A Yes/No box must be answered: Escape and the close box do
// nothing, as a box without a Cancel button cannot be dismissed.
#pragma once

#include <QMessageBox>

namespace vantrell::desktop {

class GameMessageBox final : public QMessageBox {
  public:
    GameMessageBox(QWidget* owner, const QString& text, const QString& caption, bool yesNo);

    bool YesNo() const { return yesNo_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    bool yesNo_;
};

void ShowMessageBox(QWidget* owner, const QString& text, const QString& caption);
// True only for Yes.
bool AskYesNoBox(QWidget* owner, const QString& text, const QString& caption);

}  // namespace vantrell::desktop
