// What the player can ask of the game from its menu. Hosts show these as menu items (the
// game's menu data says where and with which texts) and hand the chosen one back; the game
// sets their check marks.
#pragma once

#include <cstdint>

namespace vantrell {

enum class Command : int32_t {
    Solo,
    Versus,
    FreeDrive,
    RaceRunFile,
    Stage1,
    Stage2,
    Stage3,
    Stage4,
    Stage5,
    MoreStages,    // the list of built-in stages and installed stage packs
    AddStagePack,  // a stage pack file to install
    Demo,
    ShowHiScores,
    ResetHiScores,
    ExportRun,
    ImportRun,
    Config,
    Effects,
    Music,
    Rules,
    Controls,
    HowToPlay,  // the help page that teaches the game
    About,
};

}  // namespace vantrell
