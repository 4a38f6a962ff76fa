// Menus and dialogs in English: no Japanese left anywhere a player reads outside the game
// picture (the two-language "Language / 言語" entry and players' names aside), no dialog too
// narrow for its English title or texts, the menu keys Alt+G, 1, 2, 3 kept, and switching
// language in the middle of a race changes nothing of it.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTextBrowser>

#include <fstream>
#include <string>
#include <vector>

#include "app/shell.h"
#include "desktop_test_support.h"
#include "hosts/desktop/ui_language.h"
#include "records/hiscore_dialogs.h"

namespace vantrell::desktop {
namespace {

using test::DialogScript;
using test::HasJapanese;
using test::Pump;
using test::TestGame;

// Every text of a dialog or message box a player reads; list contents are the players' names
// and times, shown as entered, and are left out.
QStringList TextsOf(QWidget* dialog) {
    QStringList texts{dialog->windowTitle()};
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        texts << box->text();
    }
    for (const QLabel* label : dialog->findChildren<QLabel*>()) {
        texts << label->text();
    }
    for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        texts << button->text();
    }
    for (const QGroupBox* group : dialog->findChildren<QGroupBox*>()) {
        texts << group->title();
    }
    for (const QTextBrowser* page : dialog->findChildren<QTextBrowser*>()) {
        texts << page->toPlainText();
    }
    return texts;
}

// A title the window system would cut: its text in a bold caption face, with room for the
// caption's icon and buttons, wider than the dialog. And a text of the dialog's own that does not
// fit its place.
void ExpectRoomForTexts(QWidget* dialog) {
    const QString title = dialog->windowTitle();
    if (!title.isEmpty() && !dialog->windowFlags().testFlag(Qt::FramelessWindowHint)) {
        QFont caption = QApplication::font();
        caption.setBold(true);
        EXPECT_GE(dialog->width(), QFontMetrics(caption).horizontalAdvance(title) + 96)
            << title.toStdString() << " in " << dialog->width() << " pixels";
    }
    for (const QLabel* label : dialog->findChildren<QLabel*>()) {
        if (!label->wordWrap() && label->isVisible() && dialog->layout() == nullptr) {
            EXPECT_LE(label->sizeHint().width(), label->width()) << label->text().toStdString();
            EXPECT_LE(label->geometry().right(), dialog->width()) << label->text().toStdString();
        }
    }
}

void CollectMenuTexts(const QList<QAction*>& actions, QStringList& texts) {
    for (const QAction* action : actions) {
        if (action->menu() != nullptr && action->menu()->objectName() == "LanguageMenu") {
            continue;  // labelled in both languages on purpose
        }
        texts << action->text();
        if (action->menu() != nullptr) {
            CollectMenuTexts(action->menu()->actions(), texts);
        }
    }
}

// Puts the texts of the game's language back for the tests that follow.
struct BackToJapanese {
    ~BackToJapanese() { ApplyUiLanguage(UiLanguage::Japanese); }
};

TEST(LanguageTest, InEnglishEveryMenuAndDialogTextIsEnglish) {
    BackToJapanese restore;
    TestGame game;
    ASSERT_TRUE(game.haveContent);
    game.language = UiLanguage::English;
    // A record file that is not well-formed, so the problem report is read in English too.
    std::ofstream(game.dir.path() / HiScoreTable::RecordFileName(0)) << "ace\nfast\n";

    QStringList texts;
    int dialogsSeen = 0;
    auto collect = [&](QWidget* dialog) {
        ++dialogsSeen;
        texts << TextsOf(dialog);
        ExpectRoomForTexts(dialog);
    };
    auto collectAndOk = [&](QWidget* dialog) {
        collect(dialog);
        test::PressOk(dialog);
    };
    auto collectAndNo = [&](QWidget* dialog) {
        collect(dialog);
        test::AnswerBox(dialog, false);
    };
    DialogScript script([&game] { return game.app->Objects().Timer().Running(); });
    script.Then(collectAndOk);  // the record file's problems, at the start
    game.Start();
    Pump(50);

    CollectMenuTexts(game.Window().menuBar()->actions(), texts);
    const QStringList menuTexts = texts;
    // The menu keys of both languages: Alt+G, then 1, 2 or 3.
    EXPECT_TRUE(menuTexts.contains("&Game"));
    for (const Command command : {Command::Solo, Command::Versus, Command::FreeDrive}) {
        const QString text = game.Window().Menu().Item(command)->text();
        EXPECT_TRUE(text.startsWith("&1") || text.startsWith("&2") || text.startsWith("&3"))
            << text.toStdString();
    }

    for (const Command command : {Command::Rules, Command::Controls, Command::HowToPlay,
                                  Command::About, Command::ShowHiScores, Command::Config}) {
        script.Then(collectAndOk);
        game.Choose(command);
        Pump(30);
    }
    script.Then(collectAndNo);  // the reset question
    game.Choose(Command::ResetHiScores);
    script.Then([&](QWidget* dialog) {
        collect(dialog);
        dialog->close();  // the opponent choice, cancelled
    });
    game.Choose(Command::Versus);
    Pump(30);

    // The end of a race: a time that does not enter, then one that does (the name prompt).
    Game& objects = game.app->Objects();
    script.Then(collectAndOk).Then(collectAndOk);
    EnterRun(objects.Dialogs(), objects.Records(), 99999, nullptr);
    script.Then(collectAndOk).Then(collectAndOk);
    EnterRun(objects.Dialogs(), objects.Records(), 1, nullptr);
    // Saving on close: the question.
    script.Then([&](QWidget* dialog) {
        collect(dialog);
        qobject_cast<QMessageBox*>(dialog)->button(QMessageBox::Cancel)->click();
    });
    EXPECT_EQ(SaveWithQuestion(objects.Dialogs(), objects.Records(), 0, SaveOccasion::Close),
              SaveResult::Cancelled);

    EXPECT_EQ(dialogsSeen, 14);
    EXPECT_EQ(script.Unexpected(), 0);
    EXPECT_EQ(script.Unanswered(), 0u);
    for (const QString& text : texts) {
        EXPECT_FALSE(HasJapanese(text)) << text.toStdString();
    }
    EXPECT_TRUE(texts.contains("Record file"));
    EXPECT_TRUE(texts.contains("Keep practising!"));
}

