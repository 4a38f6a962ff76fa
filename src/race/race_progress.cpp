#include "race/race_progress.h"

#include <algorithm>

#include "sound/sound_player.h"

namespace vantrell {

void RaceProgress::Reset(RaceMode mode) {
    mode_ = mode;
    nextCheckpoint_ = 0;
    raceTicks_ = 0;
    replayTicks_ = 0;
    finishCounter_ = 0;
    markerBlink_ = kMarkerBlinkStart;
    bannerDirty_ = true;
    countdown_ = kCountdownStart;
    runInputs_.fill(0);
}

void RaceProgress::SetBanner(BannerCode banner) {
    banner_ = banner;
    bannerDirty_ = true;
}

bool RaceProgress::TakeBannerDirty() {
    const bool dirty = bannerDirty_;
    bannerDirty_ = false;
    return dirty;
}

int32_t RaceProgress::AdvanceReplay() {
    if (countdown_ == 0) {
        replayTicks_ = std::min(replayTicks_ + 1, kRaceTickLimit);
    }
    return replayTicks_;
}

int32_t RaceProgress::CountdownTick() {
    countdown_ -= 1;
    if (countdown_ <= 0) {
        countdown_ = 0;
        SetBanner(BannerGo);
        return SoundPlayer::kEffectStart;
    }
    if (countdown_ == 62 || countdown_ == 42 || countdown_ == 21) {
        return SoundPlayer::kEffectCountdown;
    }
    return kNoEffect;
}

bool RaceProgress::FinishTick() {
    finishCounter_ += 1;
    if (finishCounter_ > kFinishLast) {
        finishCounter_ = kFinishLast;
        return true;
    }
    return false;
}

void RaceProgress::EndDemoRun() {
    nextCheckpoint_ = 0;
    markerBlink_ = kMarkerBlinkStart;
    SetBanner(BannerTitle);
    countdown_ = 0;
    finishCounter_ = 0;
    raceTicks_ = 0;
}

void RaceProgress::StartDemoRun() {
    nextCheckpoint_ = 0;
    markerBlink_ = kMarkerBlinkStart;
    SetBanner(BannerDemo);
    raceTicks_ = 0;
    replayTicks_ = 0;
    countdown_ = kCountdownStart;
    finishCounter_ = 0;
}

void RaceProgress::TimeUp() {
    finishCounter_ = 1;
    SetBanner(BannerTimeUp);
}

int32_t RaceProgress::CheckpointTick(const CourseTables& course, int32_t x, int32_t y,
                                     bool demoReplaying, CheckpointMarker& marker, bool& goal) {
    goal = false;
    if (nextCheckpoint_ > kCheckpointCount - 1) {
        finishCounter_ = 1;
        return kNoEffect;
    }
    const int32_t cx = course.checkpoints[nextCheckpoint_].x;
    const int32_t cy = course.checkpoints[nextCheckpoint_].y;
    marker.x = cx;
    marker.y = cy;
    markerBlink_ -= 1;
    marker.shown = markerBlink_ < 2;
    if (markerBlink_ < 0) {
        markerBlink_ = 6;
    }
    if (!(cx < x && x < cx + 16 && cy < y && y < cy + 16)) {
        return kNoEffect;
    }
    if (nextCheckpoint_ == 0) {
        SetBanner(demoReplaying ? BannerDemo : BannerNone);
    }
    nextCheckpoint_ += 1;
    markerBlink_ = 0;
    if (nextCheckpoint_ == kCheckpointCount) {
        SetBanner(BannerGoal);
        goal = true;
        return SoundPlayer::kEffectGoal;
    }
    return SoundPlayer::kEffectCheckpoint;
}

}  // namespace vantrell
