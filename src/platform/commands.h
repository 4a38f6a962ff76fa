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
    About,
};

inline constexpr int32_t kStageCount = 5;

// The menu item of stage 0..4.
constexpr Command StageCommand(int32_t stage) {
    return static_cast<Command>(static_cast<int32_t>(Command::Stage1) + stage);
}

// The stage 0..4 a command selects, or -1 for any other command.
constexpr int32_t StageOf(Command command) {
    const int32_t offset = static_cast<int32_t>(command) - static_cast<int32_t>(Command::Stage1);
    return offset >= 0 && offset < kStageCount ? offset : -1;
}

}  // namespace vantrell
