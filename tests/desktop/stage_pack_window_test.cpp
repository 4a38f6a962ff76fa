// A stage pack added through the window as a player adds one: the file dialog, the offer to race
// it at once, a solo race on the pack's course with none of the five stages checked, and the
// stage list showing the pack with its author beside the five. With VANTRELL_PACK_SHOTS=DIR
// (under xvfb-run) it keeps the race and the list as the README's pictures.
#include <QFileDialog>
#include <QMenuBar>
#include <QTableWidget>

#include <cstdlib>
#include <filesystem>

#include "app/menu.h"
#include "desktop_test_support.h"
#include "hosts/desktop/stage_list_dialog.h"

namespace vantrell::desktop::test {
namespace {

void Shoot(QWidget& widget, const char* name) {
    if (const char* dir = std::getenv("VANTRELL_PACK_SHOTS")) {
        QApplication::processEvents();
        widget.grab().save(QString::fromLocal8Bit(dir) + "/" + name, "PNG");
    }
}

TEST(StagePackWindow, AddedThroughTheFileDialogRacedAndListed) {
    TestGame game;
    ASSERT_TRUE(game.haveContent);
    game.language = UiLanguage::English;
    game.Create();
    game.Start();
    const std::filesystem::path pack = std::filesystem::path(VANTRELL_PACK_DIR) / "lakeside.vstage";

    int listed = -1;
    QStringList row;
    DialogScript script([&] { return game.app->Timer().Running(); });
    script
        .Then([&](QWidget* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            ASSERT_NE(files, nullptr) << KindOf(dialog).toStdString();
            files->selectFile(QString::fromStdString(pack.string()));
            static_cast<QDialog*>(files)->accept();  // QFileDialog hides it
        })
        .Then([](QWidget* box) { AnswerBox(box, true); })  // race it now
        .Then([&](QWidget* dialog) {
            auto* list = dynamic_cast<StageListDialog*>(dialog);
            ASSERT_NE(list, nullptr) << KindOf(dialog).toStdString();
            QTableWidget& table = list->Table();
            listed = table.rowCount();
            for (int column = 0; column < table.columnCount(); ++column) {
                row << table.item(table.currentRow(), column)->text();
            }
            Shoot(*list, "desktop-stage-list.png");
            list->reject();
        });

    game.Choose(Command::AddStagePack);
    Pump(200);
    ASSERT_FALSE(game.app->GameShell().CurrentPack().empty());
    for (int32_t stage = 0; stage < kStageCount; ++stage) {
        EXPECT_FALSE(game.Window().Menu().Checked(StageCommand(stage))) << stage;
    }

    game.Choose(Command::Solo);
    Pump(4000);  // past the countdown
    const GameState& state = game.app->Objects().State();
    EXPECT_EQ(state.Progress().Mode(), ModeSolo);
    EXPECT_GT(state.Progress().RaceTicks(), 0);
    Shoot(game.Window(), "desktop-pack-race.png");

    game.Choose(Command::MoreStages);
    Pump(200);
    EXPECT_EQ(listed, kStageCount + 1);
    EXPECT_EQ(row.value(0), "Lakeside Loop") << row.join(" | ").toStdString();
    EXPECT_FALSE(row.value(1).isEmpty());
    EXPECT_EQ(script.Unanswered(), 0u);
    EXPECT_EQ(script.Unexpected(), 0);
    EXPECT_FALSE(game.app->GameShell().CurrentPack().empty());  // the list closed, nothing changed
}

}  // namespace
}  // namespace vantrell::desktop::test
