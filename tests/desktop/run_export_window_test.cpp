// A run exported through the window as a player does it: a name typed without ".run" gets it
// (so the file shows in the import dialog's filter), and the game says where the file went.
#include <QFileDialog>
#include <QMessageBox>

#include <filesystem>

#include "desktop_test_support.h"
#include "io/file_bytes.h"
#include "records/run_file.h"

namespace vantrell::desktop::test {
namespace {

TEST(RunExportWindow, ATypedNameGetsRunAndTheGameSaysWhereItWent) {
    TestGame game;
    ASSERT_TRUE(game.haveContent);
    game.Create();
    game.Start();
    const std::filesystem::path typed = game.dir.path() / "mine";

    QString told;
    DialogScript script([&] { return game.app->Timer().Running(); });
    script
        .Then(PressOk)  // rank 1
        .Then([&](QWidget* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            ASSERT_NE(files, nullptr) << KindOf(dialog).toStdString();
            files->selectFile(QString::fromStdString(typed.string()));
            static_cast<QDialog*>(files)->accept();  // QFileDialog hides it
        })
        .Then([&](QWidget* box) {
            if (auto* message = qobject_cast<QMessageBox*>(box)) {
                told = message->text();
            }
            PressOk(box);
        });
    game.Choose(Command::ExportRun);
    Pump(200);

    const std::filesystem::path written = game.dir.path() / "mine.run";
    EXPECT_FALSE(std::filesystem::exists(typed));
    const auto bytes = ReadWholeFile(written);
    ASSERT_TRUE(bytes);
    EXPECT_TRUE(ReadRunFile(*bytes).run);
    EXPECT_EQ(told, QString::fromStdString("走行ファイルを書き出しました。\n" + written.string()));
    EXPECT_EQ(script.Unanswered(), 0u);
    EXPECT_EQ(script.Unexpected(), 0);
}

}  // namespace
}  // namespace vantrell::desktop::test
