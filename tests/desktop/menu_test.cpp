#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>

#include <optional>
#include <vector>

#include "hosts/desktop/menu_builder.h"
#include "platform/commands.h"

namespace vantrell::desktop {
namespace {

struct Expected {
    std::optional<Command> command;  // none for a separator
    const char* text;
};

using C = Command;
constexpr Expected kSeparator{std::nullopt, ""};

// VANTR_MENU as the player must see it.
const std::vector<std::pair<const char*, std::vector<Expected>>> kMenu = {
    {"ゲーム開始(&G)",
     {{C::Solo, "&1人で精進する"},
      {C::Versus, "過去の記録と対戦(&2)"},
      {C::FreeDrive, "気楽にドライブ(&3)"},
      {C::RaceRunFile, "走行ファイルと対戦(&4)..."}}},
    {"面セレクト",
     {{C::Stage1, "１面"},
      {C::Stage2, "２面"},
      {C::Stage3, "３面"},
      {C::Stage4, "４面"},
      {C::Stage5, "５面"},
      kSeparator,
      {C::MoreStages, "その他のステージ..."},
      {C::AddStagePack, "ステージパックを追加..."}}},
    {"設定",
     {{C::Demo, "デモ画面に戻る"},
      kSeparator,
      {C::ShowHiScores, "ハイスコアを表示"},
      kSeparator,
      {C::ResetHiScores, "ハイスコア初期化"},
      kSeparator,
      {C::ExportRun, "走行ファイルに書き出す..."},
      {C::ImportRun, "走行ファイルを読み込む..."},
      kSeparator,
      {C::Config, "操作設定"},
      {C::Effects, "効果音"},
      {C::Music, "音楽"}}},
    {"説明",
     {{C::Rules, "ゲームのルールについて"},
      {C::Controls, "操作方法"},
      {C::HowToPlay, "遊び方"},
      {C::About, "著作権"}}},
};

TEST(GameMenuTest, PopupsItemsIdsAndInitialChecksAreTheGameMenu) {
    QMenuBar bar;
    std::vector<Command> sent;
    GameMenu menu(bar, [&sent](Command command) { sent.push_back(command); });

    std::vector<QAction*> popups;
    int separatorsOnBar = 0;
    for (QAction* action : bar.actions()) {
        if (action->isSeparator()) {
            ++separatorsOnBar;
            // The separator sits right before "説明", which pushes it to the right end.
            EXPECT_EQ(popups.size(), 3u);
        } else {
            popups.push_back(action);
        }
    }
    EXPECT_EQ(separatorsOnBar, 1);
    ASSERT_EQ(popups.size(), kMenu.size());
    for (std::size_t p = 0; p < kMenu.size(); ++p) {
        EXPECT_EQ(popups[p]->text(), QString::fromUtf8(kMenu[p].first));
        const QList<QAction*> items = popups[p]->menu()->actions();
        ASSERT_EQ(items.size(), static_cast<qsizetype>(kMenu[p].second.size())) << kMenu[p].first;
        for (std::size_t i = 0; i < kMenu[p].second.size(); ++i) {
            const Expected& want = kMenu[p].second[i];
            if (!want.command) {
                EXPECT_TRUE(items[i]->isSeparator());
                continue;
            }
            EXPECT_EQ(items[i]->text(), QString::fromUtf8(want.text));
            EXPECT_EQ(menu.Item(*want.command), items[i]);
            // Only the two sound switches start checked.
            EXPECT_EQ(items[i]->isChecked(),
                      want.command == Command::Effects || want.command == Command::Music)
                << want.text;
        }
    }
}

TEST(GameMenuTest, ChoosingSendsTheIdAndLeavesTheMarksToTheGame) {
    QMenuBar bar;
    std::vector<Command> sent;
    GameMenu menu(bar, [&sent](Command command) { sent.push_back(command); });

    menu.Item(Command::About)->trigger();
    menu.Item(Command::Effects)->trigger();  // nobody changes the mark in answer
    menu.Item(Command::Stage3)->trigger();
    EXPECT_EQ(sent, (std::vector<Command>{Command::About, Command::Effects, Command::Stage3}));
    EXPECT_TRUE(menu.Checked(Command::Effects));
    EXPECT_FALSE(menu.Checked(Command::Stage3));

    menu.SetCheck(Command::Stage3, true);
    menu.SetCheck(Command::Effects, false);
    EXPECT_TRUE(menu.Checked(Command::Stage3));
    EXPECT_FALSE(menu.Checked(Command::Effects));
    menu.Item(Command::Stage3)->trigger();
    EXPECT_TRUE(menu.Checked(Command::Stage3));
}

TEST(GameMenuTest, HelpPopupSitsAtTheRightEndOfTheBar) {
    QMenuBar bar;
    GameMenu menu(bar, {});
    bar.resize(400, 30);
    bar.show();
    QAction* help = nullptr;
    QAction* game = nullptr;
    for (QAction* action : bar.actions()) {
        if (action->text() == QStringLiteral("説明")) {
            help = action;
        } else if (game == nullptr && !action->isSeparator()) {
            game = action;
        }
    }
    ASSERT_NE(help, nullptr);
    const QRect helpRect = bar.actionGeometry(help);
    EXPECT_GT(helpRect.left(), bar.actionGeometry(game).right());
    EXPECT_GE(helpRect.right(), bar.width() - 12);  // flush right, within the bar's margin
}

}  // namespace
}  // namespace vantrell::desktop
