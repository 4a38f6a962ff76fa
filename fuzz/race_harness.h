// A game on the generated content, without a window, for the targets that drive race ticks:
// craft put anywhere on the course, one input byte per tick as controls, and after every tick
// the invariants the soak checks.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/game.h"
#include "fuzz_support.h"
#include "input/control_code.h"
#include "quiet_platform.h"
#include "race/game_state.h"
#include "race_invariants.h"
#include "records/hiscore_table.h"
#include "sound/sound_player.h"
#include "state_access.h"

namespace vantrell::fuzz {

class RaceHarness {
  public:
    explicit RaceHarness(const std::filesystem::path& dataDir = GameDir())
        : records(dataDir),
          sound(audio, check::QuietWaves(), dataDir),
          game(GameServices{&sound, &records, &display, dataDir}) {
        game.Create();
        records.Load(0);
    }

    // Puts a craft, active, at a fixed-point position, moved onto the course if it lies off it.
    void Place(CraftState& craft, int64_t posX, int64_t posY, uint8_t heading) {
        craft.active = 1;
        craft.posX = static_cast<int32_t>(std::clamp<int64_t>(posX, 0, kCourseLengthFixed));
        craft.posY = static_cast<int32_t>(std::clamp<int64_t>(posY, kEdgeLowFixed, kEdgeHighFixed));
        craft.x = craft.posX / 512;
        craft.y = craft.posY / 512;
        craft.heading = heading & 63;
        craft.viewHeading = craft.heading;
        craft.velX = craft.velY = 0;
        craft.ground = game.CurrentStage().Ground().HeightAt(craft.x, craft.y);
    }
    // The same, anywhere on the course, chosen by two 16-bit values.
    void PlaceAnywhere(CraftState& craft, uint16_t across, uint16_t along, uint8_t heading) {
        Place(craft, int64_t{across} * kCourseLengthFixed / 65535,
              kEdgeLowFixed + int64_t{along} * (kEdgeHighFixed - kEdgeLowFixed) / 65535, heading);
    }

    // Takes the course as it now stands as the one every tick must leave behind. Called after
    // the course was loaded or changed, before the ticks.
    void CourseReady() { before_.Capture(game); }

    // One tick with these controls for both players (the low and high nibble), checked.
    // Returns the race step's result.
    // Undrawn ticks skip the frame where the input under test never reaches it.
    int32_t Tick(uint8_t controls, Drawing drawing = Drawing::Frames) {
        const int32_t result = game.RaceStep(
            TickInput{RecordedControls(controls & 15), RecordedControls(controls >> 4)}, drawing);
        std::string fault = check::AfterTick(game);
        // Only a drawn frame stamps anything into the course, so only one can leave a stamp.
        if (fault.empty() && drawing == Drawing::Frames) {
            fault = before_.Difference(game);
        }
        if (!fault.empty()) {
            std::fprintf(stderr, "after a race tick: %s\n", fault.c_str());
            std::abort();
        }
        return result;
    }

    // Starts one of the four modes, picked by a byte; with `running` the countdown is skipped.
    void StartMode(uint8_t pick, bool running) {
        switch (pick % 4) {
            case 0:
                game.StartDemo();
                break;
            case 1:
                game.StartSolo();
                break;
            case 2:
                game.StartVersus(records.RecordingAt(records.SelectedOpponent()));
                break;
            default:
                game.StartFreeDrive();
                break;
        }
        if (running) {
            StateAccess(game).countdown = 0;
        }
    }

    check::QuietAudio audio;
    check::QuietDisplay display;
    HiScoreTable records;
    SoundPlayer sound;
    GameState game;

  private:
    check::CourseSnapshot before_;
};

}  // namespace vantrell::fuzz
