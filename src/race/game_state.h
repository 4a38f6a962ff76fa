// The game in one object, made of named parts: the loaded stage, the race progress, the two
// craft, the demonstration and the frame composer. The shell loads stages and starts modes; the
// host hands it one input value per tick and shows the frame it composes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "craft/craft.h"
#include "input/control_code.h"
#include "race/demonstration.h"
#include "race/frame_composer.h"
#include "race/race_progress.h"
#include "race/race_words.h"
#include "race/stage.h"

namespace vantrell {

struct StateAccess;

class SoundPlayer;
class Display;
class HiScoreTable;

// What the game calls outside itself. Every pointer must outlive the game state; any may be
// null (a race without sound, a table or a window).
struct GameServices {
    SoundPlayer* sound = nullptr;
    const HiScoreTable* records = nullptr;  // the demonstration replays its two best runs
    Display* display = nullptr;
    std::filesystem::path dataDir;  // the stage files' folder; empty means the current one
};

class GameState {
  public:
    explicit GameState(const GameServices& services);
    GameState(const GameState&) = delete;
    GameState& operator=(const GameState&) = delete;

    // Window creation: heading tables, stage 0 (or n, from its files' bytes when given, else
    // read from the data folder), the idle demonstration.
    void Create();
    void Create(const StageBytes& files, int32_t n = 0);
    // Loads stage n if it is not the current one (from its files' bytes when given), then back
    // to the demonstration. The shell saves the old stage's table before and loads the new
    // one's after.
    void SelectStage(int32_t n);
    void SelectStage(int32_t n, const StageBytes& files);
    // Loads stage n from these bytes even when n is the current index (a stage pack takes the
    // slot of stage 0, and an updated pack replaces its own files), then the demonstration.
    void ReplaceStage(int32_t n, const StageBytes& files);

    void StartSolo();
    // The second craft replays `opponent` (2400 bytes that must stay valid during the race).
    void StartVersus(const uint8_t* opponent);
    void StartDemo();
    void StartFreeDrive();

    // One tick with both players' controls; returns 1 once a solo race or a race against a
    // recording is over. Without drawing nothing is stamped, rendered, presented or painted,
    // and the race goes exactly as with it.
    int32_t RaceStep(const TickInput& input, Drawing drawing = Drawing::Frames);
    // Paints the status strip for the current banner.
    void PaintStatus();
    // Paints the strip now and again after the next tick, as after the window was uncovered.
    void RepaintStatus();

    // Draws the view from a course point with nothing stamped, between ticks (for pictures of
    // the course); the next tick composes its own frame.
    void RenderViewAt(int32_t x, int32_t y, int32_t heading) {
        frame_.RenderFrom(stage_, x, y, heading);
    }

    // The picture mode of the frames to come; the race goes the same in every one.
    void SetViewMode(ViewMode mode) { frame_.SetViewMode(mode); }

    const Stage& CurrentStage() const { return stage_; }
    // The 2400 bytes the second craft replays in a race against a recording.
    const uint8_t* Opponent() const { return opponent_; }
    const RaceProgress& Progress() const { return progress_; }
    const CraftPair& Crafts() const { return crafts_; }
    const Demonstration& Demo() const { return demo_; }
    const FrameComposer& Composer() const { return frame_; }
    const Bitmap8& FrameBuffer() const { return frame_.FrameBuffer(); }

  private:
    // The fuzz targets reach inside to set up any moment of a race; the game never does.
    friend struct StateAccess;
    void ResetRace(RaceMode mode);
    void LoadStage(int32_t n, const StageBytes& files);
    const uint8_t* RecordingAt(int32_t position) const;
    void PlayEffect(int32_t effect);
    void PlayMusic(int32_t piece);

    GameServices services_;
    Stage stage_;
    RaceProgress progress_;
    CraftPair crafts_;
    Demonstration demo_;
    FrameComposer frame_;
    const uint8_t* opponent_ = nullptr;
};

}  // namespace vantrell
