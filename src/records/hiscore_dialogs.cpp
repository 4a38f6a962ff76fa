#include "records/hiscore_dialogs.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "records/record_names.h"

namespace vantrell {
namespace {

constexpr char kNotEnteredText[] = VT_TRANSLATE_NOOP("Messages", "もっと精進せいよ！");
constexpr char kNotEnteredCaption[] = VT_TRANSLATE_NOOP("Messages", "競技終了");
constexpr char kResetQuestion[] =
    VT_TRANSLATE_NOOP("Messages", "ハイスコアデータを初期化します。\nよろしいですか？");
constexpr char kResetCaption[] = VT_TRANSLATE_NOOP("Messages", "ハイスコアの初期化");

std::string Text(const char* text) {
    return UiText("Messages", text);
}

constexpr std::size_t kNameColumn = 16;

// "%2d : %-16s " with the padding counted in single-byte columns, as the list's fixed-pitch
// font shows a double-byte character two columns wide: the stored name's byte count.
std::string RankAndName(int32_t rank, const std::string& storedName) {
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%2d : ", static_cast<int>(rank));
    const std::size_t width = storedName.size();
    const std::size_t padding = width < kNameColumn ? kNameColumn - width : 0;
    return prefix + NameForDisplay(storedName) + std::string(padding, ' ') + " ";
}

std::string TimeText(int32_t time) {
    char text[24];
    std::snprintf(text, sizeof text, "TIME:%5d", static_cast<int>(time));
    return text;
}

// Ranks the table and takes its list lines. Highlighted once: a list opened later shows the
// same lines plain.
HiScoreLines ListLinesOnce(HiScoreTable& table) {
    table.Rank();
    const HiScoreLines lines = HiScoreListLines(table);
    table.ClearNewMarks();
    return lines;
}

}  // namespace

HiScoreLines HiScoreListLines(const HiScoreTable& table) {
    HiScoreLines lines;
    for (int32_t rank = 1; rank <= kHiScoreSlots; ++rank) {
        const HiScoreEntry& entry = table.AtRank(rank);
        HiScoreLine& line = lines[rank - 1];
        line.rankAndName = RankAndName(rank, entry.name);
        line.time = TimeText(entry.time);
        line.selected = entry.isNew;
    }
    return lines;
}

RunEntry EnterRun(Dialogs& dialogs, HiScoreTable& table, int32_t time, const uint8_t* recording,
                  const std::function<void(const OfferResult&)>& told) {
    OfferedRun run{.time = time, .refuseHeld = false};
    if (recording != nullptr) {
        std::copy_n(recording, kRecordingBytes, run.recording.begin());
    }
    // The place keeps its old name until the player has typed one.
    const OfferResult offer = table.Offer(run);
    if (told) {
        told(offer);
    }
    RunEntry result;
    if (!offer.Entered()) {
        dialogs.ShowMessage(Text(kNotEnteredText), Text(kNotEnteredCaption));
        ShowHiScores(dialogs, table);
        return result;
    }
    // The box offers the last name typed this visit.
    const std::string offered = NameForDisplay(table.DefaultNameText());
    table.NameRun(offer.rank, NameForTable(dialogs.AskNameForRun(offered, time, offer.rank)));
    result.entered = true;
    result.rank = offer.rank;
    result.raceIt = dialogs.ShowHiScoreListOfferingRace(ListLinesOnce(table));
    return result;
}

void ShowHiScores(Dialogs& dialogs, HiScoreTable& table) {
    dialogs.ShowHiScoreList(ListLinesOnce(table));
}

HiScoreLines ChoiceLines(HiScoreTable& table) {
    table.Rank();
    HiScoreLines lines = HiScoreListLines(table);
    for (HiScoreLine& line : lines) {
        line.selected = false;
    }
    lines[0].selected = true;
    return lines;
}

bool SelectOpponent(Dialogs& dialogs, HiScoreTable& table) {
    const std::optional<ListSelection> chosen = dialogs.ChooseOpponent(ChoiceLines(table));
    if (!chosen) {
        return false;
    }
    table.ChooseOpponent(*chosen);
    return true;
}

SaveResult SaveWithQuestion(Dialogs& dialogs, HiScoreTable& table, int32_t stage,
                            SaveOccasion occasion) {
    if (!table.Changed()) {
        return SaveResult::Unchanged;
    }
    if (occasion == SaveOccasion::StageChange) {
        if (!dialogs.AskYesNo(Text(kSaveQuestion), Text(kSaveCaption))) {
            return SaveResult::Declined;
        }
    } else {
        const Answer answer = dialogs.Ask({Text(kSaveQuestion),
                                           Text(kSaveCaption),
                                           {Answer::Yes, Answer::No, Answer::Cancel},
                                           Answer::Yes,
                                           Answer::Cancel});
        if (answer == Answer::No) {
            return SaveResult::Declined;
        }
        if (answer == Answer::Cancel) {
            return SaveResult::Cancelled;
        }
    }
    while (true) {
        // Runs another program saved meanwhile (the tool's import) are kept.
        const SaveReport report = table.WriteKeepingSavedRuns(stage);
        if (report.written) {
            if (!report.keptAside.empty()) {
                std::string text = Text(kKeptAsideText);
                for (const std::string& file : report.keptAside) {
                    text += "\n";
                    text += file;
                }
                dialogs.ShowMessage(text, Text(kSaveCaption));
            }
            return SaveResult::Written;
        }
        // Appended: GCC 12 warns falsely on "literal" + string.
        // The whole path: the player has to find that folder to mend it.
        std::string text = Text(kSaveFailedText);
        text += "\n";
        text += (table.Directory() / report.file).string();
        text += "\n";
        text += report.reason;
        text += "\n";
        if (occasion == SaveOccasion::StageChange) {
            text += Text(kSaveFailedStay);
            dialogs.ShowMessage(text, Text(kSaveCaption));
            return SaveResult::Failed;
        }
        text += Text(kSaveFailedChoice);
        const Answer answer = dialogs.Ask({text,
                                           Text(kSaveCaption),
                                           {Answer::Retry, Answer::Discard, Answer::Cancel},
                                           Answer::Retry,
                                           Answer::Cancel});
        if (answer == Answer::Discard) {
            return SaveResult::Declined;
        }
        if (answer == Answer::Cancel) {
            return SaveResult::Cancelled;
        }
    }
}

void ResetHiScores(Dialogs& dialogs, HiScoreTable& table) {
    // No is the default and Escape answers No: Enter alone never empties the table.
    const Question question{Text(kResetQuestion),
                            Text(kResetCaption),
                            {Answer::Yes, Answer::No},
                            Answer::No,
                            Answer::No};
    if (dialogs.Ask(question) == Answer::Yes) {
        table.FillEmpty();
        table.MarkEmptied();
    }
}

}  // namespace vantrell
