#include "hosts/desktop/config_dialog_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include "hosts/desktop/dialog_builder.h"
#include "hosts/desktop/ui_fonts.h"

namespace vantrell::desktop {

ConfigDialogWindow::ConfigDialogWindow(QWidget* owner, ConfigDialog& model)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      model_(model) {
    const ConfigDialogTemplate& layout = GameConfigDialogTemplate();
    setObjectName(QString::fromUtf8(layout.name));
    setWindowTitle(QString::fromUtf8(layout.caption));
    DialogBuilder build(*this, FontForFace(layout.fontFace, layout.fontPoints));
    build.Frame(owner, layout.x, layout.y, layout.width, layout.height);

    using K = DialogControlKind;
    for (const DialogControl& c : layout.controls) {
        switch (c.kind) {
            case K::DefaultButton: {
                QPushButton* ok = build.Button(c.id, c.text, c.x, c.y, c.width, c.height, true);
                const int id = c.id;
                connect(ok, &QPushButton::clicked, this, [this, id] {
                    if (model_.Click(id)) {
                        accept();
                    }
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
                    model_.Scroll(ScrollThumbPosition, speedBar_->sliderPosition());
                    model_.Scroll(ScrollEndScroll, 0);
                    ShowModel();
                });
                break;
            case K::CheckBox: {
                QCheckBox* box = build.Check(c.id, c.text, c.x, c.y, c.width, c.height);
                const int id = c.id;
                // A plain check box: the click is reported, the model decides the marks.
                connect(box, &QCheckBox::clicked, this, [this, id] {
                    model_.Click(id);
                    ShowModel();
                });
                boxes_[id] = box;
                break;
            }
        }
    }
    ShowModel();
}

QCheckBox* ConfigDialogWindow::Box(int id) const {
    const auto found = boxes_.find(id);
    return found == boxes_.end() ? nullptr : found->second;
}

void ConfigDialogWindow::ShowModel() {
    for (auto& [id, box] : boxes_) {
        box->setChecked(model_.Marked(id));
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
            model_.Scroll(ScrollLineLeft, 0);
            break;
        case QAbstractSlider::SliderSingleStepAdd:
            model_.Scroll(ScrollLineRight, 0);
            break;
        case QAbstractSlider::SliderPageStepSub:
            model_.Scroll(ScrollPageLeft, 0);
            break;
        case QAbstractSlider::SliderPageStepAdd:
            model_.Scroll(ScrollPageRight, 0);
            break;
        case QAbstractSlider::SliderMove:
            model_.Scroll(ScrollThumbTrack, speedBar_->sliderPosition());
            break;
        case QAbstractSlider::SliderToMinimum:
            model_.Scroll(ScrollLeftEnd, 0);
            break;
        case QAbstractSlider::SliderToMaximum:
            model_.Scroll(ScrollRightEnd, 0);
            break;
        default:
            return;
    }
    speedBar_->setSliderPosition(model_.SpeedBarPosition());
}

}  // namespace vantrell::desktop
