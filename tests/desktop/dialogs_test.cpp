// The dialogs on their own, answered by a script: what they show, what they give back, and
// which keys leave them open.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

#include <optional>
#include <string>

#include "app/config_dialog.h"
#include "app/tick_timer_state.h"
#include "desktop_test_support.h"
#include "hosts/desktop/config_dialog_window.h"
#include "hosts/desktop/dialog_builder.h"
#include "hosts/desktop/hiscore_list_dialogs.h"
#include "hosts/desktop/qt_dialogs.h"
#include "hosts/desktop/stage_list_dialog.h"
#include "hosts/desktop/ui_fonts.h"
#include "hosts/headless/headless_host.h"
#include "hosts/headless/scripted_input.h"
#include "input/input_config.h"

namespace vantrell::desktop {
namespace {

using test::DialogScript;

DialogScript Script() {
    return DialogScript([] { return false; });
}

// Ten lines as the records hand them to a list: a new best run on top, empty slots below. Their
// texts and which line is marked are the records' to decide; the dialogs only show them.
HiScoreLines SampleLines() {
    HiScoreLines lines;
    for (int i = 0; i < 10; ++i) {
        // Appended: GCC 12 warns falsely on "literal" + string.
        std::string rank = i < 9 ? " " : "";
        rank += std::to_string(i + 1);
        rank += " : ------           ";
        lines[i] = {rank, "TIME: 2398", false};
    }
    lines[0] = {" 1 : RED              ", "TIME: 1500", true};
    return lines;
}

TEST(NameInputDialogTest, OffersTheNameSelectedKeepsEscapeOutAndReturnsWhatWasTyped) {
    QtDialogs dialogs;
    DialogScript script = Script();
    QString offered;
    QString selected;
    bool openAfterEscape = false;
    script.Then([&](QWidget* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>(ControlName(101));
        offered = edit->text();
        selected = edit->selectedText();
        QTest::keyClick(edit, Qt::Key_Escape);
        dialog->close();
        openAfterEscape = dialog->isVisible();
        // Typing replaces the selected offer.
        QTest::keyClicks(edit, "Mika");
        QTest::keyClick(edit, Qt::Key_Return);
    });
    EXPECT_EQ(dialogs.AskName("------"), "Mika");
    EXPECT_EQ(offered, "------");
    EXPECT_EQ(selected, "------");
    EXPECT_TRUE(openAfterEscape);
    ASSERT_EQ(script.Seen().size(), 1u);
    EXPECT_EQ(script.Seen()[0].title, QStringLiteral("競技終了"));
}

TEST(NameInputDialogTest, ShowsTheThreeLinesAndStopsTypingAtTheVisibleWidth) {
    QtDialogs dialogs;
    DialogScript script = Script();
    QStringList lines;
    QString typed;
    bool okIsDefault = false;
    bool acceptedFromOk = false;
    script.Then([&](QWidget* dialog) {
        for (QLabel* label : dialog->findChildren<QLabel*>()) {
            if (!label->isHidden()) {
                lines << label->text();
            }
        }
        auto* ok = dialog->findChild<QPushButton*>(ControlName(1));
        okIsDefault = ok->isDefault();
        auto* edit = dialog->findChild<QLineEdit*>(ControlName(101));
        QTest::keyClicks(edit, QString(40, 'W'));
        typed = edit->text();
        // Enter with the focus on OK takes the name as well.
        ok->setFocus();
        QTest::keyClick(ok, Qt::Key_Return);
        acceptedFromOk = !dialog->isVisible();
        if (!acceptedFromOk) {
            test::PressOk(dialog);
        }
    });
    const std::string name = dialogs.AskName("");
    EXPECT_EQ(lines, (QStringList{"貴殿の記録は賞賛に値する。", "名操縦者として記録する故、",
                                  "名前を入力してくれたまえ。"}));
    EXPECT_TRUE(okIsDefault);
    EXPECT_TRUE(acceptedFromOk);
    EXPECT_GT(typed.size(), 5);
    EXPECT_LT(typed.size(), 40);  // the box would have had to scroll
    EXPECT_EQ(name, typed.toStdString());
}

TEST(NameInputDialogTest, FoldsAccentsSaysSoAndTakesOnlyWhatTheRecordFileCanHold) {
    QtDialogs dialogs;
    DialogScript script = Script();
    QStringList typed;
    QString note;
    bool noteAfterNextKey = true;
    int grownBy = 0;
    // Each character as an input method commits it, one at a time.
    auto typeEach = [](QLineEdit* edit, const QString& text) {
        for (const QChar c : text) {
            QInputMethodEvent event;
            event.setCommitString(QString(c));
            QApplication::sendEvent(edit, &event);
        }
    };
    script.Then([&](QWidget* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>(ControlName(101));
        auto* noteLine = dialog->findChild<QLabel*>("NoteLine");
        const int height = dialog->height();
        // An accented letter becomes its plain one, and a line says so until the next key; a
        // character Shift-JIS cannot hold at all is refused as it is typed.
        edit->clear();
        typeEach(edit, QString::fromUtf8("Zoë 1€"));
        typed << edit->text();
        note = noteLine->isVisible() ? noteLine->text() : QString();
        grownBy = dialog->height() - height;
        QTest::keyClick(edit, Qt::Key_End);
        noteAfterNextKey = noteLine->isVisible() || dialog->height() != height;
        edit->clear();
        typeEach(edit, QString::fromUtf8("José"));
        typed << edit->text();
        // Fifteen bytes as stored: a full-width character counts two.
        edit->clear();
        typeEach(edit, QString::fromUtf8("あいうえおかきくけこ"));
        typed << edit->text();
        edit->clear();
        QTest::keyClicks(edit, QString(20, 'i'));
        typed << edit->text();
        edit->clear();
        typeEach(edit, QString::fromUtf8("Zoë"));
        test::PressOk(dialog);
    });
    const std::string name = dialogs.AskName("");
    ASSERT_EQ(typed.size(), 4);
    EXPECT_EQ(typed[0], QStringLiteral("Zoe 1"));
    EXPECT_TRUE(note.contains(QString::fromUtf8("ë"))) << note.toStdString();
    EXPECT_TRUE(note.contains(QStringLiteral("Zoe"))) << note.toStdString();
    EXPECT_GT(grownBy, 0);
    EXPECT_FALSE(noteAfterNextKey);
    EXPECT_EQ(typed[1], QStringLiteral("Jose"));
    EXPECT_EQ(typed[2], QString::fromUtf8("あいうえおかき"));
    EXPECT_LE(typed[3].size(), 15);
    EXPECT_GT(typed[3].size(), 5);
    EXPECT_EQ(name, "Zoe");
}

TEST(HiScoreDialogsTest, ListShowsTenLinesBestFirstWithTheNewEntrySelected) {
    QtDialogs dialogs;
    DialogScript script = Script();
    QStringList names;
    QStringList times;
    QList<int> selected;
    bool openAfterEscape = false;
    script.Then([&](QWidget* dialog) {
        auto* list = static_cast<HiScoreListDialog*>(dialog);
        for (int i = 0; i < list->Names().count(); ++i) {
            names << list->Names().item(i)->text();
            times << list->Times().item(i)->text();
            if (list->Names().item(i)->isSelected()) {
                selected << i;
            }
        }
        QTest::keyClick(dialog, Qt::Key_Escape);
        openAfterEscape = dialog->isVisible();
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);  // the default button
    });
    dialogs.ShowHiScoreList(SampleLines());
    ASSERT_EQ(names.size(), 10);
    EXPECT_EQ(names[0], QStringLiteral(" 1 : RED              "));
    EXPECT_EQ(times[0], QStringLiteral("TIME: 1500"));
    EXPECT_EQ(names[9], QStringLiteral("10 : ------           "));
    EXPECT_EQ(selected, QList<int>{0});
    EXPECT_TRUE(openAfterEscape);
    EXPECT_EQ(script.Seen().size(), 1u);
}

// Which run a pick means is the records' rule; the dialog hands back the items as selected.
TEST(HiScoreDialogsTest, OpponentChoiceStartsOnTheMarkedLineAndReturnsThePick) {
    QtDialogs dialogs;
    DialogScript script = Script();
    QList<int> initiallySelected;
    script
        .Then([&](QWidget* dialog) {
            auto& names = static_cast<OpponentSelectDialog*>(dialog)->Names();
            for (int i = 0; i < names.count(); ++i) {
                if (names.item(i)->isSelected()) {
                    initiallySelected << i;
                }
            }
            // A plain click picks one item and drops the others, as a player would.
            const QRect row = names.visualItemRect(names.item(3));
            QTest::mouseClick(names.viewport(), Qt::LeftButton, {}, row.center());
            test::PressOk(dialog);
        })
        .Then([](QWidget* dialog) {
            static_cast<OpponentSelectDialog*>(dialog)->Names().clearSelection();
            test::PressOk(dialog);
        });
    const std::optional<ListSelection> picked = dialogs.ChooseOpponent(SampleLines());
    EXPECT_EQ(initiallySelected, QList<int>{0});
    ListSelection onlyThird{};
    onlyThird[3] = true;
    EXPECT_EQ(picked, onlyThird);
    EXPECT_EQ(dialogs.ChooseOpponent(SampleLines()), ListSelection{});  // nothing selected
    ASSERT_EQ(script.Seen().size(), 2u);
    EXPECT_EQ(script.Seen()[0].kind, "HISCORE_SELECT_DIALOG");
}

// What a Yes empties is the records' rule; the box must make No the easy answer.
TEST(HiScoreDialogsTest, ResetQuestionDefaultsToNoAndEscapeAnswersNo) {
    const Question reset{"ハイスコアデータを初期化します。\nよろしいですか？",
                         "ハイスコアの初期化",
                         {Answer::Yes, Answer::No},
                         Answer::No,
                         Answer::No};
    QtDialogs dialogs;
    DialogScript script = Script();
    bool noIsDefault = false;
    script
        .Then([&](QWidget* box) {
            auto* question = qobject_cast<QMessageBox*>(box);
            noIsDefault = question->defaultButton() == question->button(QMessageBox::No);
            QTest::keyClick(box, Qt::Key_Escape);  // answers No
        })
        .Then([](QWidget* box) { test::AnswerBox(box, true); });
    EXPECT_EQ(dialogs.Ask(reset), Answer::No);
    EXPECT_TRUE(noIsDefault) << "Enter alone must never empty the table";
    EXPECT_EQ(dialogs.Ask(reset), Answer::Yes);
    ASSERT_EQ(script.Seen().size(), 2u);
    EXPECT_EQ(script.Seen()[0].title, QStringLiteral("ハイスコアの初期化"));
}

TEST(MessageBoxTest, AnOkBoxClosesWithEscape) {
    QtDialogs dialogs;
    DialogScript script = Script();
    script.Then([](QWidget* box) {
        EXPECT_EQ(static_cast<QMessageBox*>(box)->icon(), QMessageBox::NoIcon);
        QTest::keyClick(box, Qt::Key_Escape);
    });
    dialogs.ShowMessage("もっと精進せいよ！", "競技終了");
    ASSERT_EQ(script.Seen().size(), 1u);
    EXPECT_EQ(script.Seen()[0].text, QStringLiteral("もっと精進せいよ！"));
    EXPECT_EQ(script.Unexpected(), 0);
}

TEST(StageListDialogTest, ListsStagesAndPacksAndRemovesOnlyAPack) {
    const std::vector<StageListRow> rows = {
        {"１面", "１面", "", 512, false, false},
        {"湖畔の周回路", "Lakeside Loop", "Vantrell examples", 0, true, true}};
    {
        StageListDialog dialog(rows, nullptr);
        QTableWidget& table = dialog.Table();
        ASSERT_EQ(table.rowCount(), 2);
        EXPECT_EQ(table.item(0, 2)->text(), QStringLiteral("512"));
        EXPECT_EQ(table.item(1, 0)->text(), QStringLiteral("湖畔の周回路"));
        EXPECT_EQ(table.item(1, 1)->text(), QStringLiteral("Vantrell examples"));
        EXPECT_EQ(table.item(1, 2)->text(), QStringLiteral("----"));
        // The stage raced is selected; a built-in stage cannot be removed.
        EXPECT_EQ(table.currentRow(), 1);
        EXPECT_TRUE(dialog.RemoveButton().isEnabled());
        table.selectRow(0);
        EXPECT_FALSE(dialog.RemoveButton().isEnabled());
        table.selectRow(1);
        dialog.RemoveButton().click();
        ASSERT_TRUE(dialog.Choice());
        EXPECT_EQ(dialog.Choice()->action, StageListAction::Remove);
        EXPECT_EQ(dialog.Choice()->row, 1);
    }
    StageListDialog dialog(rows, nullptr);
    dialog.AddButton().click();
    ASSERT_TRUE(dialog.Choice());
    EXPECT_EQ(dialog.Choice()->action, StageListAction::Add);
}

TEST(AboutDialogTest, ShowsItsLinesAndClosesOnlyThroughOk) {
    QtDialogs dialogs;
    DialogScript script = Script();
    QStringList texts;
    bool openAfterEscape = false;
    bool frameless = false;
    script.Then([&](QWidget* dialog) {
        for (QLabel* label : dialog->findChildren<QLabel*>()) {
            if (!label->text().isEmpty()) {
                texts << label->text();
            }
        }
        frameless = dialog->windowFlags() & Qt::FramelessWindowHint;
        QTest::keyClick(dialog, Qt::Key_Escape);
        dialog->close();
        openAfterEscape = dialog->isVisible();
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    });
    dialogs.ShowAbout();
    EXPECT_TRUE(texts.contains("Vantrell for Windows95"));
    EXPECT_TRUE(texts.contains("Version 1.0"));
    EXPECT_EQ(texts.size(), 4);
    EXPECT_TRUE(openAfterEscape);
    EXPECT_TRUE(frameless);
    EXPECT_EQ(script.Unexpected(), 0);
}

// The configuration dialog's window around the game's model, with a recording timer.
class ConfigDialogWindowTest : public ::testing::Test {
  protected:
    ConfigDialogWindowTest() : input(keys, sticks), timer(ticks, store), model(input, timer) {
        timer.StartTickTimer();
        model.InitMarks();
        input.SetJoystickReady(1, false);  // only joystick 1 is there
    }

