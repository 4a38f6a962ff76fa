#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/commands.h"
#include "app/window_resources.h"

namespace vantrell {
namespace {

TEST(ShellMenu, PopupsHoldTheirCommandsSeparatorsAndChecks) {
    const auto menu = MainMenu();
    ASSERT_EQ(menu.size(), 4u);
    std::vector<std::vector<int32_t>> ids;
    std::vector<int32_t> checked;
    for (const MenuPopupDef& popup : menu) {
        ids.emplace_back();
        for (const MenuItemDef& item : popup.items) {
            ids.back().push_back(item.id);
            if (item.checked) {
                checked.push_back(item.id);
            }
            EXPECT_EQ(item.IsSeparator(), std::string(item.text).empty()) << item.id;
        }
    }
    EXPECT_EQ(ids[0], (std::vector<int32_t>{CmdSolo, CmdVersus, CmdFreeDrive}));
    EXPECT_EQ(ids[1],
              (std::vector<int32_t>{CmdStage1, CmdStage2, CmdStage3, CmdStage4, CmdStage5}));
    EXPECT_EQ(ids[2], (std::vector<int32_t>{CmdDemo, 0, CmdShowHiScores, 0, CmdResetHiScores, 0,
                                            CmdConfig, CmdEffects, CmdMusic}));
    EXPECT_EQ(ids[3], (std::vector<int32_t>{CmdRules, CmdControls, CmdAbout}));
    EXPECT_EQ(checked, (std::vector<int32_t>{CmdEffects, CmdMusic}));
    // Only the help pop-up sits at the right end of the bar.
    EXPECT_FALSE(menu[0].rightJustified || menu[1].rightJustified || menu[2].rightJustified);
    EXPECT_TRUE(menu[3].rightJustified);
    EXPECT_STREQ(menu[0].text, "ゲーム開始(&G)");
    EXPECT_STREQ(menu[0].items[0].text, "&1人で精進する");
    EXPECT_STREQ(menu[0].items[1].text, "過去の記録と対戦(&2)");
    EXPECT_STREQ(menu[3].text, "説明");
}

TEST(ShellMenu, WindowAndAboutBoxResources) {
    const WindowInfo& window = MainWindowInfo();
    EXPECT_STREQ(window.className, "VantrellforWin95");
    EXPECT_STREQ(window.title, "  Vantrell for Win95");
    EXPECT_STREQ(window.menuName, "VANTR_MENU");
    EXPECT_EQ(window.width, 256);
    EXPECT_EQ(window.height, 360);
    // The About box closes only through its one button, which must send id 1.
    int32_t buttons = 0;
    for (const AboutControl& control : AboutBox().controls) {
        if (control.kind == AboutControl::DefaultButton) {
            ++buttons;
            EXPECT_EQ(control.id, 1);
        }
    }
    EXPECT_EQ(buttons, 1);
}

}  // namespace
}  // namespace vantrell
