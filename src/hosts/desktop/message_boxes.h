// The game's message boxes: no icon, the text and caption as given. An OK box closes with OK,
// Enter, Escape or its close box. A Yes/No box must be answered: Escape and the close box do
// nothing, as a box without a Cancel button cannot be dismissed. A question box offers its own
// buttons; Escape and the close box give its escape answer, or nothing when it has none.
#pragma once

#include <QMessageBox>

#include <optional>

#include "platform/dialogs.h"

namespace vantrell::desktop {

class GameMessageBox final : public QMessageBox {
  public:
    // An OK box, or a Yes/No box with Yes the default.
    GameMessageBox(QWidget* owner, const QString& text, const QString& caption, bool yesNo);
    // A box for a question: its buttons, Enter and Escape as it says.
    GameMessageBox(QWidget* owner, const vantrell::Question& question);

    bool YesNo() const { return yesNo_; }
    // The answer of the button pressed; for a box closed by Escape, the escape answer.
    Answer Answered() const;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    bool yesNo_ = false;
    bool mustAnswer_ = false;  // Escape and the close box do nothing
    std::optional<Answer> escape_;
};

void ShowMessageBox(QWidget* owner, const QString& text, const QString& caption);
// True only for Yes.
bool AskYesNoBox(QWidget* owner, const QString& text, const QString& caption);
Answer AskQuestionBox(QWidget* owner, const vantrell::Question& question);

}  // namespace vantrell::desktop
