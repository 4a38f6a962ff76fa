// The keys dialog through the real window: set 1's forward moved from Up to I drives the craft
// in a solo race and Up no longer does; a key another action holds is refused; the choice is in
// the settings file for the next start, where a damaged line keeps its default and loses
// nothing else. With VANTRELL_KEYS_SHOT=FILE (under xvfb-run) it keeps the dialog as the
// README's picture.
#include <QLabel>
#include <QPushButton>
#include <QSettings>

#include <algorithm>
#include <cstdlib>

#include "desktop_test_support.h"
#include "hosts/desktop/keys_dialog.h"
#include "input/control_code.h"
#include "platform/commands.h"
#include "race/game_state.h"
#include "records/hiscore_table.h"

namespace vantrell::desktop {
namespace {

using test::DialogScript;
using test::Pump;
using test::TestGame;

QString Shown(QWidget* dialog, const char* name) {
    return dialog->findChild<QLabel*>(QString::fromLatin1(name))->text();
}

void Click(QWidget* dialog, const char* name) {
    dialog->findChild<QPushButton*>(QString::fromLatin1(name))->click();
}

// Whether holding the key for a while in the race records a forward tick.
bool Drives(TestGame& game, Qt::Key key) {
    const GameState& state = game.app->Objects().State();
    const int32_t from = state.Progress().RaceTicks();
    game.Window().activateWindow();
    QTest::keyPress(&game.Window(), key);
    Pump(250);
    QTest::keyRelease(&game.Window(), key);
    const Recording& run = state.Progress().RunInputs();
    const auto end = run.begin() + state.Progress().RaceTicks();
    EXPECT_GT(state.Progress().RaceTicks(), from + 3) << "the race does not go on";
    return std::find(run.begin() + from + 1, end, kRunForward) != end;
}

TEST(KeysDialogTest, ReboundKeyDrivesRefusesATakenKeyAndIsKept) {
    TestGame game;
    if (!game.haveContent) {
        GTEST_SKIP() << "no generated game directory";
    }
    game.language = UiLanguage::English;
    game.Start();
    DialogScript script([&] { return game.app->Timer().Running(); });
    QString refusal;
    script.Then([&](QWidget* dialog) {
        EXPECT_EQ(Shown(dialog, "Binding_Set2Reverse"), "S, X");
        EXPECT_EQ(Shown(dialog, "Binding_Pause"), "P, Pause, Pad Start");
        Click(dialog, "Clear_Set1Forward");
        Click(dialog, "Add_Set1Forward");
        QTest::keyClick(dialog, Qt::Key_X);  // set 2's second reverse
        refusal = Shown(dialog, "KeysMessage");
        EXPECT_EQ(Shown(dialog, "Binding_Set1Forward"), "(none)");
        Click(dialog, "Add_Set1Forward");
        QTest::keyClick(dialog, Qt::Key_I);
        EXPECT_EQ(Shown(dialog, "Binding_Set1Forward"), "I");
        if (const char* shot = std::getenv("VANTRELL_KEYS_SHOT")) {
            QApplication::processEvents();
            dialog->grab().save(QString::fromLocal8Bit(shot), "PNG");
        }
        static_cast<KeysDialog*>(dialog)->accept();
    });
    game.app->KeysItem().trigger();
    EXPECT_EQ(script.Unanswered(), 0u);
    EXPECT_EQ(refusal, "X is already bound to Key set 2: Reverse");
    ASSERT_EQ(script.Seen().size(), 1u);
    EXPECT_FALSE(script.Seen()[0].timerRunning) << "the game waits behind the dialog";

    game.Choose(Command::Solo);
    const GameState& state = game.app->Objects().State();
    for (int i = 0; i < 250 && state.Progress().Countdown() > 0; ++i) {
        Pump(20);
    }
    ASSERT_EQ(state.Progress().Countdown(), 0);
    EXPECT_FALSE(Drives(game, Qt::Key_Up)) << "the old key still drives";
    EXPECT_TRUE(Drives(game, Qt::Key_I)) << "the new key does not drive";

    // The next start reads the file; a damaged line falls back alone.
    game.app.reset();
    {
        QSettings settings(game.settingsFile, QSettings::IniFormat);
        EXPECT_EQ(settings.value("keys/Set1Forward").toString(), "I");
        settings.setValue("keys/Set2Reverse", "S, Wheel");
        settings.setValue("keys/Retry", "R, R");
        settings.setValue("keys/Set2Left", "J");
    }
    game.Create();
    const KeyBindings& read = game.app->Objects().Input().Bindings();
    EXPECT_EQ(read.Text(BoundAction::Set1Forward), "I");
    EXPECT_EQ(read.Text(BoundAction::Set2Left), "J");
    EXPECT_EQ(read.Text(BoundAction::Set2Reverse), "S, X");
    EXPECT_EQ(read.Text(BoundAction::Retry), "R, Backspace, Pad Back");
    EXPECT_EQ(read.Text(BoundAction::Set1Reverse), "Down");
}

}  // namespace
}  // namespace vantrell::desktop
