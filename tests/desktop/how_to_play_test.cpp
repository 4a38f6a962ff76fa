// "How to play" from the Help menu, in both languages: a scrolling page that names the keys each
// player drives with now, and reads wholly in the player's language. With
// VANTRELL_HELP_SHOTS=DIR it keeps the English page as the README's picture.
#include <QTextBrowser>

#include <cstdlib>

#include "desktop_test_support.h"
#include "hosts/desktop/help_page_dialog.h"
#include "hosts/desktop/ui_language.h"
#include "input/input_config.h"
#include "input/key_bindings.h"

namespace vantrell::desktop {
namespace {

using test::DialogScript;
using test::HasJapanese;
using test::Pump;
using test::TestGame;

struct HelpSeen {
    QString title;
    QString text;
};

// Opens the page from the menu and closes it with Escape, as a player would.
HelpSeen OpenHowToPlay(TestGame& game, const char* shotName = nullptr) {
    HelpSeen seen;
    DialogScript script([&game] { return game.app->Objects().Timer().Running(); });
    script.Then([&](QWidget* dialog) {
        auto* page = dialog->findChild<QTextBrowser*>("HelpPage");
        ASSERT_NE(page, nullptr);
        seen.title = dialog->windowTitle();
        seen.text = page->toPlainText();
        const char* dir = std::getenv("VANTRELL_HELP_SHOTS");
        if (dir != nullptr && shotName != nullptr) {
            QApplication::processEvents();
            dialog->grab().save(QString::fromLocal8Bit(dir) + "/" + shotName, "PNG");
        }
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    game.Choose(Command::HowToPlay);
    Pump(30);
    EXPECT_EQ(script.Seen().size(), 1u);
    EXPECT_EQ(script.Unanswered(), 0u);
    return seen;
}

TEST(HowToPlayTest, TeachesTheGameWithTheKeysAsBoundInEitherLanguage) {
    TestGame game;
    ASSERT_TRUE(game.haveContent);
    game.Start();
    Pump(50);

    const HelpSeen japanese = OpenHowToPlay(game);
    EXPECT_EQ(japanese.title, QStringLiteral("遊び方"));
    // Every line of the page is the game's Japanese, keys and numbers aside.
    for (const QString& line : japanese.text.split('\n', Qt::SkipEmptyParts)) {
        EXPECT_TRUE(HasJapanese(line)) << line.toStdString();
    }
    EXPECT_TRUE(japanese.text.contains(QStringLiteral("2400")));

    ApplyUiLanguage(UiLanguage::English);
    const HelpSeen english = OpenHowToPlay(game, "desktop-how-to-play.png");
    ApplyUiLanguage(UiLanguage::Japanese);
    EXPECT_EQ(english.title, QStringLiteral("How to play"));
    EXPECT_FALSE(HasJapanese(english.text)) << english.text.toStdString();
    for (const char* words : {"Player 1 (red): forward Up, reverse Down, left Left, right Right",
                              "Player 2 (blue): forward W, reverse S / X, left A, right D",
                              "2400 ticks", "P / Pause / Pad Start", "R / Backspace / Pad Back",
                              "F11 / Alt+Enter", "Keys…", "Alt+G", "split"}) {
        EXPECT_TRUE(english.text.contains(QString::fromUtf8(words))) << words << "\n"
                                                                     << english.text.toStdString();
    }

    // The keys come from the controls as they are set, not from a copy.
    InputConfig& input = game.app->Objects().Input();
    input.Choose(2, Device::LetterKeys);  // let go, so player 1 may take them
    input.Choose(1, Device::LetterKeys);
    ApplyUiLanguage(UiLanguage::English);
    const HelpSeen rebound = OpenHowToPlay(game);
    ApplyUiLanguage(UiLanguage::Japanese);
    EXPECT_TRUE(rebound.text.contains("Player 1 (red): forward W, reverse S / X, left A, right D"))
        << rebound.text.toStdString();
    EXPECT_TRUE(rebound.text.contains("Player 2 (blue): forward none, reverse none"))
        << rebound.text.toStdString();

    // A key bound anew shows in place of the old one.
    KeyBindings bindings = input.Bindings();
    bindings.Clear(BoundAction::Set2Forward);
    ASSERT_TRUE(bindings.Add(BoundAction::Set2Forward, Binding::OfKey(Key::I)));
    input.SetBindings(bindings);
    ApplyUiLanguage(UiLanguage::English);
    const HelpSeen bound = OpenHowToPlay(game);
    ApplyUiLanguage(UiLanguage::Japanese);
    EXPECT_TRUE(bound.text.contains("Player 1 (red): forward I, reverse S / X"))
        << bound.text.toStdString();
}

}  // namespace
}  // namespace vantrell::desktop
