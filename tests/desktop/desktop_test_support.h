// Shared pieces of the desktop tests: the real desktop game built on a scratch game folder, and
// a script that answers the modal dialogs the game opens, noting for each whether the game's
// timer was running at that moment.
#pragma once

#include <QString>
#include <QWidget>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "hosts/desktop/desktop_app.h"
#include "support/scratch_dir.h"

class QTimer;

namespace vantrell::desktop::test {

using vantrell::test::ScratchDir;

// The desktop game on a scratch copy of the game content, its speed in a scratch INI file.
struct TestGame {
    ScratchDir dir;
    bool haveContent = dir.CopyGameContent();
    QString settingsFile = QString::fromStdString((dir.path() / "speed.ini").string());
    // As --lang gives it: the tests of the game's own texts run in Japanese whatever the locale.
    std::optional<UiLanguage> language = UiLanguage::Japanese;
    std::unique_ptr<DesktopApp> app;

    // Builds the game; Start() also shows the window and lets the posted commands run, so
    // the demonstration and the timer are going.
    void Create();
    void Start();
    MainWindow& Window() { return app->Window(); }
    // Chooses a menu item as the player would.
    void Choose(Command command);
};

// Lets the event loop run for ms milliseconds (ticks, posted commands, paints).
void Pump(int ms);

// Answers modal dialogs in the order they open, one answer each. A dialog that opens when no
// answer is left is recorded and closed with OK, so a test never hangs on it.
class DialogScript {
  public:
    using Answer = std::function<void(QWidget*)>;
    struct Sighting {
        QString kind;   // the dialog's name: "AppAbout", "MessageBox", "YesNoBox", ...
        QString title;  // window title
        QString text;   // a message box's text
        bool timerRunning = false;
    };

    // timerRunning is asked whenever a dialog is seen.
    explicit DialogScript(std::function<bool()> timerRunning);
    ~DialogScript();

    DialogScript& Then(Answer answer);
    const std::vector<Sighting>& Seen() const { return seen_; }
    std::size_t Unanswered() const { return answers_.size(); }
    int Unexpected() const { return unexpected_; }

  private:
    void Poll();

    std::function<bool()> timerRunning_;
    std::deque<Answer> answers_;
    std::vector<Sighting> seen_;
    QWidget* last_ = nullptr;
    int unexpected_ = 0;
    QTimer* poll_;
};

// Common answers.
void PressOk(QWidget* dialog);                        // the button with id 1, or a box's OK
void AnswerBox(QWidget* box, bool yes);               // a Yes/No box
void TypeName(QWidget* dialog, const QString& name);  // replaces the text, then OK

// The dialog's resource name ("AppAbout", "HISCORE_SELECT_DIALOG") or "MessageBox"/"YesNoBox".
QString KindOf(const QWidget* widget);
// Whether the text holds kana, kanji or full-width forms: a text left untranslated.
bool HasJapanese(const QString& text);

}  // namespace vantrell::desktop::test
