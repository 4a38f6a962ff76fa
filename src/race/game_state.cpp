#include "race/game_state.h"

#include "gfx/status_text.h"
#include "platform/display.h"
#include "records/hiscore_table.h"
#include "sound/sound_player.h"

namespace vantrell {

namespace {

// What a replay reads when there is no table to take a recording from: no input at all.
const Recording& NoRecording() {
    static const Recording zeros{};
    return zeros;
}

}  // namespace

GameState::GameState(const GameServices& services) : services_(services) {
    frameBuffer.Resize(96, 416);
    for (Bitmap8& buffer : saveBuffers) {
        buffer.Resize(16, 16);
    }
    view.BuildGroundTable();
    view.BuildLiftTable();
    secondReplay = NoRecording().data();
    firstReplay = NoRecording().data();
}

const uint8_t* GameState::RecordingAt(int32_t position) const {
    if (services_.records == nullptr) {
        return NoRecording().data();
    }
    return services_.records->RecordingAt(position);
}

void GameState::ResetRace() {
    crafts.Reset(raceMode);
    nextCheckpoint = 0;
    raceTicks = 0;
    replayTicks = 0;
    finishCounter = 0;
    markerBlink = kMarkerBlinkStart;
    bannerDirty = 1;
    countdown = kCountdownStart;
    runInputs.fill(0);
    demoReplaying = 0;
    demoWait = kDemoWaitStart;
}

void GameState::StartSolo() {
    raceMode = ModeSolo;
    ResetRace();
    if (services_.sound != nullptr) {
        services_.sound->PlayMusic(1);
    }
    banner = BannerReady;
    bannerDirty = 1;
}

void GameState::StartVersus() {
    raceMode = ModeVersus;
    ResetRace();
    if (services_.sound != nullptr) {
        services_.sound->PlayMusic(1);
    }
    banner = BannerReady;
    bannerDirty = 1;
    const int32_t position =
        services_.records != nullptr ? services_.records->SelectedOpponent() : 0;
    secondReplay = RecordingAt(position);
}

void GameState::StartDemo() {
    raceMode = ModeDemo;
    ResetRace();
    countdown = 0;
    banner = BannerTitle;
    bannerDirty = 1;
}

void GameState::StartFreeDrive() {
    raceMode = ModeFreeDrive;
    ResetRace();
    banner = BannerNone;
    bannerDirty = 1;
}

void GameState::PaintStatus() {
    if (services_.display != nullptr) {
        services_.display->PaintStatus(BannerString(banner), BannerText(banner).widthUnits);
    }
}

}  // namespace vantrell
