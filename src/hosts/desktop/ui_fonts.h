// The faces the game's resources name, mapped onto the Japanese fonts Debian ships (IPA fonts
// from fonts-ipafont-mincho and fonts-ipafont-gothic), each with fallbacks so a machine
// without them still shows Japanese text in whatever CJK face it has.
#pragma once

#include <QFont>

namespace vantrell::desktop {

// "ＭＳ 明朝" as the status strip uses it: 20 pixels high, weight 550.
QFont StatusFont();

// A dialog template's face and size in points: "ＭＳ Ｐゴシック" becomes IPA P Gothic,
// "ＭＳ 明朝" IPA Mincho; other faces are asked for by name. Points count at 96 dots per inch.
QFont FontForFace(const char* face, int points);

// The system font of dialogs without a font of their own: fixed pitch, 16 pixels, so list
// columns padded with blanks line up (a full-width character is two columns wide).
QFont SystemDialogFont();

// The application's font for menus and message boxes.
QFont MenuFont();

}  // namespace vantrell::desktop
