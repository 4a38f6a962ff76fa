// The two dialogs that show a stage's ten best runs, best first, as two list boxes side by
// side (rank and name, then the time): HISCORE_NAMEENTRY_DIALOG, the list, where a run that
// just entered is shown selected; and HISCORE_SELECT_DIALOG, the choice of the recorded run to
// race against (or, under its own prompt, the run to export). The list closes only through OK (or
// Enter): Escape and the close box do nothing. The choice can also be cancelled (Cancel, Escape or
// the close box): back to the demonstration.
#pragma once

#include <QDialog>

#include "platform/dialogs.h"

class QListWidget;

namespace vantrell::desktop {

class HiScoreListDialog final : public QDialog {
  public:
    static constexpr int kNamesId = 301;
    static constexpr int kTimesId = 302;
    static constexpr int kRaceId = 305;
    // What exec returns when the player chose to race the run just entered.
    static constexpr int kRaceThisRun = 2;

    // With offerRace, a button beside OK races the run just entered.
    HiScoreListDialog(QWidget* owner, const HiScoreLines& lines, bool offerRace = false);

    QListWidget& Names() { return *names_; }
    QListWidget& Times() { return *times_; }

    void reject() override {}

  private:
    QListWidget* names_;
    QListWidget* times_;
};

class OpponentSelectDialog final : public QDialog {
  public:
    static constexpr int kNamesId = 303;
    static constexpr int kTimesId = 304;

    // The same choice serves to pick the run to export, under its own prompt.
    enum class Purpose { Opponent, Export };

    // The lines marked selected start selected (the game marks the fastest run).
    OpponentSelectDialog(QWidget* owner, const HiScoreLines& lines,
                         Purpose purpose = Purpose::Opponent);

    // Which items of the name list are selected now.
    ListSelection Selection() const;
    QListWidget& Names() { return *names_; }

  private:
    QListWidget* names_;
    QListWidget* times_;
};

}  // namespace vantrell::desktop
