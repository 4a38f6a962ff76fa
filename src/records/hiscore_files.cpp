// Reading and writing a stage's record file (names and times as CR LF text, names in
// Shift-JIS) and its ten recording files.
#include <algorithm>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "io/atomic_save.h"
#include "io/file_bytes.h"
#include "io/set_aside.h"
#include "platform/ui_text.h"
#include "records/hiscore_table.h"

namespace vantrell {
namespace {

namespace fs = std::filesystem;

// Longer lines are never written by the game; keeping this much of one is plenty to find the
// name's first 15 bytes or a time's digits.
constexpr std::size_t kLineKeep = 255;
// The longest line the game writes: a name of kNameBytes, or a time.
constexpr std::size_t kLineLimit = kNameBytes;
constexpr int32_t kRecordLines = 2 * kHiScoreSlots;
// A file of random bytes can break every line; the player needs only the first few faults.
constexpr std::size_t kProblemsShown = 6;

constexpr std::string_view kKeptAsideSuffix = ".broken";
constexpr char kLineTooLong[] = VT_TRANSLATE_NOOP("Messages", "15バイトより長い行です");

// The problems are told in the player's language (context "Messages").
std::string UiMessage(const char* text) {
    return UiText("Messages", text);
}

// Reads a file's lines front to back.
class LineReader {
  public:
    explicit LineReader(ByteSpan bytes) : bytes_(bytes) {}

    // One line up to its LF; a CR just before the LF is not part of it. Bytes past kLineKeep
    // are skipped, so an overlong line never shifts the lines after it; `length` counts them
    // all. False when the file ended before the line began.
    bool Next(std::string& line, std::size_t& length) {
        line.clear();
        length = 0;
        if (pos_ >= bytes_.size()) {
            return false;
        }
        std::size_t end = pos_;
        while (end < bytes_.size() && bytes_[end] != '\n') {
            ++end;
        }
        std::size_t contentEnd = end;
        if (end < bytes_.size() && contentEnd > pos_ && bytes_[contentEnd - 1] == '\r') {
            --contentEnd;  // the CR of a CR LF
        }
        length = contentEnd - pos_;
        const std::size_t kept = std::min(length, kLineKeep);
        line.assign(reinterpret_cast<const char*>(bytes_.data()) + pos_, kept);
        pos_ = end < bytes_.size() ? end + 1 : end;
        return true;
    }

  private:
    ByteSpan bytes_;
    std::size_t pos_ = 0;
};

enum class TimeFault { None, NoDigits, Negative, OtherCharacters, TooLarge, NotAligned };

// A time line exactly as the game writes it ("%5d"): the value, or what is wrong with the line.
// Exactly, because a few bytes that happen to be digits are all it takes to make a line of
// random bytes look like a time.
TimeFault ParseTime(std::string_view line, int32_t& time) {
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) {
            ++i;
        }
    };
    skipBlanks();
    const bool negative = i < line.size() && line[i] == '-';
    if (negative) {
        ++i;
    }
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    int64_t value = 0;
    const std::size_t digitsFrom = i;
    for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
        value = value * 10 + (line[i] - '0');
        if (value > kMax) {
            value = kMax + 1;
        }
    }
    const bool digits = i > digitsFrom;
    skipBlanks();
    if (!digits) {
        return TimeFault::NoDigits;
    }
    if (negative) {
        return TimeFault::Negative;
    }
    if (i != line.size()) {
        return TimeFault::OtherCharacters;
    }
    if (value > kMax) {
        return TimeFault::TooLarge;
    }
    char written[16];
    std::snprintf(written, sizeof written, "%5d", static_cast<int>(value));
    if (line != written) {
        return TimeFault::NotAligned;
    }
    time = static_cast<int32_t>(value);
    return TimeFault::None;
}

const char* TimeFaultText(TimeFault fault) {
    switch (fault) {
        case TimeFault::NoDigits:
            return VT_TRANSLATE_NOOP("Messages", "タイムに数字がありません");
        case TimeFault::Negative:
            return VT_TRANSLATE_NOOP("Messages", "タイムが負の数です");
        case TimeFault::OtherCharacters:
            return VT_TRANSLATE_NOOP("Messages", "タイムに数字以外の文字があります");
        case TimeFault::TooLarge:
            return VT_TRANSLATE_NOOP("Messages", "タイムが大きすぎます");
        case TimeFault::NotAligned:
            return VT_TRANSLATE_NOOP("Messages", "タイムの桁揃えが違います");
        case TimeFault::None:
            break;
    }
    return "";
}

