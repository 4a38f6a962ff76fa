// The world table from the desktop: three items at the end of the "設定" pop-up (join with a
// name, send the stage's best run of that name, the stage's world table). The server, the name
// and its key are kept in the settings file. Nothing here blocks the window or the race: the
// answers come back through the event loop, and a failure only tells the player; the local
// table is never touched.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

#include "hosts/desktop/world_board_dialog.h"
#include "hosts/desktop/world_client.h"

class QAction;
class QMenu;

namespace vantrell {
class Game;
class Shell;
}  // namespace vantrell

namespace vantrell::desktop {

class MainWindow;
class QtDialogs;

class WorldMenu final : public QObject {
  public:
    WorldMenu(MainWindow& window, QMenu& into, QString iniPath, Shell& shell, Game& game,
              QtDialogs& dialogs);

    // Asks for the server and a name, and registers it.
    void Join();
    // The same without asking (a test's or a script's answers).
    void Join(const QString& server, const QString& name);
    void SendBest();
    void ShowBoard();

    WorldAccount Account() const;
    // Every message shown to the player goes here first (tests read them); shown as a box
    // unless `quiet`.
    void SetMessageSink(std::function<void(const QString&)> sink, bool quiet) {
        sink_ = std::move(sink);
        quiet_ = quiet;
    }
    // Called with each world table dialog once it is open (tests drive it).
    void SetBoardWatcher(std::function<void(WorldBoardDialog&)> watcher) {
        boardWatcher_ = std::move(watcher);
    }
    // Races the run with this id of the world table: downloaded, then the game's "Race a run
    // file" with its bytes.
    void RaceGhost(int64_t id);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ShowTexts();
    void Tell(const QString& text);
    QString CourseHex() const;

    MainWindow& window_;
    QString iniPath_;
    Shell& shell_;
    Game& game_;
    QtDialogs& dialogs_;
    WorldClient client_;
    QAction* join_ = nullptr;
    QAction* send_ = nullptr;
    QAction* show_ = nullptr;
    std::function<void(const QString&)> sink_;
    bool quiet_ = false;
    std::function<void(WorldBoardDialog&)> boardWatcher_;
};

}  // namespace vantrell::desktop
