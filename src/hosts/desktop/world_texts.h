// The world table's texts on the desktop, in the game's own language (Japanese) with English
// from the translation file, and the player's words for the server's refusals.
#pragma once

#include <QCoreApplication>
#include <QString>

#include "hosts/desktop/world_client.h"

namespace vantrell::desktop::world {

inline constexpr char kContext[] = "WorldTable";
inline constexpr const char* kJoin = QT_TRANSLATE_NOOP("WorldTable", "ワールドランキングに参加...");
inline constexpr const char* kSend =
    QT_TRANSLATE_NOOP("WorldTable", "ベスト走行をワールドランキングへ送る");
inline constexpr const char* kShow = QT_TRANSLATE_NOOP("WorldTable", "ワールドランキング...");
inline constexpr const char* kCaption = QT_TRANSLATE_NOOP("WorldTable", "ワールドランキング");
inline constexpr const char* kServerPrompt =
    QT_TRANSLATE_NOOP("WorldTable", "サーバーのアドレス（例 http://127.0.0.1:8080）");
inline constexpr const char* kNamePrompt = QT_TRANSLATE_NOOP("WorldTable", "登録する名前");
// The name, then the server.
inline constexpr const char* kJoined =
    QT_TRANSLATE_NOOP("WorldTable", "「%1」で%2に登録しました。");
inline constexpr const char* kNotJoined =
    QT_TRANSLATE_NOOP("WorldTable", "先に「ワールドランキングに参加」で名前を登録してください。");
inline constexpr const char* kNoRunOfName =
    QT_TRANSLATE_NOOP("WorldTable", "この面の記録に「%1」の走行がありません。");
// The world rank, then the time.
inline constexpr const char* kSent =
    QT_TRANSLATE_NOOP("WorldTable", "ワールドランキング %1位（TIME:%2）に入りました。");
inline constexpr const char* kUnreachable =
    QT_TRANSLATE_NOOP("WorldTable", "サーバーにつながりません。");
inline constexpr const char* kRefused = QT_TRANSLATE_NOOP("WorldTable", "サーバーが断りました。");
inline constexpr const char* kNotFaster =
    QT_TRANSLATE_NOOP("WorldTable", "ワールドランキングにある自己ベストより速くありません。");
inline constexpr const char* kDuplicate =
    QT_TRANSLATE_NOOP("WorldTable", "同じ走行がすでに別の名前でワールドランキングにあります。");
inline constexpr const char* kUnknownKey = QT_TRANSLATE_NOOP(
    "WorldTable", "この名前はサーバーに登録されていません。もう一度参加してください。");
inline constexpr const char* kNameTaken =
    QT_TRANSLATE_NOOP("WorldTable", "その名前はすでに使われています。");
inline constexpr const char* kNameUnfit =
    QT_TRANSLATE_NOOP("WorldTable", "その名前は使えません（全角7文字・半角15文字まで）。");
inline constexpr const char* kUnknownCourse =
    QT_TRANSLATE_NOOP("WorldTable", "このサーバーはこの面のコースを受け付けていません。");
inline constexpr const char* kWrongTime =
    QT_TRANSLATE_NOOP("WorldTable", "この走行は記録されたタイムで走りきれません。");
inline constexpr const char* kBusy = QT_TRANSLATE_NOOP(
    "WorldTable", "サーバーが混み合っています。しばらく待ってからもう一度どうぞ。");
inline constexpr const char* kLoading = QT_TRANSLATE_NOOP("WorldTable", "読み込み中...");
// The stage, then the number of runs.
inline constexpr const char* kBoardTitle = QT_TRANSLATE_NOOP("WorldTable", "%1面  %2件");
// The same for a stage pack's course, by its name.
inline constexpr const char* kPackBoardTitle = QT_TRANSLATE_NOOP("WorldTable", "%1  %2件");
inline constexpr const char* kOwnPlace = QT_TRANSLATE_NOOP("WorldTable", "あなたの順位: %1位");
inline constexpr const char* kNoOwnPlace =
    QT_TRANSLATE_NOOP("WorldTable", "あなたの走行はまだありません。");
inline constexpr const char* kRank = QT_TRANSLATE_NOOP("WorldTable", "順位");
inline constexpr const char* kTime = QT_TRANSLATE_NOOP("WorldTable", "タイム");
inline constexpr const char* kName = QT_TRANSLATE_NOOP("WorldTable", "名前");
inline constexpr const char* kWhen = QT_TRANSLATE_NOOP("WorldTable", "日時");
inline constexpr const char* kPrevious = QT_TRANSLATE_NOOP("WorldTable", "前へ");
inline constexpr const char* kNext = QT_TRANSLATE_NOOP("WorldTable", "次へ");
inline constexpr const char* kRace = QT_TRANSLATE_NOOP("WorldTable", "この走行と競争");
inline constexpr const char* kClose = QT_TRANSLATE_NOOP("WorldTable", "閉じる");

inline QString Text(const char* text) {
    return QCoreApplication::translate(kContext, text);
}

// What to tell the player of an answer that was not the one hoped for.
inline QString Problem(const WorldAnswer& answer) {
    if (!answer.reached) {
        return Text(kUnreachable) + "\n" + answer.message;
    }
    const QString& code = answer.code;
    const char* text = code == "not_faster"                             ? kNotFaster
                       : code == "duplicate"                            ? kDuplicate
                       : code == "no_key" || code == "unknown_key"      ? kUnknownKey
                       : code == "name_not_key"                         ? kUnknownKey
                       : code == "name_taken"                           ? kNameTaken
                       : code.startsWith("name_")                       ? kNameUnfit
                       : code == "unknown_course"                       ? kUnknownCourse
                       : code == "time_not_driven"                      ? kWrongTime
                       : code == "rate_limited" || answer.status == 503 ? kBusy
                                                                        : nullptr;
    return text ? Text(text) : Text(kRefused) + "\n" + answer.message;
}

}  // namespace vantrell::desktop::world