// The faults of one load, and the files they were found in.
class Problems {
  public:
    void Add(const std::string& file, const std::string& what) {
        ++count_;
        if (count_ <= kProblemsShown) {
            if (!text_.empty()) {
                text_ += '\n';
            }
            text_ += file + ": " + what;
        }
    }
    void AddLine(const std::string& file, int32_t line, const char* what) {
        char text[160];
        std::snprintf(text, sizeof text,
                      UiMessage(VT_TRANSLATE_NOOP("Messages", "%d行目: %s")).c_str(),
                      static_cast<int>(line), UiMessage(what).c_str());
        Add(file, text);
    }
    std::string Text() const {
        if (count_ <= kProblemsShown) {
            return text_;
        }
        char more[64];
        std::snprintf(more, sizeof more,
                      UiMessage(VT_TRANSLATE_NOOP("Messages", "\nほかに%zu件")).c_str(),
                      count_ - kProblemsShown);
        return text_ + more;
    }

  private:
    std::string text_;
    std::size_t count_ = 0;
};

// Takes what the file holds, up to 2400 bytes; a short file leaves the rest as it was (zero).
// The file's size as far as it matters: nothing when missing, above 2400 when longer.
std::optional<std::size_t> ReadRecording(const std::optional<std::vector<uint8_t>>& file,
                                         Recording& recording) {
    if (!file) {
        return std::nullopt;
    }
    const std::size_t size = std::min(file->size(), recording.size() + 1);
    std::copy_n(file->begin(), std::min(size, recording.size()), recording.begin());
    return size;
}

// True when the recording file is there but not 2400 bytes long.
bool CheckRecordingSize(const std::string& name, std::optional<std::size_t> size,
                        Problems& problems) {
    if (!size || *size == kRecordingBytes) {
        return false;  // a missing recording is no input at all, as the game always had it
    }
    char what[96];
    if (*size < kRecordingBytes) {
        std::snprintf(
            what, sizeof what,
            UiMessage(VT_TRANSLATE_NOOP("Messages", "%zuバイトしかありません（%dバイトのはず）"))
                .c_str(),
            *size, static_cast<int>(kRecordingBytes));
    } else {
        std::snprintf(
            what, sizeof what,
            UiMessage(VT_TRANSLATE_NOOP("Messages", "%dバイトより長いファイルです")).c_str(),
            static_cast<int>(kRecordingBytes));
    }
    problems.Add(name, what);
    return true;
}

// A slot that reads as no run leaves its recording file without an entry; if that file holds
// any input, it is kept before a save writes zeros over it.
bool HoldsInput(const std::optional<std::vector<uint8_t>>& file) {
    if (!file) {
        return false;
    }
    const std::size_t kept = std::min<std::size_t>(file->size(), kRecordingBytes);
    return std::any_of(file->begin(), file->begin() + static_cast<std::ptrdiff_t>(kept),
                       [](uint8_t byte) { return byte != 0; });
}

}  // namespace

std::string HiScoreTable::RecordFileText() const {
    std::string text;
    for (const HiScoreEntry& entry : entries) {
        // Names read or entered are already fit for the file; this guards the line structure
        // even if someone filled the field by hand.
        std::string name;
        for (const char c : entry.name) {
            if (c != '\n') {
                name += c;
            }
        }
        char time[16];
        std::snprintf(time, sizeof time, "%5d", static_cast<int>(entry.time));
        text += NameFromLine(name) + "\r\n" + time + "\r\n";
    }
    return text;
}

RecordBytes ReadRecordBytes(int32_t stage, const std::filesystem::path& directory) {
    RecordBytes files;
    files.record = ReadWholeFile(directory / HiScoreTable::RecordFileName(stage));
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        files.recordings[k] = ReadWholeFile(directory / HiScoreTable::RecordingFileName(stage, k));
    }
    return files;
}

void HiScoreTable::Load(int32_t stage) {
    std::vector<fs::path> stageFiles;
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        stageFiles.push_back(directory / RecordingFileName(stage, k));
    }
    stageFiles.push_back(directory / RecordFileName(stage));
    const RecoveryResult recovery =
        RecoverSave(directory / JournalFileName(stage), stageFiles, beforeSaveStep);
    Load(stage, ReadRecordBytes(stage, directory));
    if (recovery.failure) {
        char what[512];
        std::snprintf(what, sizeof what,
                      UiMessage(VT_TRANSLATE_NOOP(
                                    "Messages", "前回のセーブを最後まで終えられませんでした（%s）"))
                          .c_str(),
                      recovery.failure->error.message().c_str());
        const std::string line = recovery.failure->path.filename().string() + ": " + what;
        loadProblem_ = loadProblem_.empty() ? line : line + "\n" + loadProblem_;
    }
}

