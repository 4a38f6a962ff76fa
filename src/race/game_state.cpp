#include "race/game_state.h"

#include "craft/heading_tables.h"
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
    demo_.SetRecordings(NoRecording().data(), NoRecording().data());
    opponent_ = NoRecording().data();
}

const uint8_t* GameState::RecordingAt(int32_t position) const {
    if (services_.records == nullptr) {
        return NoRecording().data();
    }
    return services_.records->RecordingAt(position);
}

void GameState::PlayEffect(int32_t effect) {
    if (services_.sound != nullptr && effect != kNoEffect) {
        services_.sound->PlayEffect(effect, 0);
    }
}

void GameState::PlayMusic(int32_t piece) {
    if (services_.sound != nullptr) {
        services_.sound->PlayMusic(piece);
    }
}

void GameState::LoadStage(int32_t n, const StageBytes& files) {
    stage_.Load(n, files);
    frame_.AdoptColours(stage_.Picture());
}

void GameState::Create() {
    Create(ReadStageBytes(0, services_.dataDir));
}

void GameState::Create(const StageBytes& files, int32_t n) {
    Headings();  // the heading tables, built once before the first step
    LoadStage(n, files);
    crafts_.Init(&stage_.Ground());
    progress_.SetBanner(BannerTitle);
    ResetRace(ModeDemo);
}

void GameState::SelectStage(int32_t n) {
    if (n != stage_.Index()) {
        LoadStage(n, ReadStageBytes(n, services_.dataDir));
    }
    StartDemo();
}

void GameState::SelectStage(int32_t n, const StageBytes& files) {
    if (n != stage_.Index()) {
        LoadStage(n, files);
    }
    StartDemo();
}

void GameState::ReplaceStage(int32_t n, const StageBytes& files) {
    LoadStage(n, files);
    StartDemo();
}

void GameState::ResetRace(RaceMode mode) {
    crafts_.Reset(mode);
    progress_.Reset(mode);
    demo_.Idle();
}

void GameState::StartSolo() {
    ResetRace(ModeSolo);
    PlayMusic(SoundPlayer::kPieceRace);
    progress_.SetBanner(BannerReady);
}

void GameState::StartVersus(const uint8_t* opponent) {
    ResetRace(ModeVersus);
    PlayMusic(SoundPlayer::kPieceRace);
    progress_.SetBanner(BannerReady);
    opponent_ = opponent != nullptr ? opponent : NoRecording().data();
}

void GameState::StartDemo() {
    ResetRace(ModeDemo);
    progress_.SkipCountdown();
    progress_.SetBanner(BannerTitle);
}

void GameState::StartFreeDrive() {
    ResetRace(ModeFreeDrive);
    progress_.SetBanner(BannerNone);
}

void GameState::PaintStatus() {
    if (services_.display != nullptr) {
        const BannerCode banner = progress_.Banner();
        services_.display->PaintStatus(BannerString(banner), BannerText(banner).widthUnits);
    }
}

void GameState::RepaintStatus() {
    progress_.MarkBannerDirty();
    PaintStatus();
}

}  // namespace vantrell
