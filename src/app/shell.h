// The main window's behaviour without the window: the host reports what happened to the game
// (it starts or stops, the focus comes back, the status strip needs repainting, a tick, a
// command chosen, the player asking to close or minimise) and the shell turns it into calls on
// the game. Work the game leaves for later waits in a queue that the host drains with
// RunPending once the current event is handled, as a message loop would.
#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/config_dialog.h"
#include "app/game.h"
#include "input/control_code.h"
#include "platform/commands.h"
#include "race/race_display.h"

namespace vantrell {

class Shell {
  public:
    // Shows the configuration dialog modally and returns when "O K" has ended it. The host
    // keeps delivering ticks meanwhile: the race goes on behind this dialog.
    using ConfigDialogRunner = std::function<void(ConfigDialog&)>;

    // The game must outlive the shell.
    explicit Shell(Game& game) : game_(game) {}

    void SetConfigDialogRunner(ConfigDialogRunner runner) { runConfigDialog_ = std::move(runner); }
    // Called when the race display changed in the middle of the shell's work (a missed run
    // told before its message box), for a host that shows RaceView only after each event.
    void SetDisplayChanged(std::function<void()> changed) { displayChanged_ = std::move(changed); }

    // Loads stage 0 and its table, sets the initial check marks and posts the work that arms
    // the hand-over, starts the demonstration and the timer.
    void Start();
    // The window is gone: stops the timer, stores the game speed and asks the host to leave
    // its loop (QuitRequested). Work still queued is dropped: it was meant for that window.
    void Stop();
    // Regaining the focus restarts the game after a minimise, but only while armed.
    void FocusRegained();
    // The window was painted, moved or resized: the status strip is repainted at once; the
    // view is redrawn by the next tick.
    void RepaintStatus();
    // The tick timer fired: samples the controls once and runs one tick with them.
    void TimerFired();
    // One tick with both players' controls, however they were sampled.
    void Tick(const TickInput& input);
    // The player asked to close the window: stops the game and offers to save the table. True
    // when the window may close now; false when the player chose to stay, and the game goes on
    // where it was.
    bool CloseRequested();
    // The window is being minimised: the game stops until the focus comes back.
    void Minimized();
    // A command the player chose from the menu. Starting a mode (a race, free drive, the
    // demonstration, a stage) ends a pause; a dialog alone does not.
    void OnCommand(Command command);
    // The player paused or resumed the race or the demonstration. While paused the timer stays
    // stopped whatever else asks for it (a closed dialog, the focus coming back).
    void TogglePause();
    bool Paused() const { return paused_; }
    // The host looks at the pads' Start buttons, often and between ticks too (a paused game
    // has no ticks): a press toggles the pause as the pause keys do, but only while the
    // host's window would take a pause key (`windowListening`: it has the focus, no menu is
    // open) and no dialog is open.
    void CheckPadPause(bool windowListening);

    // A dialog or message of the host's own (the world table's): the timer stops while it is
    // open, which counts as a dialog open, and starts again after, as for the game's dialogs.
    void RunHostDialog(const std::function<void()>& work) {
        Stopped([&] { game_.Dialogs().Counted(work); });
    }
    // The current stage, 0..4; 0 for a stage pack, whose files are stage 0's in its folder.
    int32_t CurrentStage() const { return game_.State().CurrentStage().Index(); }
    // The folder of the current stage's files and table: the game folder, or a pack's.
    const std::filesystem::path& StageDir() const { return place_.dir; }
    // The installed pack being raced (its id); empty on a built-in stage.
    const std::string& CurrentPack() const { return place_.pack; }
    // Its name as the player reads it (in the player's language); empty on a built-in stage.
    const std::string& CurrentPackName() const { return place_.name; }

    // The player asked to race again (R, Backspace, a pad's Back button): the current race
    // mode starts again from the countdown with the same opponent, at once during a race. A
    // run that has reached its end is handed to the name entry first, and the race starts
    // again after it. In the demonstration right after a race, that race starts again.
    // Ignored while a dialog is open, the controls dialog included.
    void RequestRetry();
    // What the race display shows after the latest tick or mode start.
    const RaceDisplay& RaceView() const { return raceDisplay_.Now(); }
    // The run splits are measured against: the stage's best run, or the recording raced.
    const RaceDisplayModel& RaceDisplayState() const { return raceDisplay_; }

    // Runs the pending work in order, including any it leaves in turn.
    void RunPending();
    bool HasPending() const { return !posted_.empty(); }

