// The main window's and the About box's layout as the desktop draws them: the window's place
// and size in pixels, the About box in dialog units.
#pragma once

#include <cstdint>
#include <span>

namespace vantrell::desktop {

struct WindowInfo {
    const char* className;
    const char* title;
    int32_t x, y, width, height;
};

const WindowInfo& MainWindowInfo();

// The About box "AppAbout", in dialog units.
struct AboutControl {
    enum Kind : int32_t { Text, Icon, DefaultButton };
    Kind kind;
    const char* text;
    int32_t x, y, width, height;
};

struct AboutBoxTemplate {
    const char* name;
    const char* fontFace;
    int32_t fontPoints;
    int32_t x, y, width, height;
    std::span<const AboutControl> controls;
};

const AboutBoxTemplate& AboutBox();

}  // namespace vantrell::desktop
