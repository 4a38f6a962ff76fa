// HISCORE_NAMEINPUT_DIALOG: the driver of a run that entered the table types a name. The box
// opens with the offered name wholly selected; OK (or Enter) is the only way out, and the text
// cannot grow beyond the box's visible width. Typing goes through the platform's input
// method, so Japanese names can be entered.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace vantrell::desktop {

// "記録 812（12.99秒）、第3位" ("Time 812 (12.99 s): rank 3"), in the player's language.
QString RunLine(int time, int rank);

class NameInputDialog final : public QDialog {
  public:
    static constexpr int kEditId = 101;

    // With a run line (the time and rank, see RunLine) the dialog says it below the box. With
    // the grid (for a pad player) a character grid below takes the focus.
    NameInputDialog(QWidget* owner, const QString& offeredName, const QString& runLine = {},
                    bool withGrid = false);

    QString Name() const;
    QLineEdit& Edit() { return *edit_; }
    // The character grid; null when the dialog has none.
    QWidget* Grid() { return grid_; }

    // No cancel: Escape and the close box leave the dialog open.
    void reject() override {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void AddGrid();
    void GrowBy(int pixels);

    QLineEdit* edit_;
    QWidget* grid_ = nullptr;
    QLabel* note_;  // what the box changed in the name, until the next key
};

}  // namespace vantrell::desktop
