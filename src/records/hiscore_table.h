// The current stage's ten best runs: driver's name, time in ticks and the input recording of
// each, with their rank order and the record and recording files they are kept in.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "io/atomic_save.h"
#include "records/record_names.h"

namespace vantrell {

constexpr int32_t kHiScoreSlots = 10;
constexpr int32_t kRecordingBytes = 2400;  // one input byte per race tick
constexpr int32_t kEmptyTime = 2398;
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

struct HiScoreTable {
    // Record files lie in `directory`; the game runs in its own folder, so "." there.
    explicit HiScoreTable(std::filesystem::path directory = ".");

    // Slots are the entries' places in the files; entries never move between slots.
    std::array<HiScoreEntry, kHiScoreSlots> entries;
    // Slot number per rank position: position 0 is the worst run, position 9 the best.
    std::array<int32_t, kHiScoreSlots> rankOrder{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    int32_t worstTime = 0;  // time at position 0 as of the last Rank
    bool changed = false;   // a run entered since the last Load
    // Emptied by the player since the last Load; a save then writes the table as it is, without
    // taking back runs from the files (see WriteKeepingSavedRuns).
    bool emptiedSinceLoad = false;
    // Where the name box's first text comes from: kDefaultNameEmpty or a slot number. A slot
    // and not a copy, so the box shows what that slot holds now (e.g. "------" after a reset).
    static constexpr int32_t kDefaultNameEmpty = -1;
    int32_t defaultName = kDefaultNameEmpty;
    // Rank position (0 worst .. 9 best) of the run chosen to race against. Set only by the
    // opponent choice; loads and resets leave it, so it survives a change of stage.
    int32_t opponentPosition = 0;

    std::filesystem::path directory;
    // Handed to the save of the files and to the settling of a stopped save in Load (see
    // SaveStepHook). The game leaves it empty; tests fail or stop saves with it.
    SaveStepHook beforeSaveStep;

    // Replaces the table by the files of the stage, after finishing or undoing a save of them
    // that was stopped part-way. Missing or malformed files never fail the load: a slot whose
    // lines do not read as a name and a time is an empty entry, and LoadProblem says what was
    // wrong.
    void Load(int32_t stage);
    // The same reading for files already in memory (no save to settle): files the table cannot
    // read are still kept aside under `directory` by the next Write.
    void Load(int32_t stage, const RecordBytes& files);
    // Empty when the last Load found the files well-formed (or missing); otherwise one line per
    // fault, for the player.
    const std::string& LoadProblem() const { return loadProblem_; }
    // Writes the stage's ten recording files and its record file as one: after a failure or a
    // crash at any point, the next Load finds them all old or all new. Files the last Load
    // found not well-formed are first kept aside, never overwritten. Asks and tells nothing;
    // `changed` is left as it is.
    SaveReport Write(int32_t stage);
    // The record file's bytes as Write stores them (names and times as CR LF text).
    std::string RecordFileText() const;
    // Recomputes rankOrder and worstTime: greatest time first, among equal times the highest
    // slot first (so the lower slot ranks better).
    void Rank();
    // The recording of the slot at a rank position under the last rank order. The storage
    // never moves, so the pointer stays valid for the table's lifetime; its bytes change with a
    // load or a run entering that slot. Positions outside 0..9 are clamped.
    const uint8_t* RecordingAt(int32_t position) const;
    // Ten empty entries ("------", 2398, no input) in identity rank order; worstTime is kept.
    void FillEmpty();

    int32_t SelectedOpponent() const { return opponentPosition; }
    // The stored bytes of the name the box starts with; empty for kDefaultNameEmpty.
    const std::string& DefaultNameText() const;

    static std::string RecordFileName(int32_t stage);
    static std::string RecordingFileName(int32_t stage, int32_t slot);
    // Present only while a save of the stage is between its renames.
    static std::string JournalFileName(int32_t stage);

  private:
    std::string loadProblem_;
    // Files of the loaded stage to keep aside before a write replaces them.
    std::vector<std::filesystem::path> keepAside_;
};

}  // namespace vantrell
