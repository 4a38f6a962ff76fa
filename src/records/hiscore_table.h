// The current stage's ten best runs: driver's name, time in ticks and the input recording of
// each, kept in rank order, with the record and recording files they are kept in.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "io/atomic_save.h"
#include "records/record_names.h"
#include "records/record_problems.h"

namespace vantrell {

constexpr int32_t kHiScoreSlots = 10;
constexpr int32_t kRecordingBytes = 2400;  // one input byte per race tick
constexpr int32_t kEmptyTime = 2398;
constexpr int32_t kRecordFileLines = 2 * kHiScoreSlots;  // a name line and a time line a slot
inline constexpr char kEmptyName[] = "------";

using Recording = std::array<uint8_t, kRecordingBytes>;

// Rank positions as RecordingAt takes them: 0 is the worst run, 9 the best. The demonstration
// replays the second best on the first craft and the best on the second.
constexpr int32_t kRankWorst = 0;
constexpr int32_t kRankSecondBest = 8;
constexpr int32_t kRankBest = 9;

struct HiScoreEntry {
    std::string name = kEmptyName;  // Shift-JIS bytes as the record file holds them
    int32_t time = kEmptyTime;      // race ticks, smaller is better
    Recording recording{};
    bool isNew = false;  // filled by the run just finished and not yet shown highlighted

    // No run: the slot as an empty table or a reset leaves it.
    bool Empty() const { return name == kEmptyName && time == kEmptyTime; }
};

// What a write of a stage's files came to.
struct SaveReport {
    bool written = false;  // every file is on disk
    // On failure: the file it happened to (e.g. "S0N4.JOY") and the system's words for why.
    std::string file;
    std::string reason;
    // Files that were not well-formed when loaded, kept under these names (e.g.
    // "VANREC0.DAT.broken") before the write replaced them.
    std::vector<std::string> keptAside;
};

// The bytes of a stage's record file and its ten recording files; none for a file that could
// not be read.
struct RecordBytes {
    std::optional<std::vector<uint8_t>> record;
    std::array<std::optional<std::vector<uint8_t>>, kHiScoreSlots> recordings;
};

// Reads the record files of `stage` from `directory`.
RecordBytes ReadRecordBytes(int32_t stage, const std::filesystem::path& directory);

// A run handed to the table: a finished race, an imported run file, a run found in the files.
struct OfferedRun {
    int32_t time = 0;
    Recording recording{};
    // The driver's name as stored bytes; none keeps the place's old name until NameRun (the
    // finish asks for the name after the run has its place).
    std::optional<std::string> name{};
    // A run the table holds already (same time, same recording) is not entered twice. The
    // finish enters what was raced, whatever the table holds.
    bool refuseHeld = true;
};

enum class OfferOutcome {
    Entered,      // the run replaced the worst entry
    NotFaster,    // not strictly faster than the worst entry
    AlreadyHeld,  // the table has this run already
};

struct OfferResult {
    OfferOutcome outcome = OfferOutcome::NotFaster;
    // The rank (1 best .. 10) the run took, or holds already; 0 when not faster.
    int32_t rank = 0;
    // Rank 10's time when the run was offered: the time to beat.
    int32_t worstTime = 0;
    bool Entered() const { return outcome == OfferOutcome::Entered; }
};

class HiScoreTable {
  public:
    // Record files lie in `directory`; the game runs in its own folder, so "." there.
    explicit HiScoreTable(std::filesystem::path directory = ".");

    // Replaces the table by the files of the stage, after finishing or undoing a save of them
    // that was stopped part-way. Missing or malformed files never fail the load: a slot whose
    // lines do not read as a name and a time is an empty entry. Answers what was wrong with the
    // files (nothing when they were well-formed or missing), for the caller to tell.
    std::vector<RecordProblem> Load(int32_t stage);
    // The same reading for files already in memory (no save to settle): files the table cannot
    // read are still kept aside under the table's folder by the next Write.
    std::vector<RecordProblem> Load(int32_t stage, const RecordBytes& files);
    // Writes the stage's ten recording files and its record file as one: after a failure or a
    // crash at any point, the next Load finds them all old or all new. Files the last Load
    // found not well-formed are first kept aside, never overwritten. Asks and tells nothing;
    // Changed() stays as it is.
    SaveReport Write(int32_t stage);
    // Write, with the runs that another program (the tool's import) saved to the stage's files
    // since the load entered as raced runs would be. Nothing is taken from files that are not
    // well-formed, nor when the table was emptied since its load: the player chose then to drop
    // the runs the files hold. The table itself is left as it is (a race may be replaying one
    // of its recordings).
    SaveReport WriteKeepingSavedRuns(int32_t stage);
    // The record file's bytes as Write stores them (names and times as CR LF text).
    std::string RecordFileText() const;
    // Every file as Write stores it: the record file and the ten recordings in slot order.
    RecordBytes SavedBytes() const;

