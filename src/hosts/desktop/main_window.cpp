#include "hosts/desktop/main_window.h"

#include <QCloseEvent>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

#include "app/shell.h"
#include "app/tick_timer_state.h"
#include "hosts/desktop/retry_keys.h"
#include "hosts/desktop/window_templates.h"
#include "resources/resources.h"

namespace vantrell::desktop {

namespace {

QPixmap ResourcePixmap(const char* name) {
    const std::span<const uint8_t> bytes = FindResource(name);
    QPixmap pixmap;
    if (!bytes.empty()) {
        pixmap.loadFromData(bytes.data(), static_cast<uint>(bytes.size()), "PNG");
    }
    return pixmap;
}

}  // namespace

MainWindow::MainWindow() {
    const WindowInfo& info = MainWindowInfo();
    // Caption, system menu, sizing frame and a minimise box, but no maximise box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QString::fromUtf8(info.title));
    setObjectName(QString::fromUtf8(info.className));

    QIcon icon;
    for (const char* name : {"VANTRICO", "VANTRICO32"}) {
        const QPixmap pixmap = ResourcePixmap(name);
        if (!pixmap.isNull()) {
            icon.addPixmap(pixmap);
        }
    }
    setWindowIcon(icon);

    // The picture above, the race display in a fixed panel below it.
    auto* area = new QWidget(this);
    auto* column = new QVBoxLayout(area);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    view_ = new GameView(area);
    panel_ = new RacePanel(area);
    column->addWidget(view_, 1);
    column->addWidget(panel_, 0);
    setCentralWidget(area);
    menu_ =
        std::make_unique<GameMenu>(*menuBar(), [this](Command command) { SendCommand(command); });
    retryKeys_ = new RetryKeys(*this, [this] {
        if (shell_ != nullptr && !destroyed_) {
            shell_->RequestRetry();
            RefreshPanel();
            SchedulePosted();
        }
    });

    move(info.x, info.y);
    resize(info.width, info.height + PanelHeight());
}

void MainWindow::UseRaceDisplaySettings(const QString& iniPath) {
    switches_ =
        std::make_unique<RaceDisplaySwitches>(*menu_, iniPath, [this](bool panelOn, bool splitsOn) {
            panel_->SetSplitsShown(splitsOn);
            ShowRacePanel(panelOn);
        });
}

void MainWindow::ShowRacePanel(bool shown) {
    if (!panel_->isHidden() == shown) {
        return;
    }
    const int change = shown ? RacePanel::kHeight : -RacePanel::kHeight;
    panel_->setVisible(shown);
    if (!isMaximized() && !isFullScreen()) {
        resize(width(), height() + change);
    }
    RefreshPanel();
}

int MainWindow::PanelHeight() const {
    return panel_->isHidden() ? 0 : RacePanel::kHeight;  // in a window the panel is unscaled
}

void MainWindow::RefreshPanel() {
    if (shell_ != nullptr && !panel_->isHidden()) {
        panel_->Show(shell_->RaceView());
    }
}

MainWindow::~MainWindow() = default;

void MainWindow::AttachShell(Shell* shell) {
    shell_ = shell;
    if (shell_ != nullptr) {
        // What the shell tells the panel mid-work shows before the dialog it opens next.
        shell_->SetDisplayChanged([this] { RefreshPanel(); });
    }
}

void MainWindow::Tick() {
    tickArrival_ = std::chrono::steady_clock::now();
    if (shell_ == nullptr || destroyed_) {
        return;
    }
    shell_->TimerFired();
    RefreshPanel();
    SchedulePosted();
    if (afterTick_) {
        afterTick_();
    }
}

void MainWindow::SendCommand(Command command) {
    if (shell_ == nullptr || destroyed_) {
        return;
    }
    shell_->OnCommand(command);
    RefreshPanel();
    SchedulePosted();
}

void MainWindow::SchedulePosted() {
    if (shell_ == nullptr || postScheduled_ || !shell_->HasPending()) {
        return;
    }
    postScheduled_ = true;
    QMetaObject::invokeMethod(
        this, [this] { RunPending(); }, Qt::QueuedConnection);
}

void MainWindow::RunPending() {
    postScheduled_ = false;
    if (shell_ != nullptr && !destroyed_) {
        shell_->RunPending();
        SchedulePosted();
    }
}

void MainWindow::Present(const Bitmap8& frameBuffer) {
    view_->Present(frameBuffer);
}

void MainWindow::PaintStatus(const std::string& text, int32_t widthUnits) {
    view_->PaintStatus(QString::fromStdString(text), widthUnits);
}

void MainWindow::SetMenuCheck(Command command, bool checked) {
    menu_->SetCheck(command, checked);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (shell_ == nullptr || destroyed_) {
        event->accept();
        return;
    }
    // The close box: stop the game and offer to save the high scores; unless the player chose
    // to stay, the window goes and its destruction stores the game speed and ends the loop.
    if (!shell_->CloseRequested()) {
        event->ignore();
        SchedulePosted();
        return;
    }
    event->accept();
    destroyed_ = true;
    shell_->Stop();
    if (shell_->QuitRequested() && onQuit_) {
        onQuit_(shell_->ExitCode());
    }
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        ScaleMarksToPicture();
    }
    if (shell_ == nullptr || destroyed_) {
        return;
    }
    if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        shell_->Minimized();
    } else if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        // Regaining the focus; losing it changes nothing, the game runs on behind.
        shell_->FocusRegained();
    }
    SchedulePosted();
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    FitOuterSize();
    if (shell_ != nullptr && !destroyed_) {
        shell_->RepaintStatus();
        SchedulePosted();
    }
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    ScaleMarksToPicture();
    if (shell_ != nullptr && !destroyed_) {
        shell_->RepaintStatus();
        SchedulePosted();
    }
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        fitsLeft_ = 4;
        sinceShown_.start();
        QTimer::singleShot(0, this, [this] { FitOuterSize(); });
    }
}

