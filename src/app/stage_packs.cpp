// The shell's side of stage packs: the list of stages beside the five built-in ones, adding a
// pack file (checked whole before anything is written), updating and removing one.
#include <cstdio>
#include <string>
#include <vector>

#include "app/menu.h"
#include "app/shell.h"
#include "platform/ui_text.h"

namespace vantrell {

namespace {

// Context "Messages" for the translation tools.
constexpr char kPackCaption[] = VT_TRANSLATE_NOOP("Messages", "ステージパック");
// The pack's file name and why the reader refused it follow on their own lines.
constexpr char kPackRefused[] =
    VT_TRANSLATE_NOOP("Messages", "このファイルはステージパックとして受け付けられません。");
constexpr char kPackUnreadable[] = VT_TRANSLATE_NOOP("Messages", "ファイルを読めません。");
// %s is the pack's name.
constexpr char kPackAlreadyIn[] = VT_TRANSLATE_NOOP("Messages", "「%s」はすでに追加されています。");
constexpr char kPackUpdate[] = VT_TRANSLATE_NOOP(
    "Messages", "「%s」と同じコースの別の版です。\n記録はそのままに、この版に入れ替えますか？");
constexpr char kPackAdded[] =
    VT_TRANSLATE_NOOP("Messages", "「%s」を追加しました。\nこのステージに移りますか？");
constexpr char kPackNotSaved[] =
    VT_TRANSLATE_NOOP("Messages", "ステージパックを保存できませんでした。何も変わっていません。");
constexpr char kPackRemove[] =
    VT_TRANSLATE_NOOP("Messages", "「%s」とその記録を削除します。\nよろしいですか？");
constexpr char kPackNotRemoved[] =
    VT_TRANSLATE_NOOP("Messages", "ステージパックを削除できませんでした。");
// Translated to the language whose pack names the player reads: "ja" for the Japanese ones,
// "en" for the English ones.
constexpr char kPackNameLanguage[] = VT_TRANSLATE_NOOP("Messages", "ja");

std::string Text(const char* text) {
    return UiText("Messages", text);
}

std::string WithName(const char* text, const std::string& name) {
    char line[600];
    std::snprintf(line, sizeof line, Text(text).c_str(), name.c_str());
    return line;
}

std::string NameOf(const PackManifest& manifest) {
    return Text(kPackNameLanguage) == "ja" ? manifest.nameJa : manifest.nameEn;
}

int32_t BestTime(const HiScoreTable& table) {
    const HiScoreEntry& best = table.AtRank(1);
    return best.Empty() ? 0 : best.time;
}

}  // namespace

Shell::StagePlace Shell::PackPlace(const InstalledPack& pack) const {
    return {kPackStage, pack.folder, pack.id, NameOf(pack.manifest)};
}

std::vector<StageListRow> Shell::StageRows(const std::vector<InstalledPack>& packs) {
    std::vector<StageListRow> rows;
    auto best = [&](const StagePlace& place) {
        if (place.SameAs(place_)) {
            return BestTime(game_.Records());  // with the runs not saved yet
        }
        HiScoreTable table(place.dir);
        table.Load(place.stage);
        return BestTime(table);
    };
    for (int32_t s = 0; s < kStageCount; ++s) {
        const std::string name = UiText("Menu", StageMenuText(s));
        const StagePlace place = BuiltIn(s);
        rows.push_back({name, name, {}, best(place), place.SameAs(place_), false});
    }
    for (const InstalledPack& pack : packs) {
        const StagePlace place = PackPlace(pack);
        rows.push_back({pack.manifest.nameJa, pack.manifest.nameEn, pack.manifest.author,
                        best(place), place.SameAs(place_), true});
    }
    return rows;
}

void Shell::OpenStageList() {
    // The list comes back after an addition or a removal; a race or closing it ends it.
    for (;;) {
        const std::vector<InstalledPack> packs = game_.Packs().List();
        const std::optional<StageListChoice> choice = game_.Dialogs().ChooseStage(StageRows(packs));
        if (!choice) {
            return;
        }
        if (choice->action == StageListAction::Add) {
            AddStagePack();
            continue;
        }
        const int32_t row = choice->row;
        if (row < 0 || row >= kStageCount + static_cast<int32_t>(packs.size())) {
            continue;
        }
        const bool isPack = row >= kStageCount;
        if (choice->action == StageListAction::Remove) {
            if (isPack) {
                RemoveStagePack(packs[row - kStageCount]);
            }
            continue;
        }
        SelectPlace(isPack ? PackPlace(packs[row - kStageCount]) : BuiltIn(row));
        return;
    }
}

void Shell::AddStagePack() {
    Dialogs& dialogs = game_.Dialogs();
    const std::optional<OpenedFile> opened = dialogs.OpenFile(FileKind::StagePack);
    if (!opened) {
        return;
    }
    if (!opened->problem.empty()) {
        dialogs.ShowMessage(opened->name + "\n" + Text(kPackUnreadable) + "\n" + opened->problem,
                            Text(kPackCaption));
        return;
    }
    const PackOffer offer = game_.Packs().Check(opened->bytes);
    if (offer.kind == PackOfferKind::Refused) {
        dialogs.ShowMessage(opened->name + "\n" + Text(kPackRefused) + "\n" + offer.problem,
                            Text(kPackCaption));
        return;
    }
    if (offer.kind == PackOfferKind::Installed) {
        dialogs.ShowMessage(WithName(kPackAlreadyIn, NameOf(offer.installed->manifest)),
                            Text(kPackCaption));
        return;
    }
    const bool update = offer.kind == PackOfferKind::Update;
    if (update && !dialogs.AskYesNo(WithName(kPackUpdate, NameOf(offer.installed->manifest)),
                                    Text(kPackCaption))) {
        return;
    }
    if (const std::string problem = game_.Packs().Take(offer); !problem.empty()) {
        dialogs.ShowMessage(Text(kPackNotSaved) + "\n" + problem, Text(kPackCaption));
        return;
    }
    const std::optional<InstalledPack> installed =
        game_.Packs().Find(HexDigest(offer.pack->manifest.course));
    if (!installed) {
        return;
    }
    if (update && installed->id == place_.pack) {
        SelectPlace(PackPlace(*installed), true);  // the new picture and name at once
        return;
    }
    if (dialogs.AskYesNo(WithName(kPackAdded, NameOf(installed->manifest)), Text(kPackCaption))) {
        SelectPlace(PackPlace(*installed));
    }
}

void Shell::RemoveStagePack(const InstalledPack& pack) {
    Dialogs& dialogs = game_.Dialogs();
    if (!dialogs.AskYesNo(WithName(kPackRemove, NameOf(pack.manifest)), Text(kPackCaption))) {
        return;
    }
    if (pack.id == place_.pack) {
        SelectStage(0);  // off the pack first, its table saved or not as the player says
        if (!place_.pack.empty()) {
            return;  // the player stayed
        }
    }
    if (const std::string problem = game_.Packs().Remove(pack.id); !problem.empty()) {
        dialogs.ShowMessage(Text(kPackNotRemoved) + "\n" + problem, Text(kPackCaption));
    }
}

}  // namespace vantrell
