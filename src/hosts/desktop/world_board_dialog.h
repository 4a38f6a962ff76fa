// The world table of one stage: twenty runs a page, the player's own place, and a run chosen to
// race as a ghost. Pages load while the dialog is open; the window and the game wait behind it.
#pragma once

#include <QDialog>
#include <QString>

#include <cstdint>
#include <optional>

#include "hosts/desktop/world_client.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace vantrell::desktop {

struct WorldAccount {
    QString server;
    QString name;  // as typed, empty when not registered
    QString key;
};

class WorldBoardDialog final : public QDialog {
  public:
    // `packName`: the stage pack raced, as the player reads its name; empty on stage `stage`.
    WorldBoardDialog(WorldClient& client, WorldAccount account, QString courseHex, int32_t stage,
                     QString packName, QWidget* parent);

    // The run the player chose to race, once the dialog has closed with it.
    std::optional<int64_t> ChosenRun() const { return chosen_; }
    QTableWidget& Table() { return *table_; }
    // Whether the page asked for last has arrived (answered or not).
    bool Loaded() const { return loaded_; }

  private:
    void Load(int32_t offset);
    void Show(const WorldAnswer& answer);

    static constexpr int32_t kPage = 20;
    WorldClient& client_;
    WorldAccount account_;
    QString course_;
    int32_t stage_;
    QString packName_;
    int32_t offset_ = 0;
    int64_t total_ = 0;
    bool loaded_ = false;
    std::optional<int64_t> chosen_;
    QLabel* title_ = nullptr;
    QLabel* own_ = nullptr;
    QTableWidget* table_ = nullptr;
    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* race_ = nullptr;
};

}  // namespace vantrell::desktop