    // Whether a finished race would be handed to the name entry now.
    bool ResultArmed() const { return resultArmed_; }
    // Whether the host should leave its loop, and with which exit code.
    bool QuitRequested() const { return quitRequested_; }
    int32_t ExitCode() const { return exitCode_; }

  private:
    // Work the shell leaves for the loop to run after the current event.
    enum class Posted { EnterDemo, StartDemo, StartTimer };

    void Post(Posted work) { posted_.push_back(work); }
    void Run(Posted work);
    // Back to the demonstration with the hand-over armed; the demonstration and the timer
    // start from the loop.
    void EnterDemo();
    // Hands a finished race to the high-score entry, then back to the demonstration.
    void EnterFinishedRun();
    // Where the current stage comes from: stage n of the game folder, or an installed pack.
    struct StagePlace {
        int32_t stage = 0;
        std::filesystem::path dir;
        std::string pack;  // the pack's id; empty for a built-in stage
        std::string name;  // a pack's name as the player reads it
        bool SameAs(const StagePlace& other) const {
            return stage == other.stage && pack == other.pack;
        }
    };
    StagePlace BuiltIn(int32_t stage) const;
    StagePlace PackPlace(const InstalledPack& pack) const;
    void SelectStage(int32_t stage) { SelectPlace(BuiltIn(stage)); }
    // Saves the old table (asking), checks and loads the new stage and its table; with `reload`
    // the current place's files are read again (an updated pack) and its table is kept.
    void SelectPlace(const StagePlace& place, bool reload = false);
    // The list of built-in stages and installed packs, and what the player does from it.
    void OpenStageList();
    std::vector<StageListRow> StageRows(const std::vector<InstalledPack>& packs);
    // A pack file the player picks, checked before anything is written.
    void AddStagePack();
    void RemoveStagePack(const InstalledPack& pack);
    // Starts a race mode (solo, against `opponent_`, free drive) with the run its splits are
    // measured against.
    void StartRace(RaceMode mode);
    // Keeps a copy of the recording to race against, so a run entering the table over it
    // leaves the opponent of a retry unchanged, and drives it for its checkpoint ticks.
    void SetOpponent(const uint8_t* recording);
    // Takes a copy of the stage's best run after the table changed; BestTimes drives it again
    // for its checkpoint ticks when a solo race first needs them, so that a start or a change
    // of stage does not wait for a drive of the whole run.
    void RefreshBestTimes();
    const CheckpointTimes& BestTimes();
    void RefreshDisplay();
    // Loads the stage's table and tells the player if its record file was not well-formed.
    void LoadTable(int32_t stage);
    // Tells the player what is wrong with stage n's files as read, if anything. With `mayStay`
    // the player may keep the stage now loaded instead: false when they chose to.
    bool ReportStageProblems(const StagePlace& place, const StageBytes& files, bool mayStay);
    void OpenConfigDialog();
    void ToggleEffects();
    void ToggleMusic();
    // The one rule for every start of the tick timer: never while paused or while a dialog or
    // message box is open (the controls dialog is not one of them: the race runs on behind it).
    void StartTimer();
    // Stops the timer, runs work (a dialog or a mode start) and starts the timer again.
    template <typename Work>
    void Stopped(Work work) {
        game_.Timer().StopTickTimer();
        work();
        StartTimer();
    }

    Game& game_;
    ConfigDialogRunner runConfigDialog_;
    bool resultArmed_ = false;  // a finished race may be handed over
    bool quitRequested_ = false;
    int32_t exitCode_ = 0;
    std::deque<Posted> posted_;
    // The recording of a run file raced against: the race replays it from here.
    Recording runFileOpponent_{};
    bool destroyed_ = false;
    bool paused_ = false;
    bool configOpen_ = false;
    RaceDisplayModel raceDisplay_;
    std::function<void()> displayChanged_;
    // The current stage's files as read once: checked, loaded, and driven again for splits.
    StageBytes stageFiles_;
    StagePlace place_;
    CheckpointTimes bestTimes_;
    Recording bestRun_{};
    bool bestTimesDue_ = false;  // bestRun_ not driven yet
    CheckpointTimes opponentTimes_;
    Recording opponent_{};
    RaceMode lastRace_ = ModeDemo;  // the race a retry starts again; demo for none
    bool retryPending_ = false;     // a retry asked for at the finish: after the name entry
};

}  // namespace vantrell
