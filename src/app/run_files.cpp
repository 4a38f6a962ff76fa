#include "app/run_files.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/ui_text.h"
#include "race/course_digest.h"
#include "race/headless_race.h"
#include "race/run_check.h"
#include "records/hiscore_dialogs.h"

namespace vantrell {

namespace {

// Context "Messages" for the translation tools.
constexpr char kRunFileCaption[] = VT_TRANSLATE_NOOP("Messages", "走行ファイル");
constexpr char kRunUnreadable[] = VT_TRANSLATE_NOOP("Messages", "走行ファイルとして読めません。");
constexpr char kFileEmpty[] = VT_TRANSLATE_NOOP("Messages", "空のファイルです。");
constexpr char kNotARunFile[] =
    VT_TRANSLATE_NOOP("Messages", "このゲームの走行ファイルではありません。");
// The run's stage, then the current one, as the menu numbers them.
constexpr char kRunOtherStage[] = VT_TRANSLATE_NOOP(
    "Messages", "%d面の走行です。いまは%d面です。その面を選んでから読み込んでください。");
constexpr char kRunOtherCourse[] = VT_TRANSLATE_NOOP(
    "Messages", "別のコースで記録された走行です。この面のファイルが記録時と異なります。");
constexpr char kCourseUnreadable[] =
    VT_TRANSLATE_NOOP("Messages", "この面のファイルが読めません。");
constexpr char kRunWrongTime[] =
    VT_TRANSLATE_NOOP("Messages", "この走行は記録されたタイム（%d）で走りきれません。");
// The run's time, then rank 10's.
constexpr char kRunNotFaster[] = VT_TRANSLATE_NOOP(
    "Messages", "この走行（TIME:%d）は10位（TIME:%d）より速くないため、記録に入りません。");
constexpr char kRunAlreadyIn[] = VT_TRANSLATE_NOOP("Messages", "この走行はすでに記録にあります。");
constexpr char kRunEmpty[] = VT_TRANSLATE_NOOP("Messages", "空の記録は書き出せません。");
constexpr char kRunNotWritten[] =
    VT_TRANSLATE_NOOP("Messages", "走行ファイルを書き出せませんでした。");
constexpr char kRunWritten[] = VT_TRANSLATE_NOOP("Messages", "走行ファイルを書き出しました。");

std::string Text(const char* text) {
    return UiText("Messages", text);
}

std::string Format(const char* text, int32_t a, int32_t b = 0) {
    char line[400];
    std::snprintf(line, sizeof line, Text(text).c_str(), static_cast<int>(a), static_cast<int>(b));
    return line;
}

void Tell(Dialogs& dialogs, const std::filesystem::path& file, const std::string& text) {
    dialogs.ShowMessage(file.filename().string() + "\n" + text, Text(kRunFileCaption));
}

}  // namespace

void ExportRunFile(Dialogs& dialogs, HiScoreTable& table, const std::filesystem::path& dataDir,
                   int32_t stage) {
    const std::optional<ListSelection> chosen = dialogs.ChooseRunToExport(ChoiceLines(table));
    if (!chosen) {
        return;
    }
    // Item 0 is rank 1; with several selected the best of them, with none the best run.
    const auto first = std::find(chosen->begin(), chosen->end(), true);
    const int32_t item = first == chosen->end() ? 0 : static_cast<int32_t>(first - chosen->begin());
    const HiScoreEntry& entry = table.AtRank(item + 1);
    const std::string suggested =
        "stage" + std::to_string(stage + 1) + "-rank" + std::to_string(item + 1) + ".run";
    if (entry.Empty()) {
        Tell(dialogs, suggested, Text(kRunEmpty));
        return;
    }
    if (HeadlessRace race(dataDir, stage); !DriveAndCompare(race, entry.time, entry.recording).ok) {
        Tell(dialogs, suggested, Format(kRunWrongTime, entry.time));
        return;
    }
    std::string reason;
    const std::optional<Sha256Digest> course = CourseDigest(dataDir, stage, &reason);
    if (!course) {
        Tell(dialogs, suggested, Text(kCourseUnreadable) + "\n" + reason);
        return;
    }
    const std::vector<uint8_t> bytes =
        WriteRunFile({stage, *course, entry.name, entry.time, entry.recording});
    const std::optional<SavedFile> saved = dialogs.SaveFile(FileKind::Run, suggested, bytes);
    if (saved && !saved->problem.empty()) {
        Tell(dialogs, saved->where, Text(kRunNotWritten) + "\n" + saved->problem);
    } else if (saved) {
        // Where it went, in full: the player has to find it to share it.
        dialogs.ShowMessage(Text(kRunWritten) + "\n" + saved->where, Text(kRunFileCaption));
    }
}

std::optional<RunFile> OpenRunFile(Dialogs& dialogs, const std::filesystem::path& dataDir,
                                   int32_t stage) {
    const std::optional<OpenedFile> opened = dialogs.OpenFile(FileKind::Run);
    if (!opened) {
        return std::nullopt;
    }
    const std::filesystem::path file = opened->name;
    if (!opened->problem.empty()) {
        Tell(dialogs, file, Text(kRunUnreadable) + "\n" + opened->problem);
        return std::nullopt;
    }
    // Something else altogether gets plain words; a run file that is damaged, the reason.
    if (opened->bytes.empty() || !BeginsAsRunFile(opened->bytes)) {
        Tell(dialogs, file, Text(opened->bytes.empty() ? kFileEmpty : kNotARunFile));
        return std::nullopt;
    }
    RunFileRead read = ReadRunFile(opened->bytes);
    if (!read.run) {
        Tell(dialogs, file, Text(kRunUnreadable) + "\n" + read.problem);
        return std::nullopt;
    }
    const RunFile& run = *read.run;
    std::string reason;
    const std::optional<Sha256Digest> course = CourseDigest(dataDir, stage, &reason);
    if (!course) {
        Tell(dialogs, file, Text(kCourseUnreadable) + "\n" + reason);
        return std::nullopt;
    }
    // The course decides, not the stage number: a stage pack made from a built-in stage's
    // design takes that stage's runs, and its own carry stage 0.
    if (*course != run.course) {
        Tell(dialogs, file,
             run.stage != stage ? Format(kRunOtherStage, run.stage + 1, stage + 1)
                                : Text(kRunOtherCourse));
        return std::nullopt;
    }
    if (HeadlessRace race(dataDir, stage); !DriveAndCompare(race, run.time, run.recording).ok) {
        Tell(dialogs, file, Format(kRunWrongTime, run.time));
        return std::nullopt;
    }
    return std::move(read.run);
}

void ImportRunFile(Dialogs& dialogs, HiScoreTable& table, const std::filesystem::path& dataDir,
                   int32_t stage) {
    const std::optional<RunFile> run = OpenRunFile(dialogs, dataDir, stage);
    if (!run) {
        return;
    }
    // Entered as a raced run would be; the name is the one the file carries.
    const OfferResult offer =
        table.Offer({.time = run->time, .recording = run->recording, .name = run->name});
    switch (offer.outcome) {
        case OfferOutcome::AlreadyHeld:
            dialogs.ShowMessage(Text(kRunAlreadyIn), Text(kRunFileCaption));
            return;
        case OfferOutcome::NotFaster:
            dialogs.ShowMessage(Format(kRunNotFaster, run->time, offer.worstTime),
                                Text(kRunFileCaption));
            return;
        case OfferOutcome::Entered:
            ShowHiScores(dialogs, table);
            return;
    }
}

std::optional<std::vector<uint8_t>> BestRunFileOf(const HiScoreTable& table,
                                                  const std::filesystem::path& dataDir,
                                                  int32_t stage, const std::string& name,
                                                  std::string* why) {
    for (int32_t rank = 1; rank <= kHiScoreSlots; ++rank) {
        const HiScoreEntry& entry = table.AtRank(rank);
        if (entry.Empty() || entry.name != name) {
            continue;
        }
        const std::optional<Sha256Digest> course = CourseDigest(dataDir, stage, why);
        if (!course) {
            return std::nullopt;
        }
        return WriteRunFile({stage, *course, entry.name, entry.time, entry.recording});
    }
    return std::nullopt;
}

}  // namespace vantrell
