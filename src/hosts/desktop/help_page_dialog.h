// A page of help in a dialog of its own: the title, the page's rich text in a scrollable view
// and an OK button. Escape closes it as OK does.
#pragma once

#include <QDialog>

class QTextBrowser;

namespace vantrell::desktop {

class HelpPageDialog : public QDialog {
  public:
    HelpPageDialog(QWidget* owner, const QString& title, const QString& html);

    QTextBrowser* Page() const { return page_; }

  private:
    QTextBrowser* page_ = nullptr;
};

}  // namespace vantrell::desktop
