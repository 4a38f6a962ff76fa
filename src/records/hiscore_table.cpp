#include "records/hiscore_table.h"

#include <cstdio>
#include <utility>

namespace vantrell {

HiScoreTable::HiScoreTable(std::filesystem::path directory) : directory(std::move(directory)) {}

void HiScoreTable::Rank() {
    std::array<bool, kHiScoreSlots> placed{};
    for (int32_t p = 0; p < kHiScoreSlots; ++p) {
        int32_t pick = -1;
        for (int32_t k = 0; k < kHiScoreSlots; ++k) {
            // ">=" while counting upwards: among equal times the highest slot is taken first.
            if (!placed[k] && (pick < 0 || entries[k].time >= entries[pick].time)) {
                pick = k;
            }
        }
        placed[pick] = true;
        rankOrder[p] = pick;
    }
    worstTime = entries[rankOrder[0]].time;
}

const uint8_t* HiScoreTable::RecordingAt(int32_t position) const {
    if (position < 0) {
        position = 0;
    } else if (position >= kHiScoreSlots) {
        position = kHiScoreSlots - 1;
    }
    int32_t slot = rankOrder[position];
    if (slot < 0 || slot >= kHiScoreSlots) {
        slot = position;  // rankOrder is public; never index outside the slots
    }
    return entries[slot].recording.data();
}

void HiScoreTable::FillEmpty() {
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        HiScoreEntry& entry = entries[k];
        entry.time = kEmptyTime;
        entry.isNew = false;
        entry.name = kEmptyName;
        entry.recording.fill(0);
        rankOrder[k] = k;
    }
}

const std::string& HiScoreTable::DefaultNameText() const {
    static const std::string kEmptyText;
    if (defaultName < 0 || defaultName >= kHiScoreSlots) {
        return kEmptyText;
    }
    return entries[defaultName].name;
}

// Built with snprintf: GCC 12 warns falsely on "literal" + std::string chains.
std::string HiScoreTable::RecordFileName(int32_t stage) {
    char name[32];
    std::snprintf(name, sizeof name, "VANREC%d.DAT", static_cast<int>(stage));
    return name;
}

std::string HiScoreTable::RecordingFileName(int32_t stage, int32_t slot) {
    char name[40];
    std::snprintf(name, sizeof name, "S%dN%d.JOY", static_cast<int>(stage), static_cast<int>(slot));
    return name;
}

std::string HiScoreTable::JournalFileName(int32_t stage) {
    char name[32];
    std::snprintf(name, sizeof name, "VANREC%d.JNL", static_cast<int>(stage));
    return name;
}

}  // namespace vantrell
