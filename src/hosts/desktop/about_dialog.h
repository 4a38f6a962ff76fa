// "AppAbout": the About box, built from its template. It has a modal frame and no caption bar,
// and closes only through OK (or Enter, which presses OK); Escape leaves it open.
#pragma once

#include <QDialog>

namespace vantrell::desktop {

class AboutDialog final : public QDialog {
  public:
    explicit AboutDialog(QWidget* owner);

    void reject() override {}
};

}  // namespace vantrell::desktop
