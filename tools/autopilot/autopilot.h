// Our own driver. It steers through the game's controls only: each race tick it looks at what a
// player could see (the first craft's position, velocity and heading, the next checkpoint and
// the height field) and answers with one recording byte. It chooses by trying plans on copies
// of the craft with the craft's own step, so drift and slopes are foreseen exactly.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "autopilot/autopilot_route.h"
#include "craft/craft.h"
#include "race/game_state.h"
#include "race/headless_race.h"

namespace vantrell {

// How a driver drives: how far and how finely it looks ahead, how much it shuns the banks,
// which controls it uses and how fast it dares to go.
struct AutopilotStyle {
    std::string name;
    std::string driver;         // the name its runs carry in a record table
    int32_t segmentTicks = 8;   // each planned control is held this many ticks
    int32_t segments = 3;       // plans are this many controls long
    int32_t slopePenalty = 2;   // how dear steep ground is on the route map
    int32_t momentumTicks = 4;  // how far the speed at the plan's end counts as progress
    bool useReverse = true;     // reverse thrust as a brake
    bool coast = true;          // may let go of the thrust altogether
    int32_t speedCap = 0;       // lifts off the thrust at this speed (1/512 units a tick); 0 never
};

// The driving styles we ship, in a fixed order; the first is the default.
const std::vector<AutopilotStyle>& AutopilotStyles();
// The style of that name, or nullptr.
const AutopilotStyle* FindAutopilotStyle(const std::string& name);

class Autopilot {
  public:
    // The route map is built from the terrain and checkpoints as they stand (course objects
    // included); build the autopilot after the stage is loaded.
    Autopilot(const Terrain& terrain, const std::array<Checkpoint, kCheckpointCount>& boxes,
              const AutopilotStyle& style);

    // The controls for the next running tick, given the first craft as it stands and the
    // checkpoint it must pass next.
    uint8_t Choose(const CraftState& craft, int32_t nextCheckpoint);

    const AutopilotRoute& route() const { return route_; }

  private:
    int64_t Value(const CraftState& craft, int32_t next, int32_t tick) const;
    // The action as this style drives it: at its speed cap, thrust that would not slow the
    // craft is let go.
    uint8_t Throttled(const CraftState& craft, uint8_t action) const;
    void Search(const CraftState& craft, int32_t next, int32_t depth, int32_t tick, int64_t& best,
                int32_t& bestFirst, int32_t first);

    const std::array<Checkpoint, kCheckpointCount>& boxes_;
    AutopilotStyle style_;
    AutopilotRoute route_;
    std::vector<uint8_t> actions_;
    std::array<ControlState, 11> controls_{};  // one replayed record per byte value
};

// A race the autopilot drove: its outcome and the recording the game made of it.
struct AutopilotRun {
    RaceOutcome outcome;
    Recording recording{};
};

// Drives a solo race on the loaded stage of `race` to its end.
AutopilotRun DriveAutopilot(HeadlessRace& race, const AutopilotStyle& style);

}  // namespace vantrell
