// HiScoreTable::Load on any record file (VANREC<n>.DAT): every name fits the file's 15 bytes,
// every time is a time, the rank order is an arrangement of the ten slots. A table saved and
// loaded again reads back the same, finds nothing wrong, and saving that gives the same file.
#include <set>

#include "fuzz_support.h"
#include "records/hiscore_table.h"

using namespace vantrell;

namespace {

void CheckTable(const HiScoreTable& table) {
    std::set<const uint8_t*> places;
    for (int32_t rank = 1; rank <= kHiScoreSlots; ++rank) {
        const HiScoreEntry& entry = table.AtRank(rank);
        FUZZ_CHECK(entry.name.size() <= kNameBytes);
        FUZZ_CHECK(entry.time >= 0);
        FUZZ_CHECK(!entry.isNew);
        if (rank > 1) {
            FUZZ_CHECK(table.AtRank(rank - 1).time <= entry.time);
        }
        // Rank position 10 - rank is the same entry, and no two ranks share one.
        FUZZ_CHECK(table.RecordingAt(kHiScoreSlots - rank) == entry.recording.data());
        places.insert(entry.recording.data());
    }
    FUZZ_CHECK(places.size() == static_cast<size_t>(kHiScoreSlots));
    FUZZ_CHECK(table.WorstTime() == table.AtRank(kHiScoreSlots).time);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RecordBytes files;
    files.record.emplace(data, data + size);

    HiScoreTable first;
    first.Load(0, files);
    CheckTable(first);
    FUZZ_CHECK(!first.Changed());

    const RecordBytes written = first.SavedBytes();
    HiScoreTable second;
    FUZZ_CHECK(second.Load(0, written).empty());
    CheckTable(second);
    for (int32_t rank = 1; rank <= kHiScoreSlots; ++rank) {
        FUZZ_CHECK(second.AtRank(rank).time == first.AtRank(rank).time);
        FUZZ_CHECK(second.AtRank(rank).recording == first.AtRank(rank).recording);
    }
    const RecordBytes again = second.SavedBytes();
    FUZZ_CHECK(again.record == written.record);
    FUZZ_CHECK(again.recordings == written.recordings);
    return 0;
}
