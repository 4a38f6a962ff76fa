// A scratch game folder per test and small file helpers for the record tests.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "records/hiscore_table.h"

namespace vantrell::test {

class TempGameDir {
  public:
    TempGameDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vantrell-rec-XXXXXX");
        if (mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~TempGameDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempGameDir(const TempGameDir&) = delete;
    TempGameDir& operator=(const TempGameDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// prefix followed by the number; appended, since GCC 12 warns falsely on "literal" + string.
inline std::string Numbered(const std::string& prefix, int number) {
    std::string out = prefix;
    out += std::to_string(number);
    return out;
}

inline std::string AsBytes(const Recording& recording) {
    return std::string(reinterpret_cast<const char*>(recording.data()), recording.size());
}

// A recording whose bytes tell where they came from: byte i is (seed + i) mod 256.
inline Recording Pattern(uint8_t seed) {
    Recording recording{};
    for (std::size_t i = 0; i < recording.size(); ++i) {
        recording[i] = static_cast<uint8_t>(seed + i);
    }
    return recording;
}

// One slot of a record file: the name's stored bytes, the time and the recording.
struct SlotRun {
    std::string name = kEmptyName;
    int32_t time = kEmptyTime;
    Recording recording{};
};

// The files of a table whose slot k holds slots[k] (the rest empty), as a save writes them.
inline RecordBytes FilesOf(const std::vector<SlotRun>& slots) {
    RecordBytes files;
    std::string text;
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        const SlotRun run = k < static_cast<int32_t>(slots.size()) ? slots[k] : SlotRun{};
        char time[16];
        std::snprintf(time, sizeof time, "%5d", static_cast<int>(run.time));
        text += run.name + "\r\n" + time + "\r\n";
        files.recordings[k].emplace(run.recording.begin(), run.recording.end());
    }
    files.record.emplace(text.begin(), text.end());
    return files;
}

// A table of stage 0 read from those files, in `dir` (where a Write would put them).
inline HiScoreTable TableOf(const std::vector<SlotRun>& slots,
                            const std::filesystem::path& dir = ".") {
    HiScoreTable table(dir);
    table.Load(0, FilesOf(slots));
    return table;
}

// The table's entries, best first.
inline std::vector<HiScoreEntry> BestFirst(const HiScoreTable& table) {
    std::vector<HiScoreEntry> entries;
    for (int32_t rank = 1; rank <= kHiScoreSlots; ++rank) {
        entries.push_back(table.AtRank(rank));
    }
    return entries;
}

// Slot k of a table as its files would hold it.
inline SlotRun SlotOf(const HiScoreTable& table, int32_t slot) {
    const RecordBytes files = table.SavedBytes();
    const std::string text(files.record->begin(), files.record->end());
    std::size_t at = 0;
    std::vector<std::string> lines;
    while (at < text.size()) {
        const std::size_t end = text.find("\r\n", at);
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    SlotRun run;
    run.name = lines[static_cast<std::size_t>(2 * slot)];
    run.time = std::stoi(lines[static_cast<std::size_t>(2 * slot + 1)]);
    std::copy(files.recordings[slot]->begin(), files.recordings[slot]->end(),
              run.recording.begin());
    return run;
}

// The slot that holds the run shown at `rank` (matched by name, time and recording).
inline int32_t SlotOfRank(const HiScoreTable& table, int32_t rank) {
    const HiScoreEntry& entry = table.AtRank(rank);
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        const SlotRun slot = SlotOf(table, k);
        if (slot.name == entry.name && slot.time == entry.time &&
            slot.recording == entry.recording) {
            return k;
        }
    }
    return -1;
}

// Empties the place of the run at `rank` in a stage's files in `dir`, as a reset of that one
// entry would; the other files keep their bytes. Returns the emptied run.
inline HiScoreEntry EmptyRankOnDisk(const std::filesystem::path& dir, int32_t stage, int32_t rank) {
    HiScoreTable table(dir);
    table.Load(stage);
    const HiScoreEntry run = table.AtRank(rank);
    const int32_t emptied = SlotOfRank(table, rank);
    std::vector<SlotRun> slots;
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        slots.push_back(k == emptied ? SlotRun{} : SlotOf(table, k));
    }
    const RecordBytes files = FilesOf(slots);
    WriteBytes(dir / HiScoreTable::RecordFileName(stage),
               std::string(files.record->begin(), files.record->end()));
    WriteBytes(dir / HiScoreTable::RecordingFileName(stage, emptied),
               std::string(kRecordingBytes, '\0'));
    return run;
}

}  // namespace vantrell::test
