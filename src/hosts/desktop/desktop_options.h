// The desktop game's command line: --dir DIR, --lang ja|en, --help, --version. Single-dash options
// belong to Qt (-platform offscreen, -style ...) and are left for it.
#pragma once

#include <string>
#include <vector>

namespace vantrell::desktop {

struct DesktopOptions {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    std::string dataDir;   // empty: the default game directory
    std::string language;  // "ja", "en", or empty: the stored choice, else the system's
    std::string error;     // one line for the player when action is Error
};

// args are the arguments after the program name.
DesktopOptions ParseDesktopOptions(const std::vector<std::string>& args);

std::string UsageText(const std::string& program);
std::string VersionText();

}  // namespace vantrell::desktop
