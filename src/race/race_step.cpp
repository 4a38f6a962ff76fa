// One tick of the race: replayed controls, the phase (countdown, finish, running), the craft,
// the recording, then the frame with the moving things stamped into the course and removed.
#include "platform/display.h"
#include "race/game_state.h"
#include "records/hiscore_table.h"
#include "sound/sound_player.h"

namespace vantrell {

int32_t GameState::RaceStep(const TickInput& input, Drawing drawing) {
    ControlState controls1 = ControlsFromByte(input.player1);
    ControlState controls2 = ControlsFromByte(input.player2);
    const RaceMode mode = progress_.Mode();
    const bool racing = progress_.Racing();
    int32_t result = 0;
    CheckpointMarker marker;
    int32_t x = 0;  // the camera point, taken from the first craft right after it moved
    int32_t y = 0;

    // The second craft replays a recording one tick behind the recorded player.
    if (mode == ModeVersus || demo_.Replaying()) {
        const uint8_t* second = mode == ModeVersus ? opponent_ : demo_.SecondRecording();
        const int32_t tick = progress_.AdvanceReplay();
        ReplayByte(tick > 0 ? second[tick - 1] : 0, controls2);
    }

    if (progress_.Countdown() > 0) {
        controls1.live = 0;
        controls2.live = 0;
        PlayEffect(progress_.CountdownTick());
        crafts_.Step(progress_.Countdown(), controls1, controls2);
        x = crafts_.first.x;
        y = crafts_.first.y;
    } else if (progress_.FinishCounter() > 0) {
        controls1.live = 0;
        if (progress_.FinishTick()) {
            if (racing) {
                result = 1;
                if (services_.sound != nullptr) {
                    services_.sound->StopMusic();
                }
            } else {
                demo_.Idle();
                crafts_.Reset(ModeDemo);
                progress_.EndDemoRun();
            }
        }
        crafts_.Step(progress_.FinishCounter(), controls1, controls2);
        x = crafts_.first.x;
        y = crafts_.first.y;
    } else {
        if (demo_.Replaying() || racing) {
            progress_.CountRaceTick();
            if (mode == ModeDemo) {
                ReplayByte(demo_.FirstRecording()[progress_.RaceTicks() - 1], controls1);
            }
        }
        crafts_.Step(0, controls1, controls2);
        x = crafts_.first.x;
        y = crafts_.first.y;
        if (progress_.TimeIsUp()) {
            progress_.TimeUp();
            if (racing) {
                PlayMusic(SoundPlayer::kPieceEnd);
            }
        } else {
            if (racing) {
                progress_.Record(EncodeControls(controls1));
            }
            if (mode == ModeDemo && !demo_.Replaying() && demo_.WaitTick()) {
                demo_.StartReplay(RecordingAt(kRankSecondBest), RecordingAt(kRankBest));
                crafts_.Reset(ModeVersus);
                progress_.StartDemoRun();
            }
            // Read now: the checkpoint test already runs on the tick the replay starts, with the
            // camera point from before the reset.
            if (demo_.Replaying() || racing) {
                bool goal = false;
                PlayEffect(progress_.CheckpointTick(stage_.Course(), x, y, demo_.Replaying(),
                                                    marker, goal));
                if (goal && racing) {
                    PlayMusic(SoundPlayer::kPieceEnd);
                }
            }
        }
    }

    if (drawing == Drawing::None) {
        return result;
    }
    frame_.Compose(stage_, crafts_, x, y, marker);
    if (services_.display != nullptr) {
        services_.display->Present(frame_.FrameBuffer());
    }
    if (progress_.TakeBannerDirty()) {
        PaintStatus();
    }
    return result;
}

}  // namespace vantrell
