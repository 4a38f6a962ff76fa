// The game's global objects, owned by one Game that the host creates after its platform
// pieces. Members are constructed in the order the game needs them (timer state, input
// configuration, sound player, high-score table, game state) and destroyed in reverse, so the
// game state goes before the sound player, which writes its switch file last. Nothing here is a
// static object, so there is no order of static initialisation to get wrong.
#pragma once

#include <filesystem>

#include "app/modal_dialogs.h"
#include "app/pack_store.h"
#include "app/tick_timer_state.h"
#include "input/input_config.h"
#include "platform/audio.h"
#include "platform/dialogs.h"
#include "platform/display.h"
#include "platform/joystick.h"
#include "platform/key_state.h"
#include "platform/speed_store.h"
#include "platform/tick_timer.h"
#include "race/game_state.h"
#include "records/hiscore_table.h"
#include "sound/sound_player.h"

namespace vantrell {

// Everything the host provides. Every referenced object, and the bytes of the wave images,
// must outlive the Game.
struct PlatformBundle {
    KeyState& keys;
    Joysticks& joysticks;
    Audio& audio;
    Display& display;
    Dialogs& dialogs;
    TickTimer& timer;
    SpeedStore& speedStore;
    SoundPlayer::WaveImages waves{};  // WAVDAT0..3; an empty image plays nothing
    // Folder of the stage, music, record and switch files; empty means the current directory.
    std::filesystem::path dataDir;
    // Reads a stage pack's archive; empty where packs cannot be read (no pack can be added).
    PackReader packReader{};
};

class Game {
  public:
    explicit Game(const PlatformBundle& platform);
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // The host's picture and menu marks.
    vantrell::Display& Screen() { return display_; }
    // Every question and dialog goes through here, which counts the open ones.
    ModalDialogs& Dialogs() { return dialogs_; }
    const ModalDialogs& Dialogs() const { return dialogs_; }
    // The game folder; empty means the current directory.
    const std::filesystem::path& DataDir() const { return dataDir_; }
    TickTimerState& Timer() { return timer_; }
    const TickTimerState& Timer() const { return timer_; }
    InputConfig& Input() { return input_; }
    SoundPlayer& Sound() { return sound_; }
    const SoundPlayer& Sound() const { return sound_; }
    HiScoreTable& Records() { return records_; }
    const HiScoreTable& Records() const { return records_; }
    // The installed stage packs, in "packs" under the game folder.
    PackStore& Packs() { return packs_; }
    GameState& State() { return state_; }
    const GameState& State() const { return state_; }

  private:
    vantrell::Display& display_;
    ModalDialogs dialogs_;
    std::filesystem::path dataDir_;
    TickTimerState timer_;
    InputConfig input_;
    SoundPlayer sound_;
    HiScoreTable records_;
    PackStore packs_;
    GameState state_;
};

}  // namespace vantrell
