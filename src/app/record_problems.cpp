#include "app/record_problems.h"

#include <cstdio>

#include "platform/ui_text.h"
#include "records/hiscore_table.h"

namespace vantrell {
namespace {

// A file of random bytes can break every line; the player needs only the first few faults.
constexpr std::size_t kProblemsShown = 6;

// Context "Messages" for the translation tools.
std::string Text(const char* text) {
    return UiText("Messages", text);
}

const char* LineFaultText(RecordFault fault) {
    switch (fault) {
        case RecordFault::LineTooLong:
            return VT_TRANSLATE_NOOP("Messages", "15バイトより長い行です");
        case RecordFault::NulInName:
            return VT_TRANSLATE_NOOP("Messages", "名前にNULがあります");
        case RecordFault::TimeNoDigits:
            return VT_TRANSLATE_NOOP("Messages", "タイムに数字がありません");
        case RecordFault::TimeNegative:
            return VT_TRANSLATE_NOOP("Messages", "タイムが負の数です");
        case RecordFault::TimeOtherCharacters:
            return VT_TRANSLATE_NOOP("Messages", "タイムに数字以外の文字があります");
        case RecordFault::TimeTooLarge:
            return VT_TRANSLATE_NOOP("Messages", "タイムが大きすぎます");
        case RecordFault::TimeNotAligned:
            return VT_TRANSLATE_NOOP("Messages", "タイムの桁揃えが違います");
        default:
            return "";
    }
}

std::string What(const RecordProblem& problem) {
    char what[512];
    switch (problem.fault) {
        case RecordFault::TooFewLines:
            std::snprintf(
                what, sizeof what,
                Text(VT_TRANSLATE_NOOP("Messages", "%d行しかありません（%d行のはず）")).c_str(),
                static_cast<int>(problem.count), static_cast<int>(kRecordFileLines));
            break;
        case RecordFault::RecordingShort:
            std::snprintf(
                what, sizeof what,
                Text(VT_TRANSLATE_NOOP("Messages", "%zuバイトしかありません（%dバイトのはず）"))
                    .c_str(),
                static_cast<std::size_t>(problem.count), static_cast<int>(kRecordingBytes));
            break;
        case RecordFault::RecordingLong:
            std::snprintf(
                what, sizeof what,
                Text(VT_TRANSLATE_NOOP("Messages", "%dバイトより長いファイルです")).c_str(),
                static_cast<int>(kRecordingBytes));
            break;
        case RecordFault::SaveNotFinished:
            std::snprintf(what, sizeof what,
                          Text(VT_TRANSLATE_NOOP(
                                   "Messages", "前回のセーブを最後まで終えられませんでした（%s）"))
                              .c_str(),
                          problem.reason.c_str());
            break;
        default:
            std::snprintf(
                what, sizeof what, Text(VT_TRANSLATE_NOOP("Messages", "%d行目: %s")).c_str(),
                static_cast<int>(problem.line), Text(LineFaultText(problem.fault)).c_str());
            break;
    }
    return problem.file + ": " + what;
}

void AddLine(std::string& text, const std::string& line) {
    if (!text.empty()) {
        text += '\n';
    }
    text += line;
}

}  // namespace

std::string DescribeRecordProblems(const std::vector<RecordProblem>& problems) {
    // A save left unfinished is told first and always; the faults of the files after it.
    std::string text;
    std::size_t faults = 0;
    for (const RecordProblem& problem : problems) {
        if (problem.fault == RecordFault::SaveNotFinished) {
            AddLine(text, What(problem));
        }
    }
    for (const RecordProblem& problem : problems) {
        if (problem.fault != RecordFault::SaveNotFinished && ++faults <= kProblemsShown) {
            AddLine(text, What(problem));
        }
    }
    if (faults > kProblemsShown) {
        char more[64];
        std::snprintf(more, sizeof more,
                      Text(VT_TRANSLATE_NOOP("Messages", "\nほかに%zu件")).c_str(),
                      faults - kProblemsShown);
        text += more;
    }
    return text;
}

}  // namespace vantrell
