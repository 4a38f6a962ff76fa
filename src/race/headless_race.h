// A solo race without a window: the game objects with no sound, display or dialogs, one stage
// loaded from a directory as the game loads it, and player 1's controls taken from a recording
// (or any other source of one byte per race tick). Used by the command-line tool and the tests
// to verify, trace and render recorded runs exactly as the game would drive them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "race/game_state.h"

namespace vantrell {

enum class RacePhase { Countdown, Running, Finish };

const char* RacePhaseName(RacePhase phase);

// How a race ended: at the goal with the time the game stores, or by running out of time.
struct RaceOutcome {
    bool goal = false;
    int32_t time = 0;  // raceTicks at the end: one past the tick of the 20th pass, or 2400
};

// The phase a race whose counters stand at `progress` runs its next tick in.
RacePhase NextPhaseOf(const RaceProgress& progress);
// The byte of `recording` that drives the race's next tick: byte t on race tick t while
// running; 0 in the countdown, the finish and at the time limit, where the game holds the
// controls off whatever they say. How the tool, the tests and any host replay a run.
uint8_t RecordedByteForNextTick(const RaceProgress& progress, const Recording& recording);

class HeadlessRace {
  public:
    // Creates the game as the window's creation does and selects the stage; the files come from
    // `dataDir`. Missing or broken files load what they can, as in the game: check the stage
    // with CheckStage (race/stage_check.h) first.
    HeadlessRace(const std::filesystem::path& dataDir, int32_t stage);
    // The same on stage `stage` from its files' bytes as already read, which a good stage loads
    // exactly as from its files.
    HeadlessRace(int32_t stage, const StageBytes& files);
    HeadlessRace(const HeadlessRace&) = delete;
    HeadlessRace& operator=(const HeadlessRace&) = delete;

    // True when every data file the stage needs is in `dataDir`; `missing` names the first
    // one that is not.
    static bool StageFilesPresent(const std::filesystem::path& dataDir, int32_t stage,
                                  std::string* missing = nullptr);

    // Frames are composed on every tick unless told otherwise; a race driven only for its
    // outcome runs far faster without.
    void SetDrawing(Drawing drawing) { drawing_ = drawing; }

    void StartSolo();
    // The phase the next Step will run in.
    RacePhase NextPhase() const;
    // The race tick the next Step will count while running (raceTicks + 1); its byte is the
    // one a recording holds for that tick.
    int32_t NextRaceTick() const { return game_.Progress().RaceTicks() + 1; }
    // One tick with `byte` as player 1's controls (live; ignored by the game outside the
    // running phase) and player 2 without input. Returns RaceStep's result.
    int32_t Step(uint8_t byte);
    // Whether the race has come to its end (the finish phase ran out).
    bool Over() const { return over_; }
    RaceOutcome Outcome() const;

    // Runs a solo race to its end with the recording as player 1's controls: byte t on race
    // tick t. `afterStep`, if given, sees the phase each tick ran in and the game after it.
    RaceOutcome Run(const Recording& recording,
                    const std::function<void(RacePhase, const GameState&)>& afterStep = {});

    GameState& game() { return game_; }
    const GameState& game() const { return game_; }

  private:
    GameState game_;
    bool over_ = false;
    Drawing drawing_ = Drawing::Frames;
};

}  // namespace vantrell
