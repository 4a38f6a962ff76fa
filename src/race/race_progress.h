// The race's own counters: the mode, the countdown and finish phases, the race clock, the next
// checkpoint and its blinking marker, the banner and player 1's recording. Only the race step
// and the mode starts change them, through the operations below.
#pragma once

#include <cstdint>

#include "race/race_words.h"
#include "records/hiscore_table.h"  // Recording
#include "world/course_files.h"

namespace vantrell {

struct StateAccess;

// The blinking marker on the next checkpoint for one frame.
struct CheckpointMarker {
    bool shown = false;
    int32_t x = 0;  // the checkpoint box's corner
    int32_t y = 0;
};

class RaceProgress {
  public:
    RaceMode Mode() const { return mode_; }
    bool Racing() const { return mode_ == ModeSolo || mode_ == ModeVersus; }
    int32_t Countdown() const { return countdown_; }
    int32_t FinishCounter() const { return finishCounter_; }
    int32_t RaceTicks() const { return raceTicks_; }
    int32_t ReplayTicks() const { return replayTicks_; }
    int32_t NextCheckpoint() const { return nextCheckpoint_; }
    int32_t MarkerBlink() const { return markerBlink_; }
    BannerCode Banner() const { return banner_; }
    const Recording& RunInputs() const { return runInputs_; }

    // A new race in `mode`: everything back to the start, the 63-tick countdown armed.
    void Reset(RaceMode mode);
    // The demonstration starts without a countdown.
    void SkipCountdown() { countdown_ = 0; }
    void SetBanner(BannerCode banner);
    // Asks for the status strip to be painted again at the end of the next tick.
    void MarkBannerDirty() { bannerDirty_ = true; }
    // Whether the strip must be painted now; asking clears it.
    bool TakeBannerDirty();

    // The replaying craft's tick: counts only once the countdown is over, up to the time limit.
    int32_t AdvanceReplay();
    // One countdown tick; returns the effect it sounds, or kNoEffect.
    int32_t CountdownTick();
    // One finish tick; true once the finish phase has run out.
    bool FinishTick();
    // A demonstration run has finished: back to the idle demonstration.
    void EndDemoRun();
    // The idle demonstration turns into a replay of the two best runs.
    void StartDemoRun();
    // One more race tick on the clock.
    void CountRaceTick() { raceTicks_ += 1; }
    bool TimeIsUp() const { return raceTicks_ >= kRaceTickLimit; }
    // The limit was reached: the finish phase starts with the time-up banner.
    void TimeUp();
    // Keeps player 1's byte for the current race tick.
    void Record(uint8_t byte) { runInputs_[raceTicks_] = byte; }

    // The checkpoint test of a running tick with the first craft at (x, y). Fills in the
    // marker to draw; returns the effect it sounds (kNoEffect when none) and sets `goal` when
    // the last checkpoint was passed.
    int32_t CheckpointTick(const CourseTables& course, int32_t x, int32_t y, bool demoReplaying,
                           CheckpointMarker& marker, bool& goal);

  private:
    // The fuzz targets reach inside to set up any moment of a race; the game never does.
    friend struct StateAccess;
    RaceMode mode_ = ModeDemo;
    int32_t countdown_ = 0;
    int32_t finishCounter_ = 0;
    int32_t raceTicks_ = 0;
    int32_t replayTicks_ = 0;
    int32_t nextCheckpoint_ = 0;
    int32_t markerBlink_ = 0;
    BannerCode banner_ = BannerNone;
    bool bannerDirty_ = false;
    Recording runInputs_{};
};

}  // namespace vantrell
