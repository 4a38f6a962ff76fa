// The main window's behaviour without the window: the host forwards each message (creation,
// destruction, focus, paint, move, size, timer, system command, menu command) and the shell
// turns it into calls on the game. Commands the game "posts" to itself wait in a queue that the
// host drains with RunPosted after every message, as its message loop would; "sent" commands
// run at once, nested.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>

#include "app/commands.h"
#include "app/game.h"
#include "app/config_dialog.h"

namespace vantrell {

class Shell {
  public:
    // Shows the configuration dialog modally and returns when "O K" has ended it. The host
    // keeps delivering ticks meanwhile: the race goes on behind this dialog.
    using ConfigDialogRunner = std::function<void(ConfigDialog&)>;

    // The game must outlive the shell.
    explicit Shell(Game& game) : game_(game) {}

    void SetConfigDialogRunner(ConfigDialogRunner runner) { runConfigDialog_ = std::move(runner); }

    // Loads stage 0 and the demonstration, sets the initial check marks and posts the command
    // that arms the hand-over, starts the demonstration and the timer.
    void OnCreate();
    // Stops the timer, stores the game speed and asks the host to leave its loop. Commands
    // still queued are dropped: they were meant for a window that is gone.
    void OnDestroy();
    // Regaining the focus restarts the game after a minimise, but only while armed.
    void OnSetFocus();
    // Painting, moving and resizing repaint the status strip at once; the view is redrawn by
    // the next tick.
    void OnPaint();
    void OnMove();
    void OnSize();
    // One tick: only timer 3 (the low word of timerParam) runs the poll and the race step.
    void OnTimer(uint32_t timerParam);
    // System menu commands, by the low word. The host then does its own default handling
    // (closing or minimising the window) for every code.
    void OnSysCommand(uint32_t code);
    // A command from the menu or from the game itself, by the low word; unknown ids are ignored.
    void OnCommand(uint32_t commandParam);

    // Runs the posted commands in order, including any they post in turn.
    void RunPosted();
    bool HasPosted() const { return !posted_.empty(); }

    int32_t resultArmed = 0;
    bool quitRequested = false;
    int32_t exitCode = 0;

  private:
    void Send(int32_t id) { OnCommand(static_cast<uint32_t>(id)); }
    void Post(int32_t id) { posted_.push_back(id); }
    void RepaintStatus();
    void SelectStage(int32_t id);
    void OpenConfigDialog();
    void ToggleEffects();
    void ToggleMusic();
    // Stops the timer, runs work (a dialog or a mode start) and starts the timer again.
    template <typename Work>
    void Stopped(Work work) {
        Send(CmdStopTimer);
        work();
        Send(CmdStartTimer);
    }

    Game& game_;
    ConfigDialogRunner runConfigDialog_;
    std::deque<int32_t> posted_;
    bool destroyed_ = false;
};

}  // namespace vantrell
