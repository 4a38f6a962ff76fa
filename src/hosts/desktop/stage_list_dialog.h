// "More stages…": the five built-in stages and the installed stage packs with their author and
// best time, and the buttons to race one, remove a pack or add one.
#pragma once

#include <QDialog>

#include <optional>
#include <vector>

#include "platform/dialogs.h"

class QPushButton;
class QTableWidget;

namespace vantrell::desktop {

class StageListDialog final : public QDialog {
  public:
    StageListDialog(const std::vector<StageListRow>& rows, QWidget* parent);

    // What the player chose once the dialog has closed with a choice.
    std::optional<StageListChoice> Choice() const { return choice_; }
    QTableWidget& Table() { return *table_; }
    QPushButton& RaceButton() { return *race_; }
    QPushButton& RemoveButton() { return *remove_; }
    QPushButton& AddButton() { return *add_; }

  private:
    void Choose(StageListAction action);

    std::vector<StageListRow> rows_;
    QTableWidget* table_ = nullptr;
    QPushButton* race_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* add_ = nullptr;
    std::optional<StageListChoice> choice_;
};

}  // namespace vantrell::desktop
