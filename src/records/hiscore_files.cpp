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
#include "records/hiscore_table.h"

namespace vantrell {
namespace {

namespace fs = std::filesystem;

// Longer lines are never written by the game; keeping this much of one is plenty to find the
// name's first 15 bytes or a time's digits.
constexpr std::size_t kLineKeep = 255;
// The longest line the game writes: a name of kNameBytes, or a time.
constexpr std::size_t kLineLimit = kNameBytes;

constexpr std::string_view kKeptAsideSuffix = ".broken";

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

// A time line exactly as the game writes it ("%5d"): the value, or what is wrong with the line.
// Exactly, because a few bytes that happen to be digits are all it takes to make a line of
// random bytes look like a time.
std::optional<RecordFault> ParseTime(std::string_view line, int32_t& time) {
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
        return RecordFault::TimeNoDigits;
    }
    if (negative) {
        return RecordFault::TimeNegative;
    }
    if (i != line.size()) {
        return RecordFault::TimeOtherCharacters;
    }
    if (value > kMax) {
        return RecordFault::TimeTooLarge;
    }
    char written[16];
    std::snprintf(written, sizeof written, "%5d", static_cast<int>(value));
    if (line != written) {
        return RecordFault::TimeNotAligned;
    }
    time = static_cast<int32_t>(value);
    return std::nullopt;
}

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
                        std::vector<RecordProblem>& problems) {
    if (!size || *size == kRecordingBytes) {
        return false;  // a missing recording is no input at all, as the game always had it
    }
    if (*size < kRecordingBytes) {
        problems.push_back({.file = name,
                            .fault = RecordFault::RecordingShort,
                            .count = static_cast<int64_t>(*size)});
    } else {
        problems.push_back({.file = name, .fault = RecordFault::RecordingLong});
    }
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
    for (const HiScoreEntry& entry : entries_) {
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

RecordBytes HiScoreTable::SavedBytes() const {
    RecordBytes files;
    const std::string text = RecordFileText();
    files.record.emplace(text.begin(), text.end());
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        const Recording& recording = entries_[k].recording;
        files.recordings[k].emplace(recording.begin(), recording.end());
    }
    return files;
}

RecordBytes ReadRecordBytes(int32_t stage, const std::filesystem::path& directory) {
    RecordBytes files;
    files.record = ReadWholeFile(directory / HiScoreTable::RecordFileName(stage));
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        files.recordings[k] = ReadWholeFile(directory / HiScoreTable::RecordingFileName(stage, k));
    }
    return files;
}

std::vector<RecordProblem> HiScoreTable::Load(int32_t stage) {
    std::vector<fs::path> stageFiles;
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        stageFiles.push_back(directory_ / RecordingFileName(stage, k));
    }
    stageFiles.push_back(directory_ / RecordFileName(stage));
    const RecoveryResult recovery =
        RecoverSave(directory_ / JournalFileName(stage), stageFiles, beforeSaveStep_);
    std::vector<RecordProblem> problems = Load(stage, ReadRecordBytes(stage, directory_));
    if (recovery.failure) {
        problems.insert(problems.begin(), {.file = recovery.failure->path.filename().string(),
                                           .fault = RecordFault::SaveNotFinished,
                                           .reason = recovery.failure->error.message()});
    }
    return problems;
}

std::vector<RecordProblem> HiScoreTable::Load(int32_t stage, const RecordBytes& files) {
    keepAside_.clear();
    std::vector<RecordProblem> problems;
    changed_ = false;
    emptiedSinceLoad_ = false;
    defaultName_ = kDefaultNameEmpty;
    for (HiScoreEntry& entry : entries_) {
        entry.recording.fill(0);
    }
    const std::string recordName = RecordFileName(stage);
    if (!files.record) {
        FillEmpty();
        return problems;
    }
    bool recordFaulty = false;
    auto recordFault = [&](int32_t line, RecordFault fault) {
        problems.push_back({.file = recordName, .fault = fault, .line = line});
        recordFaulty = true;
    };
    std::string nameLine;
    std::string timeLine;
    std::size_t nameLength = 0;
    std::size_t timeLength = 0;
    int32_t linesRead = 0;
    LineReader lines(*files.record);
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        HiScoreEntry& entry = entries_[k];
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
                recordFault(nameLineNumber, RecordFault::LineTooLong);
            }
            if (nameLine.find('\0') != std::string::npos) {
                recordFault(nameLineNumber, RecordFault::NulInName);
            }
            if (timeLength > kLineLimit) {
                recordFault(nameLineNumber + 1, RecordFault::LineTooLong);
            }
            int32_t time = kEmptyTime;
            const std::optional<RecordFault> fault = ParseTime(timeLine, time);
            if (!fault) {
                run = true;
                entry.name = NameFromLine(nameLine);
                entry.time = time;
                const std::optional<std::size_t> size =
                    ReadRecording(files.recordings[k], entry.recording);
                if (CheckRecordingSize(recordingName, size, problems)) {
                    keepAside_.push_back(directory_ / recordingName);
                }
            } else {
                // Without a time the lines are no run, and racing their recording would be
                // racing garbage: the slot is empty.
                recordFault(nameLineNumber + 1, *fault);
            }
        }
        if (!run) {
            // The file ended early or the slot's lines are no run: an empty entry, whatever an
            // old recording file beside may hold.
            entry.name = kEmptyName;
            entry.time = kEmptyTime;
            entry.recording.fill(0);
            if (HoldsInput(files.recordings[k])) {
                keepAside_.push_back(directory_ / recordingName);
            }
        }
    }
    if (linesRead < kRecordFileLines) {
        problems.push_back(
            {.file = recordName, .fault = RecordFault::TooFewLines, .count = linesRead});
        recordFaulty = true;
    }
    if (recordFaulty) {
        keepAside_.push_back(directory_ / recordName);
    }
    Rank();
    return problems;
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
        files.push_back({directory_ / RecordingFileName(stage, k), entries_[k].recording});
    }
    files.push_back({directory_ / RecordFileName(stage), BytesOf(text)});
    const std::optional<SaveFailure> failure =
        SaveFiles(files, {.journal = directory_ / JournalFileName(stage), .hook = beforeSaveStep_});
    if (!failure) {
        report.written = true;
        return report;
    }
    report.file = failure->path.filename().string();
    report.reason = failure->error.message();
    return report;
}

}  // namespace vantrell
