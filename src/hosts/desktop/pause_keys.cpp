#include "hosts/desktop/pause_keys.h"

#include <QApplication>
#include <QKeyEvent>

#include "app/shell.h"
#include "hosts/desktop/main_window.h"
#include "hosts/desktop/sdl_joysticks.h"
#include "input/input_config.h"

namespace vantrell::desktop {

namespace {

constexpr int kPadPollMs = 30;

}  // namespace

bool IsPauseKey(int qtKey) {
    return qtKey == Qt::Key_P || qtKey == Qt::Key_Pause;
}

PauseKeys::PauseKeys(MainWindow& window, Shell& shell, SdlJoysticks& sticks,
                     const InputConfig& input)
    : window_(window), shell_(shell), sticks_(sticks), input_(input) {
    qApp->installEventFilter(this);
    window_.View().SetPausedQuery([this] { return shell_.Paused(); });
    connect(&padPoll_, &QTimer::timeout, this, [this] { PollPads(); });
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
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (plain && IsPauseKey(key->key()) && Listening()) {
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

void PauseKeys::PollPads() {
    const Device devices[2] = {Device::Joystick1, Device::Joystick2};
    for (int id = 0; id < 2; ++id) {
        const bool assigned = input_.Uses(1, devices[id]) || input_.Uses(2, devices[id]);
        const bool down = assigned && sticks_.StartDown(id);
        if (down && !startWasDown_[id] && Listening()) {
            Toggle();
        }
        startWasDown_[id] = down;
    }
}

}  // namespace vantrell::desktop
