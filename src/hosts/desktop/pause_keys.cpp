#include "hosts/desktop/pause_keys.h"

#include <QApplication>
#include <QKeyEvent>

#include "app/shell.h"
#include "hosts/desktop/main_window.h"
#include "hosts/desktop/qt_key_state.h"
#include "input/input_config.h"

namespace vantrell::desktop {

namespace {

constexpr int kPadPollMs = 30;

}  // namespace

PauseKeys::PauseKeys(MainWindow& window, Shell& shell, InputConfig& input)
    : window_(window), shell_(shell), input_(input) {
    qApp->installEventFilter(this);
    window_.View().SetPausedQuery([this] { return shell_.Paused(); });
    // The pads are looked at between ticks too: a paused game has no ticks.
    connect(&padPoll_, &QTimer::timeout, this, [this] { CheckPads(); });
    padPoll_.start(kPadPollMs);
}

bool PauseKeys::Listening() const {
    return !window_.Destroyed() && window_.isActiveWindow() && !window_.isMinimized() &&
           QApplication::activeModalWidget() == nullptr &&
           QApplication::activePopupWidget() == nullptr;
}

bool PauseKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (IsBoundPress(input_.Bindings(), BoundAction::Pause, *key) && Listening()) {
            // Taken here, so the one press toggles once however many widgets it would visit.
            if (!key->isAutoRepeat()) {
                Toggle();
            }
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void PauseKeys::Toggle() {
    shell_.TogglePause();
    window_.SchedulePosted();
    window_.View().update();
}

void PauseKeys::CheckPads() {
    if (window_.Destroyed()) {
        return;
    }
    const bool paused = shell_.Paused();
    shell_.CheckPadPause(Listening());
    // Asked whatever the answer, as the pause is, so a press made behind a dialog is dropped.
    if (input_.TakeFullScreenRequest() && Listening() && fullScreen_) {
        fullScreen_();
    }
    if (shell_.Paused() != paused) {
        window_.SchedulePosted();
        window_.View().update();
    }
}

}  // namespace vantrell::desktop
