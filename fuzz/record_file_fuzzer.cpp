// HiScoreTable::Load on any record file (VANREC<n>.DAT): every name fits the file's 15 bytes,
// every time is a time, the rank order is an arrangement of the ten slots. A table saved and
// loaded again reads back the same, finds nothing wrong, and saving that gives the same file.
#include <algorithm>

#include "fuzz_support.h"
#include "records/hiscore_table.h"

using namespace vantrell;

namespace {

void CheckTable(const HiScoreTable& table) {
    std::array<int32_t, kHiScoreSlots> order = table.rankOrder;
    std::sort(order.begin(), order.end());
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        FUZZ_CHECK(order[k] == k);
        const HiScoreEntry& entry = table.entries[k];
        FUZZ_CHECK(entry.name.size() <= kNameBytes);
        FUZZ_CHECK(entry.time >= 0);
        FUZZ_CHECK(!entry.isNew);
    }
    for (int32_t p = 1; p < kHiScoreSlots; ++p) {
        FUZZ_CHECK(table.entries[table.rankOrder[p - 1]].time >=
                   table.entries[table.rankOrder[p]].time);
    }
    FUZZ_CHECK(table.worstTime == table.entries[table.rankOrder[0]].time);
    for (int32_t p = 0; p < kHiScoreSlots; ++p) {
        FUZZ_CHECK(table.RecordingAt(p) == table.entries[table.rankOrder[p]].recording.data());
    }
}

// The record file as a save would write it, with the recordings the table holds.
RecordBytes Saved(const HiScoreTable& table) {
    RecordBytes files;
    const std::string text = table.RecordFileText();
    files.record.emplace(text.begin(), text.end());
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        const Recording& recording = table.entries[k].recording;
        files.recordings[k].emplace(recording.begin(), recording.end());
    }
    return files;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RecordBytes files;
    files.record.emplace(data, data + size);

    HiScoreTable first;
    first.Load(0, files);
    CheckTable(first);
    FUZZ_CHECK(!first.changed);

    const RecordBytes written = Saved(first);
    HiScoreTable second;
    second.Load(0, written);
    CheckTable(second);
    FUZZ_CHECK(second.LoadProblem().empty());
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        FUZZ_CHECK(second.entries[k].time == first.entries[k].time);
        FUZZ_CHECK(second.entries[k].recording == first.entries[k].recording);
    }
    FUZZ_CHECK(second.rankOrder == first.rankOrder);
    FUZZ_CHECK(Saved(second).record == written.record);
    return 0;
}
