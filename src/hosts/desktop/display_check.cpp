#include "hosts/desktop/display_check.h"

#include <algorithm>
#include <cstdlib>

namespace vantrell::desktop {

namespace {

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

}  // namespace

std::optional<std::string> MissingDisplay(const std::vector<std::string>& args) {
    const bool platformGiven = std::any_of(args.begin(), args.end(), [](const std::string& arg) {
        return arg == "-platform" || arg.rfind("-platform=", 0) == 0;
    });
    if (platformGiven || IsSet("QT_QPA_PLATFORM") || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY")) {
        return std::nullopt;
    }
    return "no display: DISPLAY and WAYLAND_DISPLAY are not set (start the game in a desktop "
           "session, or give one with -platform NAME)";
}

}  // namespace vantrell::desktop
