// Hooks for the end-to-end checks and the frame-pacing measurement, switched on by environment
// variables and silent otherwise:
//   VANTRELL_TRACE=FILE            one line per tick: tick, microseconds from the first tick's
//                                  arrival to this one's,
//                                  race mode, banner, craft 1 x and y, race ticks, and the
//                                  microseconds the tick's own work took
//   VANTRELL_SNAPSHOT=FILE.png     the window as a PNG ("%1" in the name becomes the tick)
//   VANTRELL_SNAPSHOT_TICKS=N,...  after which ticks to take it (default 300)
//   VANTRELL_QUIT_TICK=N           after tick N close the window as its close box does
#pragma once

#include <QString>

#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

#include "io/file_guard.h"

namespace vantrell::desktop {

class DesktopApp;

class TickProbe {
  public:
    // Null when no variable is set.
    static std::unique_ptr<TickProbe> FromEnvironment(DesktopApp& app);

    void AfterTick();
    // The window has closed; the process ends next.
    void Closed();

  private:
    // One line "EVENT MICROSECONDS" into the times file, in wall-clock microseconds since the
    // epoch, so a script can set them against its own clock.
    void Time(const char* event);

    explicit TickProbe(DesktopApp& app) : app_(app) {}

    DesktopApp& app_;
    FileGuard trace_;
    FileGuard times_;
    QString snapshotPath_;
    std::vector<int64_t> snapshotTicks_;
    int64_t quitTick_ = -1;
    int64_t tick_ = 0;
    std::chrono::steady_clock::time_point start_;
};

}  // namespace vantrell::desktop
