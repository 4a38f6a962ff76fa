#include "hosts/desktop/help_page_dialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "hosts/desktop/dialog_builder.h"
#include "hosts/desktop/ui_fonts.h"

namespace vantrell::desktop {

namespace {

// Wide enough for a line of keys, short enough for the smallest window's screen.
constexpr int kWidthEms = 36;
constexpr int kHeightEms = 28;

}  // namespace

HelpPageDialog::HelpPageDialog(QWidget* owner, const QString& title, const QString& html)
    : QDialog(owner) {
    setObjectName("HelpPageDialog");
    setWindowTitle(title);
    setFont(MenuFont());
    auto* column = new QVBoxLayout(this);
    page_ = new QTextBrowser(this);
    page_->setObjectName("HelpPage");
    page_->setOpenLinks(false);
    page_->setHtml(html);
    column->addWidget(page_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    column->addWidget(buttons);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(ControlName(1));  // named as the templates' OK buttons are
    ok->setFocus();
    const int em = fontMetrics().height();
    resize(kWidthEms * em, kHeightEms * em);
}

}  // namespace vantrell::desktop
