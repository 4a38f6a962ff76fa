// Whether Qt can find a screen to open the window on. Without one Qt aborts with a page of
// plugin messages; the game says so in one line and ends with status 2 instead.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vantrell::desktop {

// The line to print when there is no display to use, or nothing: a platform named with
// QT_QPA_PLATFORM or -platform is taken as given, else DISPLAY or WAYLAND_DISPLAY must be set.
// args are the arguments after the program name.
std::optional<std::string> MissingDisplay(const std::vector<std::string>& args);

}  // namespace vantrell::desktop
