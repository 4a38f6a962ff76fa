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

void SaveTable(HiScoreTable& table) {
    FUZZ_CHECK(table.Write(0).written);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::filesystem::path dir = fuzz::ScratchDir();
    // Every run starts from an empty folder: a save keeps the files it could not read aside.
    for (const auto& item : std::filesystem::directory_iterator(dir)) {
        std::error_code ignored;
        std::filesystem::remove(item.path(), ignored);
    }
    fuzz::WriteFile(dir / HiScoreTable::RecordFileName(0), data, size);

    HiScoreTable first(dir);
    first.Load(0);
    CheckTable(first);
    FUZZ_CHECK(!first.changed);

    SaveTable(first);
    const std::vector<uint8_t> written = fuzz::ReadFile(dir / HiScoreTable::RecordFileName(0));
    HiScoreTable second(dir);
    second.Load(0);
    CheckTable(second);
    FUZZ_CHECK(second.LoadProblem().empty());
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        FUZZ_CHECK(second.entries[k].time == first.entries[k].time);
        FUZZ_CHECK(second.entries[k].recording == first.entries[k].recording);
    }
    FUZZ_CHECK(second.rankOrder == first.rankOrder);

    SaveTable(second);
    FUZZ_CHECK(fuzz::ReadFile(dir / HiScoreTable::RecordFileName(0)) == written);
    return 0;
}
