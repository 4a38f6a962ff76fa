// The player's side of the high-score table: a finished run entering it with a name, the list
// of the ten best runs, the choice of a recorded opponent, emptying the table, and the question
// before a save. All but the save change the table in memory only.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/dialogs.h"
#include "platform/ui_text.h"
#include "records/hiscore_table.h"

namespace vantrell {

// The texts of the save question and of its failure message, for any caller that asks itself,
// as written (UiText gives them in the player's language).
inline constexpr char kSaveQuestion[] =
    VT_TRANSLATE_NOOP("Messages", "ハイスコアデータをセーブしますか？");
inline constexpr char kSaveCaption[] = VT_TRANSLATE_NOOP("Messages", "スコアデータのセーブ");
inline constexpr char kSaveFailedText[] =
    VT_TRANSLATE_NOOP("Messages", "ハイスコアデータを保存できませんでした。");
inline constexpr char kSaveFailedAdvice[] =
    VT_TRANSLATE_NOOP("Messages", "ゲームのフォルダに書き込めるか確かめてください。");
inline constexpr char kSaveFailedStay[] = VT_TRANSLATE_NOOP(
    "Messages",
    "ゲームのフォルダに書き込めるか確かめてください。\n記録は残したまま、この面に留まります。");
inline constexpr char kSaveFailedChoice[] =
    VT_TRANSLATE_NOOP("Messages",
                      "ゲームのフォルダに書き込めるか確かめてください。\n再試行、破棄（記録を捨てて"
                      "終了）、キャンセル（ゲームに戻る）から選んでください。");
inline constexpr char kKeptAsideText[] =
    VT_TRANSLATE_NOOP("Messages", "読めなかった記録ファイルは上書きせず、次の名前で残しました。");

// What SaveWithQuestion did, for the callers that care and for tests.
enum class SaveResult {
    Unchanged,  // nothing entered since the load: no question asked
    Declined,   // the player answered No: nothing written
    Written,    // every file written
    Failed,     // some file could not be written; the player has been told
    Cancelled,  // the player chose to stay: nothing written, nothing lost
};

// When the question comes: at a change of stage (Yes or No; a failure is told and the player
// stays on the stage, its runs kept), or when the window closes (Yes, No or Cancel, Escape
// meaning Cancel; a failure offers Retry, Discard or Cancel).
enum class SaveOccasion { StageChange, Close };

// If a run entered since the load, asks whether to save and on Yes writes the stage's files
// as one (WriteKeepingSavedRuns: runs saved meanwhile by another program, such as the tool's
// import, are kept). A failure names the file and the system's reason; the table stays
// changed unless the player discards the runs, so nothing is lost without being asked.
SaveResult SaveWithQuestion(Dialogs& dialogs, HiScoreTable& table, int32_t stage,
                            SaveOccasion occasion);

// What became of a finished run at the name entry.
struct RunEntry {
    bool entered = false;  // it took a place in the table
    int32_t rank = 0;      // the rank (1..10) it took
    bool raceIt = false;   // the player asked to race the run just set
};

// A solo race or a race against a recording has ended after `time` ticks. A time strictly
// below the worst entry's replaces that entry (recording copied, name asked for with the time
// and the rank the run takes, stored as NameForTable gives it); any other time gets
// "もっと精進せいよ！". Either way the list follows; after an entry it offers to race the run.
// A null recording enters as no input at all. `told`, when given, hears the offer's outcome
// before any dialog opens, so the window can show it beside them.
RunEntry EnterRun(Dialogs& dialogs, HiScoreTable& table, int32_t time, const uint8_t* recording,
                  const std::function<void(const OfferResult&)>& told = {});

// Ranks the table and shows the list best first, the run just entered highlighted once.
void ShowHiScores(Dialogs& dialogs, HiScoreTable& table);

// Ranks the table and lets the player pick the run to race against (HiScoreTable::
// ChooseOpponent). False when the player cancelled the choice (the opponent is then left as it
// was).
bool SelectOpponent(Dialogs& dialogs, HiScoreTable& table);

// Asks (No the default, Escape answering No), and on Yes empties the table in memory. Does not mark
// it changed: a reset alone is never saved.
void ResetHiScores(Dialogs& dialogs, HiScoreTable& table);

// The ten list lines, best first, under the table's current rank order; a line is selected
// when its entry is new.
HiScoreLines HiScoreListLines(const HiScoreTable& table);
// The lines for choosing one run, ranked afresh, with the fastest run selected so that OK alone
// takes it.
HiScoreLines ChoiceLines(HiScoreTable& table);

}  // namespace vantrell
