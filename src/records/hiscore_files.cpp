// Reading and writing a stage's record file (names and times as CR LF text, names in
// Shift-JIS) and its ten recording files.
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "io/atomic_save.h"
#include "io/file_guard.h"
#include "records/hiscore_table.h"

namespace vantrell {
namespace {

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

}  // namespace

void HiScoreTable::Load(int32_t stage) {
    std::vector<std::filesystem::path> stageFiles;
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        stageFiles.push_back(directory / RecordingFileName(stage, k));
    }
    stageFiles.push_back(directory / RecordFileName(stage));
    RecoverSave(directory / JournalFileName(stage), stageFiles, beforeSaveStep);

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

SaveReport HiScoreTable::Write(int32_t stage) {
    const std::string text = RecordFileText(*this);
    // The recordings are renamed first and the record file last: the times are what makes the
    // recordings a run.
    std::vector<FileToSave> files;
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        files.push_back({directory / RecordingFileName(stage, k), entries[k].recording});
    }
    files.push_back({directory / RecordFileName(stage), BytesOf(text)});
    SaveReport report;
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
