// What the race display beside the picture shows after a tick: the race clock and the ticks
// left, the checkpoints passed, both craft and the next checkpoint for a small map, and the
// split against a reference run. A plain value the host reads after every tick; the picture,
// the race and its recordings never see it.
#pragma once

#include <array>
#include <cstdint>

#include "platform/ui_text.h"
#include "race/checkpoint_times.h"
#include "race/race_words.h"
#include "world/course_files.h"

namespace vantrell {

class Bitmap8;
class GameState;

// The panel's line in the demonstration until the player's first race: how to start one.
inline constexpr char kRaceHint[] = VT_TRANSLATE_NOOP("RaceDisplay", "Alt+G, 1 でレース開始");

struct MapPoint {
    int32_t x = 0;  // course units: x 0..400 around the course, y the course row
    int32_t y = 0;
};

// The course rows where the way from one checkpoint to the next runs over the map's left and
// right edges: the course wraps, so leaving on the right comes back on the left at the same row.
struct CourseWraps {
    std::array<int32_t, kCheckpointCount> rows{};
    int32_t count = 0;
};

struct RaceDisplay {
    RaceMode mode = ModeDemo;
    int32_t stage = 0;
    // The stage's picture, clean between ticks; course row y is picture row y + 210.
    const Bitmap8* picture = nullptr;
    bool timed = false;  // a race or a demonstration replay: the clock and checkpoints count
    bool countdown = false;
    bool finished = false;  // the finish phase: the clock has stopped
    bool goal = false;      // all checkpoints passed
    int32_t raceTicks = 0;
    int32_t ticksLeft = kRaceTickLimit;
    int32_t checkpointsPassed = 0;  // "7/20"
    MapPoint first;                 // player 1's craft
    MapPoint second;
    bool nextShown = false;  // a checkpoint is still to be passed
    MapPoint next;           // the centre of its box
    CourseWraps wraps;       // marked on both edges of the map

    // The split at the latest checkpoint: race ticks minus the reference's at the same
    // checkpoint, negative when ahead. Shown for about two seconds; at the goal the whole
    // run's difference stays until the race ends.
    bool splitShown = false;
    bool splitIsTotal = false;
    int32_t splitCheckpoint = 0;
    int32_t split = 0;

    bool timeUp = false;  // the status strip shows the time-up banner

    // A finished run that did not enter the table: its time and the time rank 10 holds, so the
    // player sees how far off it was. Kept until the player starts another race.
    bool missedShown = false;
    int32_t missedTime = 0;
    int32_t lastPlaceTime = 0;

    // The demonstration before any race of this session: the panel says how to start one.
    bool hintShown = false;
};

// Follows the race tick by tick and keeps the split of the latest checkpoint.
class RaceDisplayModel {
  public:
    static constexpr int32_t kSplitShownMs = 2000;

    // The run splits are measured against; none clears it (no splits shown).
    void SetReference(const CheckpointTimes& reference);
    void ClearReference() { hasReference_ = false; }
    bool HasReference() const { return hasReference_; }
    const CheckpointTimes& Reference() const { return reference_; }

    // After every tick (and after a mode start): reads the game, notes a checkpoint passed
    // since the last call. `tickPeriodMs` turns the two seconds a split stays into ticks.
    void Update(const GameState& state, int32_t tickPeriodMs);
    const RaceDisplay& Now() const { return now_; }
    // A finished run missed the table: `time` against rank 10's `lastPlace`.
    void ShowMissed(int32_t time, int32_t lastPlace);

  private:
    CheckpointTimes reference_;
    bool hasReference_ = false;
    RaceDisplay now_;
    int32_t lastPassed_ = 0;
    int32_t lastTicks_ = 0;
    RaceMode lastMode_ = ModeDemo;
    bool raced_ = false;  // a race of the player's has started since the game did
    int32_t splitAtTick_ = 0;
};

}  // namespace vantrell
