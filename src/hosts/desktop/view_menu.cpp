#include "hosts/desktop/view_menu.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QMenu>

#include <iterator>

#include "hosts/desktop/main_window.h"
#include "hosts/desktop/qt_key_state.h"

namespace vantrell::desktop {

namespace {

// The game's own language is the source; English comes from the translation file.
constexpr char kContext[] = "ViewMenu";
constexpr const char* kFullScreen = QT_TRANSLATE_NOOP("ViewMenu", "全画面表示");
constexpr const char* kPicture = QT_TRANSLATE_NOOP("ViewMenu", "画面の表示");
constexpr const char* kScalingTexts[] = {
    QT_TRANSLATE_NOOP("ViewMenu", "ウィンドウに合わせて伸ばす"),
    QT_TRANSLATE_NOOP("ViewMenu", "縦横比を保つ（黒い縁）"),
    QT_TRANSLATE_NOOP("ViewMenu", "整数倍だけ（くっきりした画素）"),
};
constexpr const char* kModeTexts[] = {
    QT_TRANSLATE_NOOP("ViewMenu", "元の画面"),
    QT_TRANSLATE_NOOP("ViewMenu", "くっきり ×2"),
    QT_TRANSLATE_NOOP("ViewMenu", "くっきり ×4"),
    QT_TRANSLATE_NOOP("ViewMenu", "ワイド 16:9（くっきり ×4）"),
};
static_assert(std::size(kModeTexts) == kViewModeCount);
constexpr const char* kWindowSize = QT_TRANSLATE_NOOP("ViewMenu", "ウィンドウの大きさ");
constexpr const char* kSizeTexts[] = {
    QT_TRANSLATE_NOOP("ViewMenu", "×1 (256 x 360)"),
    QT_TRANSLATE_NOOP("ViewMenu", "×2 (512 x 720)"),
    QT_TRANSLATE_NOOP("ViewMenu", "×3 (768 x 1080)"),
};
// The wide window is as much wider as its picture.
constexpr const char* kWideSizeTexts[] = {
    QT_TRANSLATE_NOOP("ViewMenu", "×1 (488 x 360)"),
    QT_TRANSLATE_NOOP("ViewMenu", "×2 (976 x 720)"),
    QT_TRANSLATE_NOOP("ViewMenu", "×3 (1464 x 1080)"),
};

QString Text(const char* text) {
    return QCoreApplication::translate(kContext, text);
}

}  // namespace

ViewMenu::ViewMenu(MainWindow& window, QMenu& into, QString iniPath,
                   std::function<void(ViewMode)> useMode)
    : QObject(&window),
      window_(window),
      iniPath_(std::move(iniPath)),
      useMode_(std::move(useMode)) {
    settings_ = LoadViewSettings(iniPath_);

    into.addSeparator();
    fullScreen_ = into.addAction(QString());
    fullScreen_->setCheckable(true);
    UseFullScreenKeys(KeyBindings::Defaults());
    connect(fullScreen_, &QAction::triggered, this, [this] { ToggleFullScreen(); });

    picture_ = into.addMenu(QString());
    for (int i = 0; i < 3; ++i) {
        QAction* item = picture_->addAction(QString());
        item->setCheckable(true);
        const auto scaling = static_cast<Scaling>(i);
        connect(item, &QAction::triggered, this, [this, scaling] { ChooseScaling(scaling); });
        scalingItems_[i] = item;
    }
    picture_->addSeparator();
    for (int i = 0; i < kViewModeCount; ++i) {
        QAction* item = picture_->addAction(QString());
        item->setCheckable(true);
        const auto mode = static_cast<ViewMode>(i);
        connect(item, &QAction::triggered, this, [this, mode] { ChooseMode(mode); });
        modeItems_[i] = item;
    }
    size_ = into.addMenu(QString());
    for (int32_t scale = 1; scale <= kMaxWindowScale; ++scale) {
        QAction* item = size_->addAction(QString());
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, scale] { ChooseWindowScale(scale); });
        sizeItems_[scale - 1] = item;
    }
    connect(size_, &QMenu::aboutToShow, this, [this] { OfferFittingSizes(); });

    window_.View().SetScaling(settings_.scaling);
    window_.SetViewMode(settings_.mode);
    if (useMode_) {
        useMode_(settings_.mode);
    }
    window_.SetWindowScale(settings_.windowScale);
    window_.installEventFilter(this);
    ShowTexts();
    ShowChecks();
}

