// The game's one top-level window: title, icon, the VANTR_MENU menu bar and the game view. It is
// the game's Display, and it turns Qt's window events (close, minimise, activation, move,
// resize, menu choices and timer ticks) into the shell's messages. Commands the shell posts run
// later from the event loop, as posted messages would.
#pragma once

#include <QElapsedTimer>
#include <QMainWindow>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "hosts/desktop/game_view.h"
#include "hosts/desktop/menu_builder.h"
#include "hosts/desktop/race_display_switches.h"
#include "hosts/desktop/race_panel.h"
#include "platform/display.h"

namespace vantrell {
class Shell;
}

namespace vantrell::desktop {

class RetryKeys;

class MainWindow final : public QMainWindow, public Display {
  public:
    MainWindow();
    ~MainWindow() override;

    // From here on window events reach the shell, which must outlive the window's use of it.
    void AttachShell(Shell* shell);
    // Called after every tick's commands have run (the desktop's probes hook in here).
    void SetAfterTick(std::function<void()> afterTick) { afterTick_ = std::move(afterTick); }
    // Called with the exit code once the window is destroyed and the shell asks to quit.
    void SetOnQuit(std::function<void(int)> onQuit) { onQuit_ = std::move(onQuit); }

    // One tick of the game timer.
    void Tick();
    // A menu command, as choosing the item sends it.
    void SendCommand(Command command);
    // Runs the commands the shell posted once control is back in the event loop.
    void SchedulePosted();
    // The window's outer size as 1, 2 or 3 times 256 x 360; applied at once when shown and not
    // full screen.
    void SetWindowScale(int32_t scale);
    // The picture mode's shape: the view and the window's default width follow it (Wide is
    // wider by its extra picture), the window resized at once when shown and not full screen.
    void SetViewMode(ViewMode mode);

    // The race display's switches from this settings file (empty: the program's own), as menu
    // items; shows or hides the panel below the picture.
    void UseRaceDisplaySettings(const QString& iniPath);
    // Shows or hides the race display; the window grows or shrinks by the panel so the picture
    // keeps its size.
    void ShowRacePanel(bool shown);

    // Display
    void Present(const Bitmap8& frameBuffer) override;
    void PaintStatus(const std::string& text, int32_t widthUnits) override;
    void SetMenuCheck(Command command, bool checked) override;

    GameView& View() { return *view_; }
    GameMenu& Menu() { return *menu_; }
    // The retry keys the window listens for.
    RetryKeys& Retry() { return *retryKeys_; }
    RacePanel& Panel() { return *panel_; }
    RaceDisplaySwitches* RaceDisplaySettings() { return switches_.get(); }
    // When the latest tick arrived, before any of its work.
    std::chrono::steady_clock::time_point TickArrival() const { return tickArrival_; }
    // Whether the window has been through its destruction (the shell has been told).
    bool Destroyed() const { return destroyed_; }
    // Whether the window at `scale` (the race display included when shown) fits the available
    // area of the screen it is on.
    bool WindowScaleFits(int32_t scale) const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void RunPending();
    // The race display follows the game after every tick and command.
    void RefreshPanel();
    // The window's height beyond the picture and strip: the race display when shown.
    int PanelHeight() const;
    // Sizes the window so that its frame, where the window system draws one, is 256 x 360
    // (times the window scale; Wide adds its extra width), with the race display's panel below.
    void FitOuterSize();
    void ResizeOuter();
    // The window's outer width at scale 1 for the current mode.
    int OuterWidth() const;
    void ScaleMarksToPicture();

    GameView* view_ = nullptr;
    RacePanel* panel_ = nullptr;
    std::unique_ptr<RaceDisplaySwitches> switches_;
    std::unique_ptr<GameMenu> menu_;
    RetryKeys* retryKeys_ = nullptr;  // owned by the window
    Shell* shell_ = nullptr;
    std::function<void()> afterTick_;
    std::function<void(int)> onQuit_;
    std::chrono::steady_clock::time_point tickArrival_;
    bool postScheduled_ = false;
    bool destroyed_ = false;
    // The window system reports the frame some time after showing, so the moves of the first
    // moment after the first show fit again; later ones are the player's.
    int fitsLeft_ = 0;
    QElapsedTimer sinceShown_;
    bool shown_ = false;
    int32_t windowScale_ = 1;
    ViewMode mode_ = ViewMode::Original;
};

}  // namespace vantrell::desktop