    // Puts a run in the worst entry's place if it is strictly faster, marks it new and the table
    // changed, and keeps the table ranked. The one way a run enters a table.
    OfferResult Offer(const OfferedRun& run);
    // Names the run that took `rank` (1..10) just now, as NameForTable stores the typed text; the
    // name box offers that place's name first from then on.
    void NameRun(int32_t rank, std::string storedName);
    // Ten empty entries ("------", 2398, no input) in identity rank order; WorstTime() is kept.
    // Does not mark the table changed: a reset alone is never saved.
    void FillEmpty();
    // The place's isNew flags are cleared once a list has shown them highlighted.
    void ClearNewMarks();

    // Recomputes the rank order and the worst time: greatest time first, among equal times the
    // highest slot first (so the lower slot ranks better). Every change but FillEmpty ranks the
    // table itself; after FillEmpty the ten equal entries stand in slot order until this runs.
    void Rank();
    // The recording of the run at a rank position (0 worst .. 9 best). The storage never moves,
    // so the pointer stays valid for the table's lifetime; its bytes change with a load or a run
    // entering that place. Positions outside 0..9 are clamped.
    const uint8_t* RecordingAt(int32_t position) const;
    // The entry shown at `rank` (1 best .. 10); ranks outside are clamped.
    const HiScoreEntry& AtRank(int32_t rank) const;
    // Rank 10's time as of the last ranking: a run must be faster to enter.
    int32_t WorstTime() const { return worstTime_; }
    // The rank (1..10) of a run the table holds (same time and recording), if it does.
    std::optional<int32_t> RankHolding(int32_t time, const Recording& recording) const;

    // A run entered since the last Load, so a save has something to write.
    bool Changed() const { return changed_; }
    // Emptied by the player since the last Load.
    bool EmptiedSinceLoad() const { return emptiedSinceLoad_; }
    // The player emptied the table (the reset): a save then writes the table as it is, without
    // taking back the runs the files hold.
    void MarkEmptied() { emptiedSinceLoad_ = true; }

    // The rank position (0 worst .. 9 best) of the run chosen to race against. Set only by the
    // opponent choice; loads and resets leave it, so it survives a change of stage.
    int32_t SelectedOpponent() const { return opponentPosition_; }
    // The opponent choice's OK: which of the ten list items (item 0 the fastest) are selected.
    // One item k selected chooses position 9 - k; with several, the first found visiting the
    // rank order's slot numbers from the best position down; with none, the fastest run.
    void ChooseOpponent(const std::array<bool, kHiScoreSlots>& itemSelected);
    // The stored bytes of the name the box starts with: empty after a load, else the name the
    // place of the last named run holds now (e.g. "------" after a reset).
    const std::string& DefaultNameText() const;

    const std::filesystem::path& Directory() const { return directory_; }
    // Where the files are from the next Load on: the game folder, or an installed stage pack's
    // folder, whose table is stage 0's there.
    void SetDirectory(std::filesystem::path directory) { directory_ = std::move(directory); }
    // Handed to the save of the files and to the settling of a stopped save in Load (see
    // SaveStepHook). The game leaves it empty; tests fail or stop saves with it.
    void SetSaveStepHook(SaveStepHook hook) { beforeSaveStep_ = std::move(hook); }

    static std::string RecordFileName(int32_t stage);
    static std::string RecordingFileName(int32_t stage, int32_t slot);
    // Present only while a save of the stage is between its renames.
    static std::string JournalFileName(int32_t stage);

  private:
    // Slots are the entries' places in the files; entries never move between slots.
    std::array<HiScoreEntry, kHiScoreSlots> entries_;
    // Slot number per rank position: position 0 is the worst run, position 9 the best.
    std::array<int32_t, kHiScoreSlots> rankOrder_{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    int32_t worstTime_ = 0;
    bool changed_ = false;
    bool emptiedSinceLoad_ = false;
    // Where the name box's first text comes from: kDefaultNameEmpty or a slot number. A slot
    // and not a copy, so the box shows what that slot holds now.
    static constexpr int32_t kDefaultNameEmpty = -1;
    int32_t defaultName_ = kDefaultNameEmpty;
    int32_t opponentPosition_ = 0;
    std::filesystem::path directory_;
    SaveStepHook beforeSaveStep_;
    // Files of the loaded stage to keep aside before a write replaces them.
    std::vector<std::filesystem::path> keepAside_;
};

}  // namespace vantrell
