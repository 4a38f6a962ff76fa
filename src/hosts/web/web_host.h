// The game in a browser tab: the page's devices, the game objects and the shell, driven by the
// page's events (ticks from its fixed-step loop, menu commands, pause and retry keys, the tab
// hidden or shown). Everything runs on one suspended-and-resumed call stack: the event loop
// waits for the page's next event, and a dialog opened inside a tick or a command waits for its
// answer the same way, so the game keeps its modal dialogs without blocking the browser.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "app/game.h"
#include "app/shell.h"
#include "hosts/web/web_audio.h"
#include "hosts/web/web_devices.h"
#include "hosts/web/web_dialogs.h"
#include "hosts/web/web_display.h"
#include "hosts/web/web_panel.h"
#include "hosts/web/web_protocol.h"
#include "input/control_code.h"

namespace vantrell::web {

class WebHost {
  public:
    explicit WebHost(std::filesystem::path dataDir);
    ~WebHost();
    WebHost(const WebHost&) = delete;
    WebHost& operator=(const WebHost&) = delete;

    // Creates the game as a window's creation would, then handles the page's events forever.
    [[noreturn]] void Run();
    // The host whose Run has begun, or null: what the program's exports ask.
    static WebHost* Running() { return running_; }

    // For the page's self-checks: the fingerprints of the first frames, every stored run driven
    // again, and a recording to drive the next solo race with (player 1's controls come from it
    // tick by tick, as the tool drives a run), pausing after `pauseAfter` steps (0: never).
    std::string FrameLog() const { return display_.FrameLog(); }
    std::string VerifyRecords() const;
    void DriveNextSoloRace(const Recording& recording, int32_t pauseAfter);
    std::string State() const;
    // For the world table: the current stage and its course digest, and with `name` (UTF-8: the
    // world name the key belongs to) the run file of that name's best run in the stage's table,
    // as JSON {stage, course, time, run (hex)}; no run when the table holds none of theirs.
    std::string WorldRun(const std::string& name) const;
    // The keys the player bound on the page (drive, pause and retry as the game reads them).
    void UseKeys(const KeyBindings& bindings) {
        if (game_ != nullptr) {
            game_->Input().SetBindings(bindings);
        }
    }
    // Runs entered since the table was last saved: closing the tab now would lose them.
    bool Unsaved() const { return game_ != nullptr && game_->Records().Changed(); }

  private:
    struct Event {
        PageEvent type{};
        int32_t a = 0;
        int32_t b = 0;
    };

    static Event NextEvent();
    void Handle(const Event& event);
    void DeliverTicks(int32_t count);
    void OneTick();
    // After anything that may have written files: store the game folder in the browser's
    // database.
    void Settle(int32_t answeredBefore);
    void RunControlsDialog(ConfigDialog& dialog);
    void SetViewMode(int32_t number);

    static inline WebHost* running_ = nullptr;

    std::filesystem::path dataDir_;
    WebKeyState keys_;
    WebJoysticks joysticks_;
    WebAudio audio_;
    WebDisplay display_;
    WebPanel panel_;
    WebDialogs dialogs_;
    WebTickTimer timer_;
    WebSpeedStore speedStore_;
    std::unique_ptr<Game> game_;
    std::unique_ptr<Shell> shell_;

    std::optional<Recording> drive_;
    int32_t drivePauseAfter_ = 0;
    int32_t driveSteps_ = 0;
    bool driving_ = false;
};

}  // namespace vantrell::web
