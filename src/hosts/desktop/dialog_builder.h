// Builds a dialog from its template: every control placed in dialog units of the dialog's font,
// and named after its control id ("id101") so the dialog code and tests can find it.
#pragma once

#include <QAbstractItemView>
#include <QDialog>
#include <QString>

#include "hosts/desktop/dialog_units.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;

namespace vantrell::desktop {

// A template's text in the player's language. Every text a builder places goes through here,
// so the templates mark theirs with VT_TRANSLATE_NOOP("Dialogs", ...).
QString DialogText(const char* text);

// The object name of the control with a template id.
QString ControlName(int id);

class DialogBuilder {
  public:
    DialogBuilder(QDialog& dialog, const QFont& font);

    const DialogUnits& Units() const { return units_; }

    // The dialog's client size, and its place relative to the owner's client area.
    void Frame(QWidget* owner, int x, int y, int width, int height);

    QLabel* Static(const char* text, int x, int y, int width, int height,
                   Qt::Alignment alignment = Qt::AlignLeft);
    QPushButton* Button(int id, const char* text, int x, int y, int width, int height,
                        bool isDefault);
    QLineEdit* Edit(int id, int x, int y, int width, int height);
    QListWidget* List(int id, int x, int y, int width, int height,
                      QAbstractItemView::SelectionMode selection);
    QCheckBox* Check(int id, const char* text, int x, int y, int width, int height);
    QGroupBox* Group(const char* text, int x, int y, int width, int height, bool centred);
    QScrollBar* HorizontalScroll(int id, int x, int y, int width, int height);

  private:
    template <typename Control>
    Control* Place(Control* control, int id, int x, int y, int width, int height);

    QDialog& dialog_;
    DialogUnits units_;
};

}  // namespace vantrell::desktop