void ViewMenu::ShowTexts() {
    fullScreen_->setText(Text(kFullScreen));
    picture_->setTitle(Text(kPicture));
    for (int i = 0; i < 3; ++i) {
        scalingItems_[i]->setText(Text(kScalingTexts[i]));
    }
    for (int i = 0; i < kViewModeCount; ++i) {
        modeItems_[i]->setText(Text(kModeTexts[i]));
    }
    size_->setTitle(Text(kWindowSize));
    const auto& sizes = settings_.mode == ViewMode::Wide ? kWideSizeTexts : kSizeTexts;
    for (int32_t scale = 1; scale <= kMaxWindowScale; ++scale) {
        sizeItems_[scale - 1]->setText(Text(sizes[scale - 1]));
    }
}

void ViewMenu::OfferFittingSizes() {
    for (int32_t scale = 1; scale <= kMaxWindowScale; ++scale) {
        sizeItems_[scale - 1]->setVisible(scale == 1 || scale == settings_.windowScale ||
                                          window_.WindowScaleFits(scale));
    }
}

void ViewMenu::ToggleFullScreen() {
    window_.setWindowState(window_.windowState() ^ Qt::WindowFullScreen);
    ShowChecks();
}

void ViewMenu::UseFullScreenKeys(const KeyBindings& bindings) {
    // Alt+Enter comes as Return from the main keyboard and Enter from the keypad.
    QList<QKeySequence> keys{QKeySequence(Qt::ALT | Qt::Key_Return),
                             QKeySequence(Qt::ALT | Qt::Key_Enter)};
    for (const Binding& binding : bindings.Of(BoundAction::FullScreen)) {
        if (!binding.pad) {
            keys.prepend(QKeySequence(QtKeyFor(static_cast<Key>(binding.code))));
        }
    }
    fullScreen_->setShortcuts(keys);
}

void ViewMenu::ChooseScaling(Scaling scaling) {
    settings_.scaling = scaling;
    window_.View().SetScaling(scaling);
    StoreViewSettings(iniPath_, settings_);
    ShowChecks();
}

void ViewMenu::ChooseMode(ViewMode mode) {
    settings_.mode = mode;
    StoreViewSettings(iniPath_, settings_);
    if (useMode_) {
        useMode_(mode);
    }
    window_.SetViewMode(mode);
    ShowTexts();
    ShowChecks();
}

void ViewMenu::ChooseWindowScale(int32_t scale) {
    settings_.windowScale = scale;
    StoreViewSettings(iniPath_, settings_);
    if (window_.isFullScreen()) {
        // The size is for the window; leaving full screen brings the window back at it.
        window_.setWindowState(window_.windowState() & ~Qt::WindowFullScreen);
    }
    window_.SetWindowScale(scale);
    ShowChecks();
}

bool ViewMenu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        ShowChecks();  // full screen may also be left through the window system
    } else if (event->type() == QEvent::LanguageChange) {
        ShowTexts();
    }
    return QObject::eventFilter(watched, event);
}

void ViewMenu::ShowChecks() {
    fullScreen_->setChecked(window_.windowState().testFlag(Qt::WindowFullScreen));
    for (int i = 0; i < 3; ++i) {
        scalingItems_[i]->setChecked(static_cast<int>(settings_.scaling) == i);
    }
    for (int i = 0; i < kViewModeCount; ++i) {
        modeItems_[i]->setChecked(static_cast<int>(settings_.mode) == i);
    }
    for (int32_t scale = 1; scale <= kMaxWindowScale; ++scale) {
        sizeItems_[scale - 1]->setChecked(settings_.windowScale == scale);
    }
}

}  // namespace vantrell::desktop
