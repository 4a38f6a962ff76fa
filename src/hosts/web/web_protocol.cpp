#include "hosts/web/web_protocol.h"

#include "app/config_dialog.h"
#include "gfx/frame_layout.h"
#include "input/key_bindings.h"
#include "platform/commands.h"
#include "platform/key_state.h"

namespace vantrell::web {

namespace {

// Each name function is a switch without a default, so the build (-Wswitch, -Werror) stops when
// an enumerator has no name; any other value has none (nullptr).

constexpr const char* Name(PageEvent event) {
    switch (event) {
        case PageEvent::Tick:
            return "Tick";
        case PageEvent::Command:
            return "Command";
        case PageEvent::Pause:
            return "Pause";
        case PageEvent::Retry:
            return "Retry";
        case PageEvent::ControlsToggle:
            return "ControlsToggle";
        case PageEvent::ControlsSpeed:
            return "ControlsSpeed";
        case PageEvent::ControlsOk:
            return "ControlsOk";
        case PageEvent::Pads:
            return "Pads";
        case PageEvent::ViewMode:
            return "ViewMode";
    }
    return nullptr;
}

constexpr const char* Name(Command command) {
    switch (command) {
        case Command::Solo:
            return "Solo";
        case Command::Versus:
            return "Versus";
        case Command::FreeDrive:
            return "FreeDrive";
        case Command::RaceRunFile:
            return "RaceRunFile";
        case Command::Stage1:
            return "Stage1";
        case Command::Stage2:
            return "Stage2";
        case Command::Stage3:
            return "Stage3";
        case Command::Stage4:
            return "Stage4";
        case Command::Stage5:
            return "Stage5";
        case Command::MoreStages:
            return "MoreStages";
        case Command::AddStagePack:
            return "AddStagePack";
        case Command::Demo:
            return "Demo";
        case Command::ShowHiScores:
            return "ShowHiScores";
        case Command::ResetHiScores:
            return "ResetHiScores";
        case Command::ExportRun:
            return "ExportRun";
        case Command::ImportRun:
            return "ImportRun";
        case Command::Config:
            return "Config";
        case Command::Effects:
            return "Effects";
        case Command::Music:
            return "Music";
        case Command::Rules:
            return "Rules";
        case Command::Controls:
            return "Controls";
        case Command::HowToPlay:
            return "HowToPlay";
        case Command::About:
            return "About";
    }
    return nullptr;
}

// A key by the name the settings keep; the page maps its key codes to these.
const char* Name(Key key) {
    const std::string_view name = KeyName(key);
    return name.empty() ? nullptr : name.data();  // literals: NUL-terminated
}

constexpr const char* Name(SpeedBarMove move) {
    switch (move) {
        case SpeedBarMove::Faster:
            return "Faster";
        case SpeedBarMove::Slower:
            return "Slower";
        case SpeedBarMove::Track:
            return "Track";
        case SpeedBarMove::Other:
            return "Other";
    }
    return nullptr;
}

constexpr const char* Name(ViewMode mode) {
    if (static_cast<int32_t>(mode) < 0 || static_cast<int32_t>(mode) >= kViewModeCount) {
        return nullptr;
    }
    return ViewModeName(mode).data();  // literals: NUL-terminated
}

// Every value of the enumeration's first 256 that has a name, as a JSON object.
template <typename Enum>
std::string Names() {
    std::string json;
    for (int32_t value = 0; value < 256; ++value) {
        if (const char* name = Name(static_cast<Enum>(value))) {
            json +=
                std::string(json.empty() ? "{" : ",") + "\"" + name + "\":" + std::to_string(value);
        }
    }
    return json.empty() ? "{}" : json + "}";
}

}  // namespace

std::string ProtocolJson() {
    return "{\"event\":" + Names<PageEvent>() + ",\"command\":" + Names<Command>() +
           ",\"key\":" + Names<Key>() + ",\"speedMove\":" + Names<SpeedBarMove>() +
           ",\"viewMode\":" + Names<ViewMode>() + "}";
}

}  // namespace vantrell::web
