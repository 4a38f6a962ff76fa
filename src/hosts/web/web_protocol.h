// What the page and the program tell each other by number: the page's events, and the game's
// commands, keys and speed-bar moves. The page learns every number by name from ProtocolJson()
// before the program starts (page/protocol.js), so none is typed twice, and reordering or
// extending one of these enumerations needs no change on the page.
#pragma once

#include <cstdint>
#include <string>

namespace vantrell::web {

// The page's events; 0 is none.
enum class PageEvent : int32_t {
    Tick = 1,        // a: how many ticks are due
    Command,         // a: the menu command
    Pause,           // P or Pause
    Retry,           // R, Backspace
    ControlsToggle,  // a: the check box
    ControlsSpeed,   // a: the speed bar's move; b: the position
    ControlsOk,
    Pads,      // a pad is connected: time to look at its Start button; a: 1 when the page would
               // take a pause key (no dialog or menu open)
    ViewMode,  // a: the picture mode chosen (its number under "viewMode")
};

// {"event": {"Tick": 1, ...}, "command": {...}, "key": {...}, "speedMove": {...}, "viewMode":
// {"original": 0, ...}}: every enumerator by its name in the code (a picture mode by the name
// the settings store).
std::string ProtocolJson();

}  // namespace vantrell::web
