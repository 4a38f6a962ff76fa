// The player's side of the high-score table: a finished run entering it with a name, the list
// of the ten best runs, the choice of a recorded opponent, emptying the table, and the question
// before a save. All but the save change the table in memory only.
#pragma once

#include <cstdint>

#include "platform/dialogs.h"
#include "records/hiscore_table.h"

namespace vantrell {

// The texts of the save question and of its failure message, for any caller that asks itself.
inline constexpr char kSaveQuestion[] = "ハイスコアデータをセーブしますか？";
inline constexpr char kSaveCaption[] = "スコアデータのセーブ";
inline constexpr char kSaveFailedText[] = "ハイスコアデータを保存できませんでした。";
inline constexpr char kSaveFailedAdvice[] = "ゲームのフォルダに書き込めるか確かめてください。";

// What SaveWithQuestion did, for the callers that care and for tests.
enum class SaveResult {
    Unchanged,  // nothing entered since the load: no question asked
    Declined,   // the player answered No: nothing written
    Written,    // every file written
    Failed,     // some file could not be written; the player has been told
};

// If a run entered since the load, asks whether to save and on Yes writes the stage's files
// (HiScoreTable::Write). A failure is shown with the file's name and the system's reason, and
// `changed` stays set, so the question comes again at the next chance to save.
SaveResult SaveWithQuestion(Dialogs& dialogs, HiScoreTable& table, int32_t stage);

// A solo race or a race against a recording has ended after `time` ticks. A time strictly
// below the worst entry's replaces that entry (recording copied, name asked for and stored as
// NameForTable gives it); any other time gets "もっと精進せいよ！". Either way the list follows.
// A null recording enters as no input at all.
void EnterRun(Dialogs& dialogs, HiScoreTable& table, int32_t time, const uint8_t* recording);

// Ranks the table and shows the list best first, the run just entered highlighted once.
void ShowHiScores(Dialogs& dialogs, HiScoreTable& table);

// Ranks the table and lets the player pick the run to race against; sets opponentPosition.
// With nothing selected at OK the fastest run (position 9) is raced.
void SelectOpponent(Dialogs& dialogs, HiScoreTable& table);

// Asks, and on Yes empties the table in memory. Does not mark it changed: a reset alone is
// never saved.
void ResetHiScores(Dialogs& dialogs, HiScoreTable& table);

// The ten list lines, best first, under the table's current rank order; a line is selected
// when its entry is new.
HiScoreLines HiScoreListLines(const HiScoreTable& table);

}  // namespace vantrell
