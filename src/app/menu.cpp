#include "app/menu.h"

#include "platform/ui_text.h"

namespace vantrell {

namespace {

constexpr MenuItemDef kSeparator{std::nullopt, "", false};

constexpr MenuItemDef kGameItems[] = {
    {Command::Solo, VT_TRANSLATE_NOOP("Menu", "&1人で精進する"), false},
    {Command::Versus, VT_TRANSLATE_NOOP("Menu", "過去の記録と対戦(&2)"), false},
    {Command::FreeDrive, VT_TRANSLATE_NOOP("Menu", "気楽にドライブ(&3)"), false},
    {Command::RaceRunFile, VT_TRANSLATE_NOOP("Menu", "走行ファイルと対戦(&4)..."), false},
};

constexpr MenuItemDef kStageItems[] = {
    {Command::Stage1, VT_TRANSLATE_NOOP("Menu", "１面"), false},
    {Command::Stage2, VT_TRANSLATE_NOOP("Menu", "２面"), false},
    {Command::Stage3, VT_TRANSLATE_NOOP("Menu", "３面"), false},
    {Command::Stage4, VT_TRANSLATE_NOOP("Menu", "４面"), false},
    {Command::Stage5, VT_TRANSLATE_NOOP("Menu", "５面"), false},
    kSeparator,
    {Command::MoreStages, VT_TRANSLATE_NOOP("Menu", "その他のステージ..."), false},
    {Command::AddStagePack, VT_TRANSLATE_NOOP("Menu", "ステージパックを追加..."), false},
};

constexpr MenuItemDef kSettingsItems[] = {
    {Command::Demo, VT_TRANSLATE_NOOP("Menu", "デモ画面に戻る"), false},
    kSeparator,
    {Command::ShowHiScores, VT_TRANSLATE_NOOP("Menu", "ハイスコアを表示"), false},
    kSeparator,
    {Command::ResetHiScores, VT_TRANSLATE_NOOP("Menu", "ハイスコア初期化"), false},
    kSeparator,
    {Command::ExportRun, VT_TRANSLATE_NOOP("Menu", "走行ファイルに書き出す..."), false},
    {Command::ImportRun, VT_TRANSLATE_NOOP("Menu", "走行ファイルを読み込む..."), false},
    kSeparator,
    {Command::Config, VT_TRANSLATE_NOOP("Menu", "操作設定"), false},
    {Command::Effects, VT_TRANSLATE_NOOP("Menu", "効果音"), true},
    {Command::Music, VT_TRANSLATE_NOOP("Menu", "音楽"), true},
};

constexpr MenuItemDef kHelpItems[] = {
    {Command::Rules, VT_TRANSLATE_NOOP("Menu", "ゲームのルールについて"), false},
    {Command::Controls, VT_TRANSLATE_NOOP("Menu", "操作方法"), false},
    {Command::HowToPlay, VT_TRANSLATE_NOOP("Menu", "遊び方"), false},
    {Command::About, VT_TRANSLATE_NOOP("Menu", "著作権"), false},
};

constexpr MenuPopupDef kMenu[] = {
    {VT_TRANSLATE_NOOP("Menu", "ゲーム開始(&G)"), false, kGameItems},
    {VT_TRANSLATE_NOOP("Menu", "面セレクト"), false, kStageItems},
    {VT_TRANSLATE_NOOP("Menu", "設定"), false, kSettingsItems},
    {VT_TRANSLATE_NOOP("Menu", "説明"), true, kHelpItems},
};

}  // namespace

const char* StageMenuText(int32_t stage) {
    for (const MenuItemDef& item : kStageItems) {
        if (item.command == StageCommand(stage)) {
            return item.text;
        }
    }
    return "";
}

std::span<const MenuPopupDef> MainMenu() {
    return kMenu;
}

}  // namespace vantrell
