// The one game object: the bitmaps, the terrain, the view tables, the two craft, the course
// tables and every counter the race step advances. The host owns it (after the input
// configuration and the sound player, before nothing else) and drives it one tick at a time.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "craft/craft.h"
#include "gfx/bitmap8.h"
#include "input/control_state.h"
#include "race/view_tables.h"
#include "records/hiscore_table.h"  // Recording
#include "world/course_files.h"
#include "world/terrain.h"

namespace vantrell {

class SoundPlayer;
class Display;
class Dialogs;

enum RaceMode : int32_t {
    ModeDemo = 0,
    ModeSolo = 1,
    ModeVersus = 2,
    ModeFreeDrive = 4,
};

enum BannerCode : int32_t {
    BannerNone = 0,
    BannerTitle = 1,
    BannerDemo = 2,
    BannerReady = 3,
    BannerGo = 4,
    BannerGoal = 5,
    BannerTimeUp = 6,
};

constexpr int32_t kRaceTickLimit = kRecordingBytes;  // the time limit is a recording's length
constexpr int32_t kCountdownStart = 63;
constexpr int32_t kFinishLast = 63;
constexpr int32_t kMarkerBlinkStart = 5;
constexpr int32_t kDemoWaitStart = 500;
constexpr int32_t kMarkerFrame = 75;

// What the game calls outside itself. Every pointer must outlive the game state.
struct GameServices {
    SoundPlayer* sound = nullptr;
    HiScoreTable* records = nullptr;
    Display* display = nullptr;
    Dialogs* dialogs = nullptr;
    std::string dataDir;  // prefix for every data file name; empty means the current directory
};

class GameState {
  public:
    explicit GameState(const GameServices& services);
    GameState(const GameState&) = delete;
    GameState& operator=(const GameState&) = delete;

    // Window creation: heading tables, stage 0, craft bound to the controls, demonstration.
    void Create(ControlState* controls1, ControlState* controls2);
    // Stage menu: offers to save the old stage's table, loads stage n, back to the demonstration.
    void SelectStage(int32_t n);

    void ResetRace();
    void StartSolo();
    void StartVersus();
    void StartDemo();
    void StartFreeDrive();

    // One tick; returns 1 once a solo race or a race against a recording is over.
    int32_t RaceStep();
    // Paints the status strip for the current banner.
    void PaintStatus();

    // Loads the data files of stage n (picture, terrain, sprites, profiles, course files).
    void LoadStageData(int32_t n);
    std::string DataPath(const std::string& name) const { return services_.dataDir + name; }
    const GameServices& Services() const { return services_; }

    Bitmap8 frameBuffer;
    Bitmap8 stagePicture;
    Bitmap8 spriteSheet;
    std::array<Bitmap8, 3> saveBuffers;
    Terrain terrain;  // corner heights, cell types and the height field
    HeightProfiles heightProfiles;
    std::array<std::array<int32_t, 256>, 3> heightSaves{};
    ViewTables view;
    int32_t raceMode = ModeDemo;
    int32_t stageIndex = 0;
    CraftPair crafts;
    ControlState* controls1 = nullptr;
    ControlState* controls2 = nullptr;
    CourseTables course;  // checkpoints and course objects
    int32_t nextCheckpoint = 0;
    int32_t markerBlink = 0;
    int32_t raceTicks = 0;
    int32_t replayTicks = 0;
    int32_t countdown = 0;
    int32_t finishCounter = 0;
    int32_t banner = BannerNone;
    int32_t bannerDirty = 0;
    int32_t demoReplaying = 0;
    int32_t demoWait = 0;
    Recording runInputs{};
    const uint8_t* secondReplay = nullptr;
    const uint8_t* firstReplay = nullptr;

  private:
    const uint8_t* RecordingAt(int32_t position) const;
    void ComposeFrame(int32_t cameraX, int32_t cameraY, bool markerShown, int32_t cx, int32_t cy);

    GameServices services_;
};

}  // namespace vantrell
