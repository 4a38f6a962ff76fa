// The main window's command ids: the menu items of VANTR_MENU and the four internal commands
// (100, 105, 116, 117) that the window sends or posts to itself.
#pragma once

#include <cstdint>

namespace vantrell {

enum CommandId : int32_t {
    CmdEnterDemo = 100,  // internal: back to the demonstration, arm the result hand-over
    CmdSolo = 101,
    CmdVersus = 102,
    CmdShowHiScores = 103,
    CmdResetHiScores = 104,
    CmdNameEntry = 105,  // internal: hand a finished race to the high-score entry
    CmdConfig = 106,
    CmdAbout = 107,
    CmdDemo = 108,
    CmdFreeDrive = 109,
    CmdStage1 = 111,
    CmdStage2 = 112,
    CmdStage3 = 113,
    CmdStage4 = 114,
    CmdStage5 = 115,
    CmdStopTimer = 116,   // internal
    CmdStartTimer = 117,  // internal
    CmdEffects = 119,
    CmdMusic = 122,
    CmdRules = 134,
    CmdControls = 135,
};

// System menu commands the window acts on before the platform's own handling.
enum SysCommand : int32_t {
    SysMinimize = 61472,
    SysClose = 61536,
};

}  // namespace vantrell
