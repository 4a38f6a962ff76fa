// The desktop game as a world table client, against the real vantrell-server on loopback: join
// with a name, send the stage's best run of that name, the world table with the player's own
// place, and a run of it raced as a ghost through the game's "Race a run file". A server that is
// gone is told, and the local table stays as it was.
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include "desktop_test_support.h"
#include "records/hiscore_table.h"
#include "server/server_process.h"
#include "support/world_runs.h"

namespace vantrell::desktop::test {
namespace {

using vantrell::test::ServerProcess;

// Waits (the event loop running) until `done` or about ten seconds have passed.
template <typename Done>
bool PumpUntil(Done done) {
    for (int i = 0; i < 500 && !done(); ++i) {
        Pump(20);
    }
    return done();
}

TEST(WorldTableClient, JoinsSendsShowsTheBoardAndRacesAGhost) {
    ScratchDir db;
    ServerProcess server({"--db", "sqlite:" + (db / "world.sqlite").string(), "--game",
                          vantrell::test::GameDir().string()});
    ASSERT_TRUE(server.ready());
    const QString address = QString::fromStdString("http://" + server.address());

    TestGame game;
    ASSERT_TRUE(game.haveContent);
    // Ada's own run in the scratch folder's table of stage 1, as if raced there.
    const vantrell::test::CourseRuns runs = vantrell::test::MakeCourseRuns(game.dir.path(), 0, 1);
    ASSERT_EQ(runs.runs.size(), 1u);
    {
        HiScoreTable table(game.dir.path());
        table.Load(0);
        table.Offer({.time = runs.runs[0].time, .recording = runs.runs[0].recording, .name = "Ada"});
        ASSERT_TRUE(table.Write(0).written);
    }
    game.Create();
    game.Start();
    WorldMenu& world = game.app->World();
    std::vector<QString> told;
    world.SetMessageSink([&](const QString& text) { told.push_back(text); }, true);

    world.SendBest();  // not joined yet
    ASSERT_EQ(told.size(), 1u);
    world.Join(address, "Ada");
    ASSERT_TRUE(PumpUntil([&] { return told.size() == 2; }));
    EXPECT_TRUE(told[1].contains("Ada")) << told[1].toStdString();
    EXPECT_EQ(world.Account().name, "Ada");
    EXPECT_FALSE(world.Account().key.isEmpty());

    world.SendBest();
    ASSERT_TRUE(PumpUntil([&] { return told.size() == 3; }));
    EXPECT_TRUE(told[2].contains(QString::number(runs.runs[0].time))) << told[2].toStdString();
    world.SendBest();  // the same run again: the server's reason, in the player's words
    ASSERT_TRUE(PumpUntil([&] { return told.size() == 4; }));
    EXPECT_EQ(told[3].toStdString(), "ワールドランキングにある自己ベストより速くありません。");

    // The board: eleven runs, Ada's place, and the best staff run chosen to race.
    int ownRow = -1;
    QString ownPlace;
    world.SetBoardWatcher([&](WorldBoardDialog& dialog) {
        PumpUntil([&] { return dialog.Loaded(); });
        QTableWidget& table = dialog.Table();
        for (int row = 0; row < table.rowCount(); ++row) {
            if (table.item(row, 2)->text() == "Ada") {
                ownRow = row;
            }
        }
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            if (label->text().startsWith("あなたの順位")) {
                ownPlace = label->text();
            }
        }
        // The picture for the README, when asked for (run under xvfb-run).
        if (const char* file = std::getenv("VANTRELL_WORLD_SHOT")) {
            QApplication::processEvents();
            dialog.grab().save(QString::fromLocal8Bit(file), "PNG");
        }
        table.selectRow(0);
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->text() == "この走行と競争") {
                button->click();
            }
        }
    });
    world.ShowBoard();
    ASSERT_GE(ownRow, 0);
    EXPECT_EQ(ownPlace, QString("あなたの順位: %1位").arg(ownRow + 1));
    const GameState& state = game.app->Objects().State();
    ASSERT_TRUE(PumpUntil([&] { return state.Progress().Mode() == ModeVersus; }));
    HiScoreTable staff(vantrell::test::GameDir());
    staff.Load(0);
    staff.Rank();
    EXPECT_TRUE(std::equal(staff.AtRank(1).recording.begin(), staff.AtRank(1).recording.end(),
                           state.Opponent()));

    // The server gone: told so; the local table as it was.
    const RecordBytes before = game.app->Objects().Records().SavedBytes();
    server.Stop(SIGTERM);
    world.SendBest();
    ASSERT_TRUE(PumpUntil([&] { return told.size() == 5; }));
    EXPECT_TRUE(told[4].startsWith("サーバーにつながりません。")) << told[4].toStdString();
    EXPECT_EQ(game.app->Objects().Records().SavedBytes().record, before.record);
    EXPECT_FALSE(game.app->Objects().Records().Changed());
}

}  // namespace
}  // namespace vantrell::desktop::test
