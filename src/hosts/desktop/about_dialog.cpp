#include "hosts/desktop/about_dialog.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "hosts/desktop/dialog_builder.h"
#include "hosts/desktop/ui_fonts.h"
#include "hosts/desktop/window_templates.h"
#include "resources/resources.h"

namespace vantrell::desktop {

AboutDialog::AboutDialog(QWidget* owner) : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint) {
    const AboutBoxTemplate& layout = AboutBox();
    setObjectName(QString::fromUtf8(layout.name));
    DialogBuilder build(*this, FontForFace(layout.fontFace, layout.fontPoints));
    build.Frame(owner, layout.x, layout.y, layout.width, layout.height);

    // Without a caption bar the window system draws no border either: draw the modal frame.
    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setLineWidth(2);
    frame->setGeometry(rect());

    for (const AboutControl& control : layout.controls) {
        switch (control.kind) {
            case AboutControl::Text:
                build.Static(control.text, control.x, control.y, control.width, control.height);
                break;
            case AboutControl::Icon: {
                // An icon control shows the icon at its own size from the control's corner.
                const std::span<const uint8_t> bytes = FindResource("VANTRICO32");
                QPixmap pixmap;
                pixmap.loadFromData(bytes.data(), static_cast<uint>(bytes.size()), "PNG");
                auto* icon = new QLabel(this);
                icon->setPixmap(pixmap);
                icon->setObjectName(QString::fromUtf8(control.text));
                const QRect cell = build.Units().Rect(control.x, control.y, 0, 0);
                icon->setGeometry(
                    QRect(cell.topLeft(), pixmap.isNull() ? QSize(32, 32) : pixmap.size()));
                break;
            }
            case AboutControl::DefaultButton: {
                QPushButton* ok = build.Button(1, control.text, control.x, control.y, control.width,
                                               control.height, true);
                connect(ok, &QPushButton::clicked, this, [this] { accept(); });
                ok->setFocus();
                break;
            }
        }
    }
}

}  // namespace vantrell::desktop