TEST(LanguageTest, SwitchingFromTheMenuChangesTextsAtOnceAndIsRemembered) {
    BackToJapanese restore;
    TestGame game;
    ASSERT_TRUE(game.haveContent);
    game.Start();
    QAction* solo = game.Window().Menu().Item(Command::Solo);
    EXPECT_EQ(solo->text(), "&1人で精進する");

    game.app->Languages().Entry(UiLanguage::English)->trigger();
    EXPECT_EQ(solo->text(), "&1 Solo race");
    EXPECT_TRUE(game.app->Languages().Entry(UiLanguage::English)->isChecked());
    EXPECT_FALSE(game.app->Languages().Entry(UiLanguage::Japanese)->isChecked());
    EXPECT_EQ(StoredUiLanguage(game.settingsFile), UiLanguage::English);
    // The next start without --lang takes the stored choice over a Japanese locale; --lang wins.
    const QLocale japan(QLocale::Japanese, QLocale::Japan);
    EXPECT_EQ(StartUiLanguage(std::nullopt, game.settingsFile, japan), UiLanguage::English);
    EXPECT_EQ(StartUiLanguage(UiLanguage::Japanese, game.settingsFile, japan),
              UiLanguage::Japanese);

    game.app->Languages().Entry(UiLanguage::Japanese)->trigger();
    EXPECT_EQ(solo->text(), "&1人で精進する");
    EXPECT_EQ(StoredUiLanguage(game.settingsFile), UiLanguage::Japanese);
    // Nothing stored: the system's language decides.
    const QString fresh = QString::fromStdString((game.dir.path() / "fresh.ini").string());
    EXPECT_EQ(StartUiLanguage(std::nullopt, fresh, japan), UiLanguage::Japanese);
    EXPECT_EQ(StartUiLanguage(std::nullopt, fresh, QLocale(QLocale::English)), UiLanguage::English);
    EXPECT_EQ(StartUiLanguage(std::nullopt, fresh, QLocale(QLocale::German)), UiLanguage::English);
}

// The race state a player could see or that is recorded.
struct RaceSnapshot {
    std::vector<uint8_t> frame;
    int32_t raceTicks = 0;
    std::vector<uint8_t> inputs;
    bool timerRunning = false;
    bool operator==(const RaceSnapshot&) const = default;
};

RaceSnapshot Snapshot(Game& game) {
    const Bitmap8& frame = game.State().FrameBuffer();
    RaceSnapshot snapshot;
    snapshot.frame.assign(frame.Pixels(), frame.Pixels() + frame.PixelBytes());
    snapshot.raceTicks = game.State().Progress().RaceTicks();
    const Recording& inputs = game.State().Progress().RunInputs();
    snapshot.inputs.assign(inputs.begin(), inputs.end());
    snapshot.timerRunning = game.Timer().Running();
    return snapshot;
}

// A solo race driven by fixed inputs, tick by tick; with switchEvery > 0 the language flips
// from the menu every so many ticks.
RaceSnapshot DriveSoloRace(int switchEvery) {
    TestGame game;
    game.Start();
    game.Choose(Command::Solo);
    Game& objects = game.app->Objects();
    objects.Timer().StopTickTimer();
    UiLanguage next = UiLanguage::English;
    for (int tick = 1; tick <= 300; ++tick) {
        TickInput input;
        input.player1 = static_cast<uint8_t>(tick % 40 < 30 ? 1 : 5);
        game.app->GameShell().Tick(input);
        if (switchEvery > 0 && tick % switchEvery == 0) {
            const bool running = objects.Timer().Running();
            game.app->Languages().Entry(next)->trigger();
            EXPECT_EQ(objects.Timer().Running(), running);
            EXPECT_FALSE(objects.Dialogs().AnyOpen());
            next = next == UiLanguage::English ? UiLanguage::Japanese : UiLanguage::English;
        }
    }
    return Snapshot(objects);
}

TEST(LanguageTest, SwitchingLanguageLeavesARunningRaceUntouched) {
    BackToJapanese restore;
    const RaceSnapshot plain = DriveSoloRace(0);
    const RaceSnapshot switched = DriveSoloRace(37);
    EXPECT_GT(plain.raceTicks, 0);
    EXPECT_TRUE(plain == switched);
}

}  // namespace
}  // namespace vantrell::desktop
