#include "hosts/desktop/tick_probe.h"

#include <QPixmap>
#include <QTimer>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>

#include "hosts/desktop/desktop_app.h"

namespace vantrell::desktop {

namespace {

QString Environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? QString() : QString::fromLocal8Bit(value);
}

}  // namespace

std::unique_ptr<TickProbe> TickProbe::FromEnvironment(DesktopApp& app) {
    const QString trace = Environment("VANTRELL_TRACE");
    const QString snapshot = Environment("VANTRELL_SNAPSHOT");
    const QString quit = Environment("VANTRELL_QUIT_TICK");
    const QString times = Environment("VANTRELL_TIMES");
    if (trace.isEmpty() && snapshot.isEmpty() && quit.isEmpty() && times.isEmpty()) {
        return nullptr;
    }
    std::unique_ptr<TickProbe> probe(new TickProbe(app));
    if (!trace.isEmpty()) {
        probe->trace_ = OpenFile(trace.toLocal8Bit().constData(), "w");
    }
    if (!times.isEmpty()) {
        probe->times_ = OpenFile(times.toLocal8Bit().constData(), "w");
    }
    probe->snapshotPath_ = snapshot;
    const QString ticks = Environment("VANTRELL_SNAPSHOT_TICKS");
    for (const QString& word : (ticks.isEmpty() ? QString("300") : ticks).split(',')) {
        bool ok = false;
        const qlonglong n = word.trimmed().toLongLong(&ok);
        if (ok) {
            probe->snapshotTicks_.push_back(n);
        }
    }
    bool ok = false;
    const qlonglong quitTick = quit.toLongLong(&ok);
    probe->quitTick_ = ok ? quitTick : -1;
    return probe;
}

void TickProbe::AfterTick() {
    // The tick's arrival, not the end of its work, so the trace shows the timer's own pacing.
    const auto now = app_.Window().TickArrival();
    if (tick_ == 0) {
        start_ = now;
    }
    ++tick_;
    if (tick_ == 1) {
        Time("first-frame");  // the first tick has presented its frame
    }
    const GameState& state = app_.Objects().State();
    if (trace_) {
        const auto micros =
            std::chrono::duration_cast<std::chrono::microseconds>(now - start_).count();
        const auto work = std::chrono::duration_cast<std::chrono::microseconds>(
                              std::chrono::steady_clock::now() - now)
                              .count();
        std::fprintf(trace_.get(), "%" PRId64 " %" PRId64 " %d %d %d %d %d %" PRId64 "\n", tick_,
                     static_cast<int64_t>(micros), state.Progress().Mode(),
                     state.Progress().Banner(), state.Crafts().first.x, state.Crafts().first.y,
                     state.Progress().RaceTicks(), static_cast<int64_t>(work));
        std::fflush(trace_.get());
    }
    if (!snapshotPath_.isEmpty() &&
        std::find(snapshotTicks_.begin(), snapshotTicks_.end(), tick_) != snapshotTicks_.end()) {
        QString path = snapshotPath_;
        path.replace("%1", QString::number(tick_));
        app_.Window().grab().save(path, "PNG");
    }
    if (tick_ == quitTick_) {
        Time("close");
        // Later, from the event loop, as a click on the close box would arrive.
        QTimer::singleShot(0, &app_.Window(), [this] { app_.Window().close(); });
    }
}

void TickProbe::Closed() {
    Time("closed");
}

void TickProbe::Time(const char* event) {
    if (!times_) {
        return;
    }
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(
                            std::chrono::system_clock::now().time_since_epoch())
                            .count();
    std::fprintf(times_.get(), "%s %" PRId64 "\n", event, static_cast<int64_t>(micros));
    std::fflush(times_.get());
}

}  // namespace vantrell::desktop
