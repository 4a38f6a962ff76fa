#include "hosts/desktop/window_templates.h"

#include "platform/ui_text.h"

namespace vantrell::desktop {

namespace {

constexpr WindowInfo kMainWindow{"VantrellforWin95", "  Vantrell for Win95", 16, 32, 256, 360};

constexpr AboutControl kAboutControls[] = {
    {AboutControl::Text, VT_TRANSLATE_NOOP("Dialogs", "Vantrell for Windows95"), 20, 5, 89, 8},
    {AboutControl::Text, VT_TRANSLATE_NOOP("Dialogs", "Version 1.0"), 45, 24, 64, 8},
    {AboutControl::Text, VT_TRANSLATE_NOOP("Dialogs", "Game and course design"), 19, 45, 100, 9},
    {AboutControl::Text, VT_TRANSLATE_NOOP("Dialogs", "by the Vantrell team"), 5, 55, 120, 9},
    {AboutControl::Icon, "VANTRICO", 14, 23, 18, 20},
    {AboutControl::DefaultButton, VT_TRANSLATE_NOOP("Dialogs", "OK"), 43, 71, 32, 14},
};

constexpr AboutBoxTemplate kAbout{"AppAbout", "ＭＳ Ｐゴシック", 9, 50, 17, 125,
                                  92,         kAboutControls};

}  // namespace

const WindowInfo& MainWindowInfo() {
    return kMainWindow;
}

const AboutBoxTemplate& AboutBox() {
    return kAbout;
}

}  // namespace vantrell::desktop
