// Driving a headless game's solo race from a recording, through the keys a player would hold:
// race tick t gets the controls of byte t, exactly as the run was recorded.
#pragma once

#include <cstdint>

#include "hosts/headless/headless_host.h"
#include "platform/commands.h"
#include "race/race_words.h"
#include "records/hiscore_table.h"

namespace vantrell::test {

// Player 1's keys held as a recorded byte says: bit 0 up, 1 down, 2 left, 3 right.
inline void HoldRecordedKeys(ScriptedKeyState& keys, uint8_t code) {
    keys.SetDown(Key::Up, (code & 1) != 0);
    keys.SetDown(Key::Down, (code & 2) != 0);
    keys.SetDown(Key::Left, (code & 4) != 0);
    keys.SetDown(Key::Right, (code & 8) != 0);
}

// One tick with the keys of the run's next byte (none outside the running race); false when
// the timer is stopped and no tick came.
inline bool TickWithRun(HeadlessHost& host, const Recording& run) {
    const RaceProgress& progress = host.game().State().Progress();
    const bool running = progress.Countdown() == 0 && progress.FinishCounter() == 0;
    const int32_t next = progress.RaceTicks() + 1;
    HoldRecordedKeys(host.keys, running && next < kRaceTickLimit ? run[next] : 0);
    return host.RunTicks(1) == 1;
}

// A solo race from the menu driven by `run`, one tick at a time as the timer delivers them,
// until the race leaves solo (the hand-over ends it) or the timer stops, or, when the hand-over
// does not come, until the last tick of the finish has run `extraTicks` + 1 times. Answers the
// ticks delivered since the command.
inline int32_t DriveSoloRace(HeadlessHost& host, const Recording& run, int32_t extraTicks = 0) {
    host.Command(Command::Solo);
    const RaceProgress& progress = host.game().State().Progress();
    int32_t ticks = 0;
    int32_t overTicks = 0;
    while (ticks < kCountdownStart + kRaceTickLimit + kFinishLast + 2) {
        const bool last = progress.FinishCounter() == kFinishLast;
        if (!TickWithRun(host, run)) {
            break;
        }
        ++ticks;
        if (progress.Mode() != ModeSolo || (last && ++overTicks > extraTicks)) {
            break;
        }
    }
    return ticks;
}

}  // namespace vantrell::test
