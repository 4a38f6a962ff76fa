// Reading and writing a stage's record file (names and times as CR LF text, names in
// Shift-JIS) and its ten recording files.
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "io/file_guard.h"
#include "records/hiscore_table.h"
#include "records/shift_jis.h"

namespace vantrell {
namespace {

const std::string kSaveQuestion = "ハイスコアデータをセーブしますか？";
const std::string kSaveCaption = "スコアデータのセーブ";
const std::string kSaveFailedText = "ハイスコアデータを保存できませんでした。";
const std::string kSaveFailedAdvice = "ゲームのフォルダに書き込めるか確かめてください。";

// Longer lines are never written by the game; keeping this much of one is plenty to find the
// name's first 15 bytes or a time's digits.
constexpr std::size_t kLineKeep = 255;

// One line up to its LF; a CR just before the LF is not part of it. Bytes past kLineKeep are
// skipped, so an overlong line never shifts the lines after it. False when the file ended
// before the line began.
bool ReadLine(std::FILE* file, std::string& line) {
    line.clear();
    int c = std::fgetc(file);
    if (c == EOF) {
        return false;
    }
    bool pendingCr = false;
    while (c != EOF && c != '\n') {
        if (pendingCr && line.size() < kLineKeep) {
            line += '\r';
        }
        pendingCr = (c == '\r');
        if (!pendingCr && line.size() < kLineKeep) {
            line += static_cast<char>(c);
        }
        c = std::fgetc(file);
    }
    if (pendingCr && c == EOF && line.size() < kLineKeep) {
        line += '\r';
    }
    return true;
}

// A name line as the game reads it: up to a NUL, at most 15 bytes without splitting a
// double-byte character.
std::string NameFromLine(std::string_view line) {
    const std::size_t nul = line.find('\0');
    if (nul != std::string_view::npos) {
        line = line.substr(0, nul);
    }
    return DecodeShiftJis(CutShiftJis(line, kNameBytes));
}

// Decimal value as the C library reads it (leading blanks, a sign, digits up to the first
// non-digit, none gives 0), except that it saturates instead of overflowing and a negative
// time, which no run can have, reads as 0.
int32_t TimeFromLine(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || (line[i] >= '\t' && line[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-')) {
        negative = line[i] == '-';
        ++i;
    }
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    int64_t value = 0;
    for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
        value = value * 10 + (line[i] - '0');
        if (value > kMax) {
            value = kMax;
        }
    }
    return negative ? 0 : static_cast<int32_t>(value);
}

// Reads what the file holds, up to 2400 bytes; a short file leaves the rest as it was (zero).
void ReadRecording(const std::filesystem::path& path, Recording& recording) {
    const FileGuard file = OpenFile(path, "rb");
    if (file) {
        std::fread(recording.data(), 1, recording.size(), file.get());
    }
}

std::string RecordFileText(const HiScoreTable& table) {
    std::string text;
    for (const HiScoreEntry& entry : table.entries) {
        // The name in memory is already fit for the file; this guards the line structure even
        // if someone filled the field by hand.
        std::string name(CutShiftJis(EncodeShiftJis(entry.name), kNameBytes));
        for (char& c : name) {
            if (c == '\0' || c == '\n' || c == '\r') {
                c = '?';
            }
        }
        char time[16];
        std::snprintf(time, sizeof time, "%5d", static_cast<int>(entry.time));
        text += name + "\r\n" + time + "\r\n";
    }
    return text;
}

using StepHook = std::function<bool(SaveStep, const std::filesystem::path&)>;

bool Allowed(const StepHook& hook, SaveStep step, const std::filesystem::path& path) {
    return !hook || hook(step, path);
}

bool WriteWhole(const std::filesystem::path& path, const void* data, std::size_t size,
                const StepHook& hook) {
    if (!Allowed(hook, SaveStep::Create, path)) {
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    bool ok = Allowed(hook, SaveStep::Write, path);
    const std::size_t part = ok ? size : size / 2;  // a full disk takes only part of the data
    ok = std::fwrite(data, 1, part, file) == size && ok;
    ok = Allowed(hook, SaveStep::Flush, path) && ok;
    ok = std::fflush(file) == 0 && ok;
    ok = fsync(fileno(file)) == 0 && ok;  // the data is on disk before the rename shows it
    ok = Allowed(hook, SaveStep::Close, path) && ok;
    ok = std::fclose(file) == 0 && ok;
    return ok;
}

struct PendingFile {
    std::filesystem::path target;
    std::filesystem::path temporary;
    const void* data;
    std::size_t size;
};

std::filesystem::path Beside(const std::filesystem::path& target) {
    std::filesystem::path temporary = target;
    temporary += ".tmp";
    return temporary;
}

bool Rename(const PendingFile& file, const StepHook& hook) {
    if (!Allowed(hook, SaveStep::Rename, file.temporary)) {
        return false;
    }
    std::error_code error;
    std::filesystem::rename(file.temporary, file.target, error);
    return !error;
}

void RemoveTemporaries(const std::vector<PendingFile>& files) {
    std::error_code ignored;
    for (const PendingFile& file : files) {
        std::filesystem::remove(file.temporary, ignored);
    }
}

}  // namespace

void HiScoreTable::Load(int32_t stage) {
    changed = false;
    for (HiScoreEntry& entry : entries) {
        entry.recording.fill(0);
    }
    const FileGuard file = OpenFile(directory / RecordFileName(stage), "rb");
    if (!file) {
        FillEmpty();
        defaultName = kDefaultNameEmpty;
        return;
    }
    std::string nameLine;
    std::string timeLine;
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        HiScoreEntry& entry = entries[k];
        entry.isNew = false;
        if (ReadLine(file.get(), nameLine) && ReadLine(file.get(), timeLine)) {
            entry.name = NameFromLine(nameLine);
            entry.time = TimeFromLine(timeLine);
            ReadRecording(directory / RecordingFileName(stage, k), entry.recording);
        } else {
            // The file ended early: this slot has no run of its own, so it is an empty entry,
            // whatever an old recording file beside may hold.
            entry.name = kEmptyName;
            entry.time = kEmptyTime;
        }
    }
    defaultName = kDefaultNameEmpty;
    Rank();
}

SaveResult HiScoreTable::Save(Dialogs& dialogs, int32_t stage) {
    if (!changed) {
        return SaveResult::Unchanged;
    }
    if (!dialogs.AskYesNo(kSaveQuestion, kSaveCaption)) {
        return SaveResult::Declined;
    }

    const std::string text = RecordFileText(*this);
    std::vector<PendingFile> files;
    const std::filesystem::path record = directory / RecordFileName(stage);
    files.push_back({record, Beside(record), text.data(), text.size()});
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        const std::filesystem::path path = directory / RecordingFileName(stage, k);
        files.push_back({path, Beside(path), entries[k].recording.data(), kRecordingBytes});
    }

    // Every file is written whole beside its target before any target is touched, so a full
    // disk or a missing folder leaves the old set of files as it was.
    const PendingFile* failed = nullptr;
    for (const PendingFile& file : files) {
        if (!WriteWhole(file.temporary, file.data, file.size, beforeSaveStep)) {
            failed = &file;
            break;
        }
    }
    // The record file goes first: if it cannot be replaced, no recording is either.
    if (failed == nullptr && !Rename(files.front(), beforeSaveStep)) {
        failed = &files.front();
    }
    if (failed == nullptr) {
        for (std::size_t i = 1; i < files.size(); ++i) {
            if (!Rename(files[i], beforeSaveStep) && failed == nullptr) {
                failed = &files[i];
            }
        }
    }
    if (failed == nullptr) {
        return SaveResult::Written;
    }
    const std::string failedName = failed->target.filename().string();
    RemoveTemporaries(files);
    // `changed` stays set, so the question comes again at the next chance to save.
    dialogs.ShowMessage(kSaveFailedText + "\n" + failedName + "\n" + kSaveFailedAdvice,
                        kSaveCaption);
    return SaveResult::Failed;
}

}  // namespace vantrell
