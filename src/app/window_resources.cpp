#include "app/window_resources.h"

#include "app/commands.h"

namespace vantrell {

namespace {

constexpr WindowInfo kMainWindow{"VantrellforWin95",
                                 "  Vantrell for Win95",
                                 "VANTRICO",
                                 "VANTR_MENU",
                                 11,
                                 0x10CE0000,
                                 16,
                                 32,
                                 256,
                                 360};

constexpr MenuItemDef kSeparator{0, "", false};

constexpr MenuItemDef kGameItems[] = {
    {CmdSolo, "&1人で精進する", false},
    {CmdVersus, "過去の記録と対戦(&2)", false},
    {CmdFreeDrive, "気楽にドライブ(&3)", false},
};

constexpr MenuItemDef kStageItems[] = {
    {CmdStage1, "１面", false}, {CmdStage2, "２面", false}, {CmdStage3, "３面", false},
    {CmdStage4, "４面", false}, {CmdStage5, "５面", false},
};

constexpr MenuItemDef kSettingsItems[] = {
    {CmdDemo, "デモ画面に戻る", false},
    kSeparator,
    {CmdShowHiScores, "ハイスコアを表示", false},
    kSeparator,
    {CmdResetHiScores, "ハイスコア初期化", false},
    kSeparator,
    {CmdConfig, "操作設定", false},
    {CmdEffects, "効果音", true},
    {CmdMusic, "音楽", true},
};

constexpr MenuItemDef kHelpItems[] = {
    {CmdRules, "ゲームのルールについて", false},
    {CmdControls, "操作方法", false},
    {CmdAbout, "著作権", false},
};

constexpr MenuPopupDef kMenu[] = {
    {"ゲーム開始(&G)", false, kGameItems},
    {"面セレクト", false, kStageItems},
    {"設定", false, kSettingsItems},
    {"説明", true, kHelpItems},
};

constexpr AboutControl kAboutControls[] = {
    {AboutControl::Text, -1, "Vantrell for Windows95", 20, 5, 89, 8},
    {AboutControl::Text, -1, "Version 1.0", 45, 24, 64, 8},
    {AboutControl::Text, -1, "Game and course design", 19, 45, 100, 9},
    {AboutControl::Text, -1, "by the Vantrell team", 5, 55, 120, 9},
    {AboutControl::Icon, -1, "VANTRICO", 14, 23, 18, 20},
    {AboutControl::DefaultButton, 1, "OK", 43, 71, 32, 14},
};

constexpr AboutBoxTemplate kAbout{"AppAbout", "ＭＳ Ｐゴシック", 9, 50, 17, 125,
                                  92,         kAboutControls};

}  // namespace

const WindowInfo& MainWindowInfo() {
    return kMainWindow;
}

std::span<const MenuPopupDef> MainMenu() {
    return kMenu;
}

const AboutBoxTemplate& AboutBox() {
    return kAbout;
}

}  // namespace vantrell