void MainWindow::ScaleMarksToPicture() {
    // In full screen the panel and the pause mark grow as the picture does, by the smaller of
    // the two ways the screen is larger than the window at its first size; in a window they
    // keep their size, which the window sizes offered count on.
    double scale = 1.0;
    if (isFullScreen()) {
        const WindowInfo& info = MainWindowInfo();
        scale = std::min(static_cast<double>(width()) / OuterWidth(),
                         static_cast<double>(height()) / (info.height + RacePanel::kHeight));
    }
    panel_->SetScale(scale);
    view_->SetMarkScale(scale);
}

int MainWindow::OuterWidth() const {
    return MainWindowInfo().width + ShapeOf(mode_).shownWidth - kDefaultViewWidth;
}

bool MainWindow::WindowScaleFits(int32_t scale) const {
    const QScreen* shownOn = screen();
    if (shownOn == nullptr) {
        return true;
    }
    const QSize area = shownOn->availableGeometry().size();
    return OuterWidth() * scale <= area.width() &&
           MainWindowInfo().height * scale + PanelHeight() <= area.height();
}

void MainWindow::SetViewMode(ViewMode mode) {
    mode_ = mode;
    view_->SetViewMode(mode);
    SetWindowScale(windowScale_);
}

void MainWindow::SetWindowScale(int32_t scale) {
    windowScale_ = scale;
    if (!shown_) {
        const WindowInfo& info = MainWindowInfo();
        resize(OuterWidth() * scale, info.height * scale + PanelHeight());
    } else if (!isMinimized() && !isFullScreen()) {
        ResizeOuter();
    }
}

void MainWindow::FitOuterSize() {
    if (fitsLeft_ <= 0 || isMinimized() || isFullScreen() || sinceShown_.elapsed() > 1500) {
        return;
    }
    --fitsLeft_;
    ResizeOuter();
}

void MainWindow::ResizeOuter() {
    const WindowInfo& info = MainWindowInfo();
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize inner(OuterWidth() * windowScale_ - frame.width(),
                      info.height * windowScale_ + PanelHeight() - frame.height());
    if (inner.width() > 0 && inner.height() > 0 && inner != size()) {
        resize(inner);
    }
}

}  // namespace vantrell::desktop
