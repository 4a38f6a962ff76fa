// The race display below the picture, as the desktop's panel shows it: the clock and the time
// left, the checkpoints passed, the split against the reference run and a small map of the
// stage with both craft and the next checkpoint. Drawn by the page (page/panel.js).
#pragma once

#include <cstdint>
#include <string>

#include "race/race_display.h"

namespace vantrell::web {

class WebPanel {
  public:
    // Hands the display to the page when it changed, and the stage's picture for the map when
    // the stage did.
    void Show(const RaceDisplay& display);

  private:
    int32_t mapStage_ = -1;
    std::string last_;
};

}  // namespace vantrell::web
