#include "app/menu.h"

namespace vantrell {

namespace {

constexpr MenuItemDef kSeparator{std::nullopt, "", false};

constexpr MenuItemDef kGameItems[] = {
    {Command::Solo, "&1人で精進する", false},
    {Command::Versus, "過去の記録と対戦(&2)", false},
    {Command::FreeDrive, "気楽にドライブ(&3)", false},
};

constexpr MenuItemDef kStageItems[] = {
    {Command::Stage1, "１面", false}, {Command::Stage2, "２面", false},
    {Command::Stage3, "３面", false}, {Command::Stage4, "４面", false},
    {Command::Stage5, "５面", false},
};

constexpr MenuItemDef kSettingsItems[] = {
    {Command::Demo, "デモ画面に戻る", false},
    kSeparator,
    {Command::ShowHiScores, "ハイスコアを表示", false},
    kSeparator,
    {Command::ResetHiScores, "ハイスコア初期化", false},
    kSeparator,
    {Command::Config, "操作設定", false},
    {Command::Effects, "効果音", true},
    {Command::Music, "音楽", true},
};

constexpr MenuItemDef kHelpItems[] = {
    {Command::Rules, "ゲームのルールについて", false},
    {Command::Controls, "操作方法", false},
    {Command::About, "著作権", false},
};

constexpr MenuPopupDef kMenu[] = {
    {"ゲーム開始(&G)", false, kGameItems},
    {"面セレクト", false, kStageItems},
    {"設定", false, kSettingsItems},
    {"説明", true, kHelpItems},
};

}  // namespace

std::span<const MenuPopupDef> MainMenu() {
    return kMenu;
}

}  // namespace vantrell
