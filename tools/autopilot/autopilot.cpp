#include "autopilot/autopilot.h"

#include <limits>

#include "craft/heading_tables.h"
#include "input/control_code.h"

namespace vantrell {

namespace {

constexpr int64_t kGoalValue = -(int64_t{1} << 40);  // below every potential
constexpr int32_t kFixedUnit = 512;

// Floor of the square root, exact for every value the route can give.
int64_t IntegerRoot(int64_t v) {
    int64_t root = 0;
    int64_t bit = int64_t{1} << 62;
    while (bit > v) {
        bit >>= 2;
    }
    while (bit != 0) {
        if (v >= root + bit) {
            v -= root + bit;
            root = (root >> 1) + bit;
        } else {
            root >>= 1;
        }
        bit >>= 2;
    }
    return root;
}

bool InsideBox(const Checkpoint& box, int32_t x, int32_t y) {
    return box.x < x && x < box.x + 16 && box.y < y && y < box.y + 16;
}

AutopilotStyle MakeStyle(const char* name, const char* driver, int32_t segmentTicks,
                         int32_t segments, int32_t slopePenalty, int32_t momentumTicks,
                         bool useReverse, bool coast, int32_t speedCap = 0) {
    AutopilotStyle style;
    style.name = name;
    style.driver = driver;
    style.segmentTicks = segmentTicks;
    style.segments = segments;
    style.slopePenalty = slopePenalty;
    style.momentumTicks = momentumTicks;
    style.useReverse = useReverse;
    style.coast = coast;
    style.speedCap = speedCap;
    return style;
}

}  // namespace

const std::vector<AutopilotStyle>& AutopilotStyles() {
    // Two experts, then drivers who lift off ever earlier: a ladder from the best time down to
    // a beginner's, who takes the course at about half the top speed.
    static const std::vector<AutopilotStyle> styles = {
        MakeStyle("swift", "Ilse Varga", 8, 3, 2, 4, true, true),
        MakeStyle("steady", "Tobin Marsh", 6, 3, 6, 2, false, true, 1314),
        MakeStyle("bold", "Renata Quill", 10, 3, 1, 6, true, true, 1726),
        MakeStyle("eager", "Oskar Lune", 4, 3, 2, 8, true, true, 1576),
        MakeStyle("flat-out", "Mireille Dax", 8, 3, 3, 4, false, false),
        MakeStyle("careful", "Hugo Brenn", 6, 3, 10, 1, true, true, 1000),
        MakeStyle("long-eye", "Selma Ott", 12, 3, 2, 3, true, true, 1439),
        MakeStyle("bank-shy", "Pavel Ring", 8, 3, 16, 4, true, true, 1096),
        MakeStyle("twitchy", "Nell Corrie", 3, 4, 2, 6, true, true, 1890),
        MakeStyle("smooth", "Ada Fenwick", 9, 3, 4, 5, false, true, 1200),
    };
    return styles;
}

const AutopilotStyle* FindAutopilotStyle(const std::string& name) {
    for (const AutopilotStyle& style : AutopilotStyles()) {
        if (style.name == name) {
            return &style;
        }
    }
    return nullptr;
}

Autopilot::Autopilot(const Terrain& terrain, const std::array<Checkpoint, kCheckpointCount>& boxes,
                     const AutopilotStyle& style)
    : boxes_(boxes), style_(style), route_(terrain, boxes, style.slopePenalty) {
    // Every byte the recorder can make, forward first so that ties favour going somewhere.
    for (const uint8_t thrust : {kRunForward, uint8_t{0}, kRunReverse}) {
        if ((thrust == kRunReverse && !style_.useReverse) || (thrust == 0 && !style_.coast)) {
            continue;
        }
        for (const uint8_t turn : {uint8_t{0}, kRunLeft, kRunRight}) {
            actions_.push_back(static_cast<uint8_t>(thrust | turn));
        }
    }
    for (size_t b = 0; b < controls_.size(); ++b) {
        ReplayByte(static_cast<uint8_t>(b), controls_[b]);
    }
}

int64_t Autopilot::Value(const CraftState& craft, int32_t next, int32_t tick) const {
    if (next >= kCheckpointCount) {
        return kGoalValue + tick;  // the sooner the better
    }
    const int64_t potential = route_.Potential(next, craft.posX, craft.posY);
    // Speed along the falling potential is progress still to come.
    const int64_t dx = route_.CellPotential(next, craft.x + 1, craft.y) -
                       route_.CellPotential(next, craft.x - 1, craft.y);
    const int64_t dy = route_.CellPotential(next, craft.x, craft.y + 1) -
                       route_.CellPotential(next, craft.x, craft.y - 1);
    // Only the direction of the fall counts: a steep bank must not make speed into it look like
    // fast progress.
    const int64_t slope = IntegerRoot(dx * dx + dy * dy);
    if (slope == 0) {
        return potential;
    }
    const int64_t along = -(dx * craft.velX + dy * craft.velY) / slope;  // fixed units per tick
    const int64_t progress = along * kRouteUnit / kFixedUnit;
    return potential - style_.momentumTicks * progress;
}

uint8_t Autopilot::Throttled(const CraftState& craft, uint8_t action) const {
    const uint8_t thrust = action & (kRunForward | kRunReverse);
    if (style_.speedCap == 0 || thrust == 0) {
        return action;
    }
    const int64_t cap = style_.speedCap;
    const int64_t speed2 = int64_t{craft.velX} * craft.velX + int64_t{craft.velY} * craft.velY;
    if (speed2 < cap * cap) {
        return action;
    }
    // At the cap only thrust that slows the craft is kept; reverse with the nose turned back
    // drives as well as forward does, so the direction decides, not the key.
    const int32_t turn = (action & kRunRight ? 1 : 0) - (action & kRunLeft ? 1 : 0);
    const int32_t k = (craft.heading + turn) & (kHeadingCount - 1);
    const int32_t sign = thrust == kRunForward ? 1 : -1;
    const int64_t along = sign * (int64_t{Headings().cos[static_cast<size_t>(k)]} * craft.velX +
                                  int64_t{Headings().sin[static_cast<size_t>(k)]} * craft.velY);
    return along < 0 ? action : static_cast<uint8_t>(action & ~thrust);
}

void Autopilot::Search(const CraftState& craft, int32_t next, int32_t depth, int32_t tick,
                       int64_t& best, int32_t& bestFirst, int32_t first) {
    for (const uint8_t action : actions_) {
        CraftState sim = craft;
        int32_t simNext = next;
        int32_t simTick = tick;
        for (int32_t t = 0; t < style_.segmentTicks && simNext < kCheckpointCount; ++t) {
            sim.Step(0, controls_[Throttled(sim, action)]);
            ++simTick;
            if (InsideBox(boxes_[static_cast<size_t>(simNext)], sim.x, sim.y)) {
                ++simNext;
            }
        }
        const int32_t firstAction = depth == 0 ? action : first;
        if (depth + 1 >= style_.segments || simNext >= kCheckpointCount) {
            const int64_t value = Value(sim, simNext, simTick);
            if (value < best) {
                best = value;
                bestFirst = firstAction;
            }
        } else {
            Search(sim, simNext, depth + 1, simTick, best, bestFirst, firstAction);
        }
    }
}

uint8_t Autopilot::Choose(const CraftState& craft, int32_t nextCheckpoint) {
    if (nextCheckpoint >= kCheckpointCount) {
        return 0;
    }
    int64_t best = std::numeric_limits<int64_t>::max();
    int32_t bestFirst = actions_.front();
    Search(craft, nextCheckpoint, 0, 0, best, bestFirst, actions_.front());
    return Throttled(craft, static_cast<uint8_t>(bestFirst));
}

AutopilotRun DriveAutopilot(HeadlessRace& race, const AutopilotStyle& style) {
    GameState& game = race.game();
    Autopilot pilot(game.CurrentStage().Ground(), game.CurrentStage().Course().checkpoints, style);
    race.StartSolo();
    constexpr int32_t kMaxSteps = kCountdownStart + kRaceTickLimit + kFinishLast + 8;
    for (int32_t i = 0; i < kMaxSteps && !race.Over(); ++i) {
        // Between ticks the course is exactly as loaded (the stamps are undone), so the plans
        // see the same ground the craft will.
        const uint8_t byte =
            race.NextPhase() == RacePhase::Running
                ? pilot.Choose(game.Crafts().first, game.Progress().NextCheckpoint())
                : 0;
        race.Step(byte);
    }
    AutopilotRun run;
    run.outcome = race.Outcome();
    run.recording = game.Progress().RunInputs();
    return run;
}

}  // namespace vantrell
