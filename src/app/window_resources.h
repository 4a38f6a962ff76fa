// The main window's resources as data, for the desktop host to build its window, menu and
// About box from: names, texts and layout exactly as the game shows them.
#pragma once

#include <cstdint>
#include <span>

namespace vantrell {

struct WindowInfo {
    const char* className;
    const char* title;
    const char* iconName;
    const char* menuName;
    uint32_t classStyle;   // redraw on horizontal and vertical resize, double clicks
    uint32_t windowStyle;  // visible, caption, system menu, sizing frame, minimise box only
    int32_t x, y, width, height;
};

const WindowInfo& MainWindowInfo();

// One menu item; a separator has id 0 and no text. "&" marks the mnemonic.
struct MenuItemDef {
    int32_t id;
    const char* text;
    bool checked;  // initial state
    bool IsSeparator() const { return id == 0; }
};

struct MenuPopupDef {
    const char* text;
    bool rightJustified;  // placed at the right end of the menu bar
    std::span<const MenuItemDef> items;
};

// VANTR_MENU: the four pop-ups of the menu bar, left to right.
std::span<const MenuPopupDef> MainMenu();

// The About box "AppAbout", in dialog units.
struct AboutControl {
    enum Kind : int32_t { Text, Icon, DefaultButton };
    Kind kind;
    int32_t id;  // -1 for controls that send nothing
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

}  // namespace vantrell
