#include "records/hiscore_table.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace vantrell {

namespace {

int32_t ClampPosition(int32_t position) {
    return std::clamp(position, kRankWorst, kRankBest);
}

}  // namespace

HiScoreTable::HiScoreTable(std::filesystem::path directory) : directory_(std::move(directory)) {}

void HiScoreTable::Rank() {
    std::array<bool, kHiScoreSlots> placed{};
    for (int32_t p = 0; p < kHiScoreSlots; ++p) {
        int32_t pick = -1;
        for (int32_t k = 0; k < kHiScoreSlots; ++k) {
            // ">=" while counting upwards: among equal times the highest slot is taken first.
            if (!placed[k] && (pick < 0 || entries_[k].time >= entries_[pick].time)) {
                pick = k;
            }
        }
        placed[pick] = true;
        rankOrder_[p] = pick;
    }
    worstTime_ = entries_[rankOrder_[0]].time;
}

const uint8_t* HiScoreTable::RecordingAt(int32_t position) const {
    return entries_[rankOrder_[ClampPosition(position)]].recording.data();
}

const HiScoreEntry& HiScoreTable::AtRank(int32_t rank) const {
    return entries_[rankOrder_[ClampPosition(kHiScoreSlots - rank)]];
}

std::optional<int32_t> HiScoreTable::RankHolding(int32_t time, const Recording& recording) const {
    for (int32_t p = kRankBest; p >= kRankWorst; --p) {
        const HiScoreEntry& entry = entries_[rankOrder_[p]];
        if (entry.time == time && entry.recording == recording) {
            return kHiScoreSlots - p;
        }
    }
    return std::nullopt;
}

OfferResult HiScoreTable::Offer(const OfferedRun& run) {
    Rank();
    OfferResult result;
    result.worstTime = worstTime_;
    if (run.refuseHeld) {
        if (const std::optional<int32_t> held = RankHolding(run.time, run.recording)) {
            result.outcome = OfferOutcome::AlreadyHeld;
            result.rank = *held;
            return result;
        }
    }
    if (run.time >= worstTime_) {
        result.outcome = OfferOutcome::NotFaster;
        return result;
    }
    // The worst entry's slot (among equal worst times the highest) takes the run.
    const int32_t slot = rankOrder_[kRankWorst];
    HiScoreEntry& entry = entries_[slot];
    entry.time = run.time;
    entry.recording = run.recording;
    entry.isNew = true;
    if (run.name) {
        entry.name = *run.name;
    }
    changed_ = true;
    Rank();
    result.outcome = OfferOutcome::Entered;
    const auto at = std::find(rankOrder_.begin(), rankOrder_.end(), slot);
    result.rank = kHiScoreSlots - static_cast<int32_t>(at - rankOrder_.begin());
    return result;
}

void HiScoreTable::NameRun(int32_t rank, std::string storedName) {
    const int32_t slot = rankOrder_[ClampPosition(kHiScoreSlots - rank)];
    entries_[slot].name = std::move(storedName);
    defaultName_ = slot;
}

void HiScoreTable::FillEmpty() {
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        HiScoreEntry& entry = entries_[k];
        entry.time = kEmptyTime;
        entry.isNew = false;
        entry.name = kEmptyName;
        entry.recording.fill(0);
        rankOrder_[k] = k;
    }
}

void HiScoreTable::ClearNewMarks() {
    for (HiScoreEntry& entry : entries_) {
        entry.isNew = false;
    }
}

void HiScoreTable::ChooseOpponent(const std::array<bool, kHiScoreSlots>& itemSelected) {
    // Visit the slot numbers from the best position down and take the first whose item 9 - s
    // is selected; s is then taken as the rank position of that item. With one item k selected
    // this gives 9 - k.
    for (int32_t p = kRankBest; p >= kRankWorst; --p) {
        const int32_t s = rankOrder_[p];
        if (itemSelected[kHiScoreSlots - 1 - s]) {
            opponentPosition_ = s;
            return;
        }
    }
    // Nothing selected: race the fastest run rather than an arbitrary one.
    opponentPosition_ = kRankBest;
}

const std::string& HiScoreTable::DefaultNameText() const {
    static const std::string kEmptyText;
    if (defaultName_ < 0 || defaultName_ >= kHiScoreSlots) {
        return kEmptyText;
    }
    return entries_[defaultName_].name;
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
