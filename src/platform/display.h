// What the game draws into its window: the frame buffer's shown band, stretched above the
// status strip, and the status strip's text. Also the menu's check marks.
#pragma once

#include <cstdint>
#include <string>

#include "gfx/bitmap8.h"
#include "platform/commands.h"

namespace vantrell {

class Display {
  public:
    virtual ~Display() = default;

    // Shows rows 108..227 of the 96 x 416 frame buffer through its colour table, stretched to
    // the client width and the client height less the 22-pixel status strip.
    virtual void Present(const Bitmap8& frameBuffer) = 0;
    // Paints the status strip black and, unless text is empty, draws the text in white at
    // x = (client width - 10 * widthUnits) / 2, where widthUnits counts 1 per half-width and 2
    // per full-width character.
    virtual void PaintStatus(const std::string& text, int32_t widthUnits) = 0;
    virtual void SetMenuCheck(Command command, bool checked) = 0;
};

}  // namespace vantrell
