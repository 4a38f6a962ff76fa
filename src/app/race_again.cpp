// Racing again: the retry key, the races the shell starts with their reference runs for the
// splits, and the race display that follows every tick.
#include <algorithm>

#include "app/shell.h"
#include "race/checkpoint_times.h"

namespace vantrell {

void Shell::RequestRetry() {
    // Keys typed into a dialog, or a pad's button while the controls dialog is open, never
    // throw a race away.
    if (destroyed_ || configOpen_ || game_.Dialogs().AnyOpen()) {
        return;
    }
    const RaceProgress& progress = game_.State().Progress();
    RaceMode mode = progress.Mode();
    if (mode == ModeDemo) {
        if (lastRace_ == ModeDemo) {
            return;  // no race since the stage was chosen
        }
        mode = lastRace_;
    } else if (progress.Racing() &&
               (progress.FinishCounter() > 0 || progress.NextCheckpoint() >= kCheckpointCount)) {
        // The run is over (or its last tick is about to count): it goes to the table first.
        retryPending_ = true;
        if (resultArmed_ && progress.Countdown() == 0 && progress.FinishCounter() > 0) {
            resultArmed_ = false;
            game_.Timer().StopTickTimer();
            EnterFinishedRun();
        }
        return;
    }
    StartRace(mode);
    StartTimer();
}

void Shell::StartRace(RaceMode mode) {
    retryPending_ = false;
    paused_ = false;  // as every mode start does
    switch (mode) {
        case ModeVersus:
            game_.State().StartVersus(opponent_.data());
            raceDisplay_.SetReference(opponentTimes_);
            break;
        case ModeFreeDrive:
            game_.State().StartFreeDrive();
            raceDisplay_.ClearReference();
            break;
        case ModeSolo:
        case ModeDemo:
            mode = ModeSolo;
            game_.State().StartSolo();
            raceDisplay_.SetReference(BestTimes());
            break;
    }
    lastRace_ = mode;
    RefreshDisplay();
}

void Shell::SetOpponent(const uint8_t* recording) {
    std::copy_n(recording, kRecordingBytes, opponent_.begin());
    opponentTimes_ =
        DriveCheckpointTimes(game_.State().CurrentStage().Index(), stageFiles_, opponent_.data());
}

void Shell::RefreshBestTimes() {
    std::copy_n(game_.Records().AtRank(1).recording.data(), kRecordingBytes, bestRun_.begin());
    bestTimesDue_ = true;
}

const CheckpointTimes& Shell::BestTimes() {
    if (bestTimesDue_) {
        bestTimes_ = DriveCheckpointTimes(game_.State().CurrentStage().Index(), stageFiles_,
                                          bestRun_.data());
        bestTimesDue_ = false;
    }
    return bestTimes_;
}

void Shell::RefreshDisplay() {
    raceDisplay_.Update(game_.State(), game_.Timer().Period());
}

}  // namespace vantrell
