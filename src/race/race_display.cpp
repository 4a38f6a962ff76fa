#include "race/race_display.h"

#include "race/course_map.h"
#include "race/game_state.h"

namespace vantrell {

void RaceDisplayModel::SetReference(const CheckpointTimes& reference) {
    reference_ = reference;
    hasReference_ = true;
}

void RaceDisplayModel::ShowMissed(int32_t time, int32_t lastPlace) {
    now_.missedShown = true;
    now_.missedTime = time;
    now_.lastPlaceTime = lastPlace;
}

void RaceDisplayModel::Update(const GameState& state, int32_t tickPeriodMs) {
    const RaceProgress& progress = state.Progress();
    const CraftPair& crafts = state.Crafts();
    RaceDisplay& d = now_;
    d.mode = progress.Mode();
    d.stage = state.CurrentStage().Index();
    d.picture = &state.CurrentStage().Picture();
    d.timed = progress.Racing() || state.Demo().Replaying();
    d.countdown = progress.Countdown() > 0;
    d.finished = progress.Countdown() == 0 && progress.FinishCounter() > 0;
    d.raceTicks = progress.RaceTicks();
    d.ticksLeft = kRaceTickLimit - progress.RaceTicks();
    d.checkpointsPassed = progress.NextCheckpoint();
    d.goal = progress.NextCheckpoint() >= kCheckpointCount;
    d.first = {crafts.first.x, crafts.first.y};
    d.second = {crafts.second.x, crafts.second.y};
    d.timeUp = progress.Banner() == BannerTimeUp;
    raced_ = raced_ || d.mode != ModeDemo;
    d.hintShown = !raced_;
    // A race started again (a retry, a new mode) leaves the missed run behind.
    if (d.missedShown && d.mode != ModeDemo && !d.finished) {
        d.missedShown = false;
    }
    d.wraps = CourseWrapRows(state.CurrentStage().Course().checkpoints);
    d.nextShown = d.timed && !d.goal;
    if (d.nextShown) {
        const Checkpoint& box = state.CurrentStage().Course().checkpoints[d.checkpointsPassed];
        d.next = {box.x + 8, box.y + 8};
    }

    // A new race (a mode start, a retry, a demonstration run) starts the splits afresh.
    if (d.mode != lastMode_ || d.checkpointsPassed < lastPassed_ || d.raceTicks < lastTicks_) {
        d.splitShown = false;
        d.splitIsTotal = false;
        lastPassed_ = 0;
    }
    lastMode_ = d.mode;
    lastTicks_ = d.raceTicks;
    if (!progress.Racing()) {
        lastPassed_ = d.checkpointsPassed;
        d.splitShown = false;
        return;
    }
    if (d.checkpointsPassed > lastPassed_) {
        // Only the latest checkpoint counts, should two ever come between two updates.
        const int32_t k = d.checkpointsPassed;
        lastPassed_ = k;
        d.splitShown = false;
        if (hasReference_ && k <= reference_.passed) {
            d.splitShown = true;
            d.splitIsTotal = false;
            d.splitCheckpoint = k;
            d.split = d.raceTicks - reference_.ticks[static_cast<size_t>(k - 1)];
            splitAtTick_ = d.raceTicks;
        }
    }
    // At the goal the whole run's difference, once its time is final (the finish phase).
    if (d.finished && d.goal && hasReference_ && reference_.goal) {
        d.splitShown = true;
        d.splitIsTotal = true;
        d.splitCheckpoint = kCheckpointCount;
        d.split = d.raceTicks - reference_.time;
        return;
    }
    if (d.splitShown && !d.splitIsTotal) {
        const int32_t period = tickPeriodMs > 0 ? tickPeriodMs : 1;
        const int32_t shownTicks = (kSplitShownMs + period - 1) / period;
        d.splitShown = d.raceTicks - splitAtTick_ < shownTicks;
    }
}

}  // namespace vantrell