    ScriptedKeyState keys;
    ScriptedJoysticks sticks;
    InputConfig input;
    HeadlessTickTimer ticks;
    MemorySpeedStore store;
    TickTimerState timer;
    ConfigDialog model;
};

TEST_F(ConfigDialogWindowTest, BoxesFollowTheRulesNotTheClicks) {
    ConfigDialogWindow window(nullptr, model);
    window.show();
    EXPECT_TRUE(window.Box(ConfigBox::CursorKeys1)->isChecked());
    EXPECT_TRUE(window.Box(ConfigBox::Joystick1Of1)->isChecked());
    EXPECT_TRUE(window.Box(ConfigBox::LetterKeys2)->isChecked());

    window.Box(ConfigBox::CursorKeys2)->click();  // player 1 holds the cursor keys
    EXPECT_FALSE(window.Box(ConfigBox::CursorKeys2)->isChecked());
    EXPECT_EQ(input.Player(2).useCursorKeys, 0);

    window.Box(ConfigBox::LetterKeys1)->click();  // player 2 holds the letter keys
    EXPECT_FALSE(window.Box(ConfigBox::LetterKeys1)->isChecked());
    window.Box(ConfigBox::LetterKeys2)->click();  // player 2 lets go of them
    window.Box(ConfigBox::LetterKeys1)->click();
    EXPECT_TRUE(window.Box(ConfigBox::LetterKeys1)->isChecked());
    EXPECT_FALSE(window.Box(ConfigBox::CursorKeys1)->isChecked());
    EXPECT_EQ(input.Player(1).useLetterKeys, 1);
    EXPECT_EQ(input.Player(1).useCursorKeys, 0);

    window.Box(ConfigBox::Joystick2Of1)->click();  // joystick 2 is not ready
    EXPECT_FALSE(window.Box(ConfigBox::Joystick2Of1)->isChecked());
    EXPECT_TRUE(window.Box(ConfigBox::Joystick1Of1)->isChecked());

    QTest::keyClick(&window, Qt::Key_Escape);
    window.close();
    EXPECT_TRUE(window.isVisible());
    window.findChild<QPushButton*>(ControlName(1))->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(model.Ended());
}

TEST_F(ConfigDialogWindowTest, SpeedBarStepsStopAtTheEndsAndRestartTheTimer) {
    ConfigDialogWindow window(nullptr, model);
    QScrollBar& bar = window.SpeedBar();
    EXPECT_EQ(bar.minimum(), 16);
    EXPECT_EQ(bar.maximum(), 96);
    EXPECT_EQ(bar.value(), 16);
    EXPECT_FALSE(timer.PeriodChanged());  // opening the dialog changes nothing
    ticks.ClearLog();

    bar.triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(timer.Period(), 16);
    EXPECT_TRUE(timer.PeriodChanged());  // handed on even though clamping kept it
    for (int i = 0; i < 100; ++i) {
        bar.triggerAction(QAbstractSlider::SliderPageStepAdd);
    }
    EXPECT_EQ(timer.Period(), 96);
    EXPECT_EQ(bar.value(), 96);
    EXPECT_EQ(ticks.Period(), 96);
    EXPECT_TRUE(ticks.Running());

    bar.setSliderPosition(40);  // dragging the thumb
    EXPECT_EQ(timer.Period(), 40);
    bar.triggerAction(QAbstractSlider::SliderToMaximum);  // the right end: unchanged
    EXPECT_EQ(timer.Period(), 40);
    EXPECT_EQ(bar.value(), 40);
    EXPECT_EQ(ticks.Period(), 40);
}

TEST_F(ConfigDialogWindowTest, LaidOutFromDialogUnitsOfItsFont) {
    ConfigDialogWindow window(nullptr, model);
    const DialogUnits units(FontForFace("ＭＳ Ｐゴシック", 9));
    // The template's 141 units and two lines naming the joysticks' devices under it.
    EXPECT_EQ(window.size(), QSize(units.X(215), units.Y(141 + 22)));
    auto* ok = window.findChild<QPushButton*>(ControlName(1));
    EXPECT_EQ(ok->geometry(), units.Rect(87, 121, 41, 16));
    EXPECT_EQ(ok->text(), QStringLiteral("O K"));
    EXPECT_TRUE(ok->isDefault());
    // A check box starts where its template says and may only grow to the right, to show all
    // of its label, never past the dialog's edge.
    const QRect box = window.Box(ConfigBox::Joystick2Of2)->geometry();
    EXPECT_EQ(box.topLeft(), units.Rect(115, 103, 88, 8).topLeft());
    EXPECT_EQ(box.height(), units.Y(8));
    EXPECT_GE(box.width(), units.X(88));
    EXPECT_LE(box.right(), window.width() - 1);
    for (int32_t i = 0; i < ConfigDialog::kBoxCount; ++i) {
        QCheckBox* check = window.Box(static_cast<ConfigBox>(i));
        EXPECT_GE(check->width(), std::min(check->sizeHint().width(), window.width() - check->x()))
            << i;
    }
    EXPECT_EQ(window.Box(ConfigBox::LetterKeys1)->text(),
              QStringLiteral("Keyboard ( W, A, S, D , Ctrl)"));
}

TEST(DialogUnitsTest, ScaleByAQuarterAndAnEighthOfTheBaseUnits) {
    const DialogUnits units(6, 12);
    EXPECT_EQ(units.Rect(4, 8, 10, 3), QRect(6, 12, 15, 5));  // 4.5 rounds up
    EXPECT_EQ(units.X(215), 323);
    EXPECT_EQ(units.Y(141), 212);
    const DialogUnits fromFont(SystemDialogFont());
    EXPECT_GE(fromFont.BaseX(), 3);
    EXPECT_GE(fromFont.BaseY(), 6);
}

}  // namespace
}  // namespace vantrell::desktop