void HiScoreTable::Load(int32_t stage, const RecordBytes& files) {
    loadProblem_.clear();
    keepAside_.clear();
    Problems problems;
    changed = false;
    emptiedSinceLoad = false;
    for (HiScoreEntry& entry : entries) {
        entry.recording.fill(0);
    }
    const std::string recordName = RecordFileName(stage);
    if (!files.record) {
        FillEmpty();
        defaultName = kDefaultNameEmpty;
        loadProblem_ = problems.Text();
        return;
    }
    bool recordFaulty = false;
    auto recordFault = [&](int32_t line, const char* what) {
        problems.AddLine(recordName, line, what);
        recordFaulty = true;
    };
    std::string nameLine;
    std::string timeLine;
    std::size_t nameLength = 0;
    std::size_t timeLength = 0;
    int32_t linesRead = 0;
    LineReader lines(*files.record);
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        HiScoreEntry& entry = entries[k];
        entry.isNew = false;
        const std::string recordingName = RecordingFileName(stage, k);
        const int32_t nameLineNumber = 2 * k + 1;
        bool run = false;
        if (linesRead == 2 * k && lines.Next(nameLine, nameLength)) {
            ++linesRead;
            if (lines.Next(timeLine, timeLength)) {
                ++linesRead;
            }
        }
        if (linesRead == 2 * k + 2) {
            if (nameLength > kLineLimit) {
                recordFault(nameLineNumber, kLineTooLong);
            }
            if (nameLine.find('\0') != std::string::npos) {
                recordFault(nameLineNumber, VT_TRANSLATE_NOOP("Messages", "名前にNULがあります"));
            }
            if (timeLength > kLineLimit) {
                recordFault(nameLineNumber + 1, kLineTooLong);
            }
            int32_t time = kEmptyTime;
            const TimeFault fault = ParseTime(timeLine, time);
            if (fault == TimeFault::None) {
                run = true;
                entry.name = NameFromLine(nameLine);
                entry.time = time;
                const std::optional<std::size_t> size =
                    ReadRecording(files.recordings[k], entry.recording);
                if (CheckRecordingSize(recordingName, size, problems)) {
                    keepAside_.push_back(directory / recordingName);
                }
            } else {
                // Without a time the lines are no run, and racing their recording would be
                // racing garbage: the slot is empty.
                recordFault(nameLineNumber + 1, TimeFaultText(fault));
            }
        }
        if (!run) {
            // The file ended early or the slot's lines are no run: an empty entry, whatever an
            // old recording file beside may hold.
            entry.name = kEmptyName;
            entry.time = kEmptyTime;
            entry.recording.fill(0);
            if (HoldsInput(files.recordings[k])) {
                keepAside_.push_back(directory / recordingName);
            }
        }
    }
    if (linesRead < kRecordLines) {
        char what[96];
        std::snprintf(
            what, sizeof what,
            UiMessage(VT_TRANSLATE_NOOP("Messages", "%d行しかありません（%d行のはず）")).c_str(),
            static_cast<int>(linesRead), static_cast<int>(kRecordLines));
        problems.Add(recordName, what);
        recordFaulty = true;
    }
    if (recordFaulty) {
        keepAside_.push_back(directory / recordName);
    }
    loadProblem_ = problems.Text();
    defaultName = kDefaultNameEmpty;
    Rank();
}

SaveReport HiScoreTable::Write(int32_t stage) {
    SaveReport report;
    // Whatever the player had in files this table could not read is kept before anything
    // replaces it; if that fails, nothing is written.
    while (!keepAside_.empty()) {
        std::error_code error;
        const std::optional<fs::path> kept = SetAside(keepAside_.front(), kKeptAsideSuffix, error);
        if (!kept && error != std::errc::no_such_file_or_directory) {
            report.file = keepAside_.front().filename().string();
            report.reason = error.message();
            return report;
        }
        if (kept) {
            report.keptAside.push_back(kept->filename().string());
        }
        keepAside_.erase(keepAside_.begin());
    }

    const std::string text = RecordFileText();
    // The recordings are renamed first and the record file last: the times are what makes the
    // recordings a run.
    std::vector<FileToSave> files;
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        files.push_back({directory / RecordingFileName(stage, k), entries[k].recording});
    }
    files.push_back({directory / RecordFileName(stage), BytesOf(text)});
    const std::optional<SaveFailure> failure =
        SaveFiles(files, {.journal = directory / JournalFileName(stage), .hook = beforeSaveStep});
    if (!failure) {
        report.written = true;
        return report;
    }
    report.file = failure->path.filename().string();
    report.reason = failure->error.message();
    return report;
}

}  // namespace vantrell
