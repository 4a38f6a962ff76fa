#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>

#include <vector>

#include "app/commands.h"
#include "hosts/desktop/menu_builder.h"

namespace vantrell::desktop {
namespace {

struct Expected {
    int id;  // 0 for a separator
    const char* text;
};

// VANTR_MENU as the player must see it.
const std::vector<std::pair<const char*, std::vector<Expected>>> kMenu = {
    {"ゲーム開始(&G)",
     {{101, "&1人で精進する"}, {102, "過去の記録と対戦(&2)"}, {109, "気楽にドライブ(&3)"}}},
    {"面セレクト", {{111, "１面"}, {112, "２面"}, {113, "３面"}, {114, "４面"}, {115, "５面"}}},
    {"設定",
     {{108, "デモ画面に戻る"},
      {0, ""},
      {103, "ハイスコアを表示"},
      {0, ""},
      {104, "ハイスコア初期化"},
      {0, ""},
      {106, "操作設定"},
      {119, "効果音"},
      {122, "音楽"}}},
    {"説明", {{134, "ゲームのルールについて"}, {135, "操作方法"}, {107, "著作権"}}},
};

TEST(GameMenuTest, PopupsItemsIdsAndInitialChecksAreTheGameMenu) {
    QMenuBar bar;
    std::vector<int32_t> sent;
    GameMenu menu(bar, [&sent](int32_t id) { sent.push_back(id); });

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
            if (want.id == 0) {
                EXPECT_TRUE(items[i]->isSeparator());
                continue;
            }
            EXPECT_EQ(items[i]->text(), QString::fromUtf8(want.text));
            EXPECT_EQ(items[i]->data().toInt(), want.id);
            EXPECT_EQ(menu.Item(want.id), items[i]);
            // Only the two sound switches start checked.
            EXPECT_EQ(items[i]->isChecked(), want.id == CmdEffects || want.id == CmdMusic)
                << want.text;
        }
    }
    EXPECT_EQ(menu.Item(CmdEnterDemo), nullptr);  // internal commands have no item
}

TEST(GameMenuTest, ChoosingSendsTheIdAndLeavesTheMarksToTheGame) {
    QMenuBar bar;
    std::vector<int32_t> sent;
    GameMenu menu(bar, [&sent](int32_t id) { sent.push_back(id); });

    menu.Item(CmdAbout)->trigger();
    menu.Item(CmdEffects)->trigger();  // nobody changes the mark in answer
    menu.Item(CmdStage3)->trigger();
    EXPECT_EQ(sent, (std::vector<int32_t>{CmdAbout, CmdEffects, CmdStage3}));
    EXPECT_TRUE(menu.Checked(CmdEffects));
    EXPECT_FALSE(menu.Checked(CmdStage3));

    menu.SetCheck(CmdStage3, true);
    menu.SetCheck(CmdEffects, false);
    EXPECT_TRUE(menu.Checked(CmdStage3));
    EXPECT_FALSE(menu.Checked(CmdEffects));
    menu.Item(CmdStage3)->trigger();
    EXPECT_TRUE(menu.Checked(CmdStage3));
    menu.SetCheck(9999, true);  // no such item: nothing happens
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
