#include "hosts/desktop/config_dialog_window.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include "hosts/desktop/dialog_builder.h"
#include "hosts/desktop/ui_fonts.h"
#include "platform/ui_text.h"

namespace vantrell::desktop {

namespace {

using K = DialogControlKind;
using B = ConfigBox;

// GAME_CONFIG_DIALOG in dialog units, with the control ids its template gives them.
constexpr DialogControl kConfigControls[] = {
    {K::DefaultButton, 1, std::nullopt, VT_TRANSLATE_NOOP("Dialogs", "O K"), 87, 121, 41, 16},
    {K::GroupBoxCentred, -1, std::nullopt, VT_TRANSLATE_NOOP("Dialogs", "SPEED"), 6, 7, 204, 37},
    {K::StaticLeft, -1, std::nullopt, VT_TRANSLATE_NOOP("Dialogs", "Fast"), 29, 15, 21, 9},
    {K::StaticRight, -1, std::nullopt, VT_TRANSLATE_NOOP("Dialogs", "Slow"), 168, 13, 17, 8},
    {K::HorizontalScrollBar, 100, std::nullopt, "", 19, 25, 176, 12},
    {K::GroupBox, -1, std::nullopt, VT_TRANSLATE_NOOP("Dialogs", "Player 1 (Red) Control"), 4, 49,
     100, 67},
    {K::CheckBox, 101, B::CursorKeys1, VT_TRANSLATE_NOOP("Dialogs", "Keyboard ( Cursor,  Shift )"),
     9, 67, 87, 8},
    {K::CheckBox, 102, B::LetterKeys1,
     VT_TRANSLATE_NOOP("Dialogs", "Keyboard ( W, A, S, D , Ctrl)"), 9, 80, 92, 8},
    {K::CheckBox, 103, B::Joystick1Of1, VT_TRANSLATE_NOOP("Dialogs", "Joystick 1"), 9, 92, 74, 8},
    {K::CheckBox, 104, B::Joystick2Of1, VT_TRANSLATE_NOOP("Dialogs", "Joystick 2"), 9, 103, 88, 8},
    {K::GroupBox, -1, std::nullopt, VT_TRANSLATE_NOOP("Dialogs", "Player 2 (BLUE) Control"), 110,
     49, 100, 67},
    {K::CheckBox, 106, B::CursorKeys2, VT_TRANSLATE_NOOP("Dialogs", "Keyboard ( Cursor,  Shift )"),
     115, 67, 87, 8},
    {K::CheckBox, 107, B::LetterKeys2,
     VT_TRANSLATE_NOOP("Dialogs", "Keyboard ( W, A, S, D , Ctrl)"), 115, 80, 91, 8},
    {K::CheckBox, 108, B::Joystick1Of2, VT_TRANSLATE_NOOP("Dialogs", "Joystick 1"), 115, 92, 94, 8},
    {K::CheckBox, 109, B::Joystick2Of2, VT_TRANSLATE_NOOP("Dialogs", "Joystick 2"), 115, 103, 88,
     8},
};

constexpr ConfigDialogTemplate kConfigTemplate{"GAME_CONFIG_DIALOG",
                                               VT_TRANSLATE_NOOP("Dialogs", " Game Configuration"),
                                               "ＭＳ Ｐゴシック",
                                               9,
                                               16,
                                               16,
                                               215,
                                               141,
                                               kConfigControls};

// Below the template, in its dialog units: one line per joystick naming its device.
constexpr int32_t kPadLinesTop = 141;
constexpr int32_t kPadLineHeight = 10;
constexpr int32_t kPadLinesHeight = 2 * kPadLineHeight + 2;
constexpr int kRefreshMs = 100;

// "Joystick" as in the boxes above, in both languages.
QString PadLineText(int32_t id, const std::string& name) {
    const QString device = name.empty() ? QCoreApplication::translate("Dialogs", "未接続")
                                        : QString::fromStdString(name);
    return QCoreApplication::translate("Dialogs", "Joystick %1: %2").arg(id + 1).arg(device);
}

}  // namespace

const ConfigDialogTemplate& GameConfigDialogTemplate() {
    return kConfigTemplate;
}

ConfigDialogWindow::ConfigDialogWindow(QWidget* owner, ConfigDialog& model, PadNames padNames)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      model_(model),
      padNames_(std::move(padNames)) {
    const ConfigDialogTemplate& layout = GameConfigDialogTemplate();
    setObjectName(QString::fromUtf8(layout.name));
    setWindowTitle(DialogText(layout.caption));
    DialogBuilder build(*this, FontForFace(layout.fontFace, layout.fontPoints));
    build.Frame(owner, layout.x, layout.y, layout.width, layout.height + kPadLinesHeight);

    for (const DialogControl& c : layout.controls) {
        switch (c.kind) {
            case K::DefaultButton: {
                QPushButton* ok = build.Button(c.id, c.text, c.x, c.y, c.width, c.height, true);
                connect(ok, &QPushButton::clicked, this, [this] {
                    model_.Ok();
                    accept();
                });
                break;
            }
            case K::GroupBox:
            case K::GroupBoxCentred:
                build.Group(c.text, c.x, c.y, c.width, c.height, c.kind == K::GroupBoxCentred)
                    ->lower();  // behind the controls it frames
                break;
            case K::StaticLeft:
                build.Static(c.text, c.x, c.y, c.width, c.height, Qt::AlignLeft);
                break;
            case K::StaticRight:
                build.Static(c.text, c.x, c.y, c.width, c.height, Qt::AlignRight);
                break;
            case K::HorizontalScrollBar:
                speedBar_ = build.HorizontalScroll(c.id, c.x, c.y, c.width, c.height);
                speedBar_->setRange(ConfigDialog::SpeedBarMin(), ConfigDialog::SpeedBarMax());
                speedBar_->setSingleStep(1);
                speedBar_->setPageStep(1);
                connect(speedBar_, &QScrollBar::actionTriggered, this,
                        [this](int action) { OnScrollAction(action); });
                connect(speedBar_, &QScrollBar::sliderReleased, this, [this] {
                    // The thumb's last position and the end of the drag move nothing more.
                    model_.MoveSpeedBar(SpeedBarMove::Other);
                    model_.MoveSpeedBar(SpeedBarMove::Other);
                    ShowModel();
                });
                break;
            case K::CheckBox: {
                QCheckBox* box = build.Check(c.id, c.text, c.x, c.y, c.width, c.height);
                const ConfigBox which = *c.box;
                // A plain check box: the click is reported, the model decides the marks.
                connect(box, &QCheckBox::clicked, this, [this, which] {
                    model_.Refresh();  // the click is judged on the joysticks there now
                    model_.Toggle(which);
                    ShowModel();
                });
                boxes_[which] = box;
                break;
            }
        }
    }
    for (int32_t id = 0; id < 2; ++id) {
        padLines_[id] = build.Static("", 6, kPadLinesTop + id * kPadLineHeight, layout.width - 12,
                                     kPadLineHeight - 1);
    }
    Refresh();
    connect(&refresh_, &QTimer::timeout, this, [this] { Refresh(); });
    refresh_.start(kRefreshMs);
}

void ConfigDialogWindow::Refresh() {
    model_.Refresh();
    ShowModel();
    for (int32_t id = 0; id < 2; ++id) {
        padLines_[id]->setText(PadLineText(id, padNames_ ? padNames_(id) : std::string()));
    }
}

QCheckBox* ConfigDialogWindow::Box(ConfigBox box) const {
    const auto found = boxes_.find(box);
    return found == boxes_.end() ? nullptr : found->second;
}

void ConfigDialogWindow::ShowModel() {
    for (auto& [which, box] : boxes_) {
        box->setChecked(model_.Marked(which));
    }
    if (speedBar_ != nullptr) {
        // Showing the position is not a move: no scroll action may reach the model from here.
        const QSignalBlocker quiet(speedBar_);
        speedBar_->setValue(model_.SpeedBarPosition());
    }
}

void ConfigDialogWindow::OnScrollAction(int action) {
    // Called after the bar has moved its own slider but before the value is taken over, so
    // setting the slider here decides where the bar ends up.
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            model_.MoveSpeedBar(SpeedBarMove::Faster);
            break;
        case QAbstractSlider::SliderSingleStepAdd:
            model_.MoveSpeedBar(SpeedBarMove::Slower);
            break;
        case QAbstractSlider::SliderPageStepSub:
            model_.MoveSpeedBar(SpeedBarMove::Faster);
            break;
        case QAbstractSlider::SliderPageStepAdd:
            model_.MoveSpeedBar(SpeedBarMove::Slower);
            break;
        case QAbstractSlider::SliderMove:
            model_.MoveSpeedBar(SpeedBarMove::Track, speedBar_->sliderPosition());
            break;
        case QAbstractSlider::SliderToMinimum:
            model_.MoveSpeedBar(SpeedBarMove::Other);
            break;
        case QAbstractSlider::SliderToMaximum:
            model_.MoveSpeedBar(SpeedBarMove::Other);
            break;
        default:
            return;
    }
    speedBar_->setSliderPosition(model_.SpeedBarPosition());
}

}  // namespace vantrell::desktop
