// Keys as the game reads them: down, or pressed since the last question, and only while they
// reach our windows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>

#include "hosts/desktop/qt_key_state.h"
#include "platform/virtual_keys.h"

namespace vantrell::desktop {
namespace {

TEST(QtKeyStateTest, HeldKeysReadDownAndTapsReadOnce) {
    QtKeyState keys;
    QWidget window;
    window.show();

    QTest::keyPress(&window, Qt::Key_Up);
    EXPECT_TRUE(keys.DownOrPressedSinceLastAsked(kKeyUp));
    EXPECT_TRUE(keys.DownOrPressedSinceLastAsked(kKeyUp));  // still held
    QTest::keyRelease(&window, Qt::Key_Up);
    EXPECT_FALSE(keys.DownOrPressedSinceLastAsked(kKeyUp));

    // Tapped between two questions: counts once.
    QTest::keyClick(&window, Qt::Key_A);
    EXPECT_TRUE(keys.DownOrPressedSinceLastAsked(kKeyA));
    EXPECT_FALSE(keys.DownOrPressedSinceLastAsked(kKeyA));
    // The latch is per key: asking about one key leaves another's tap alone.
    QTest::keyClick(&window, Qt::Key_D);
    EXPECT_FALSE(keys.DownOrPressedSinceLastAsked(kKeyW));
    EXPECT_TRUE(keys.DownOrPressedSinceLastAsked(kKeyD));

    QTest::keyPress(&window, Qt::Key_Shift);
    QTest::keyPress(&window, Qt::Key_Control);
    EXPECT_TRUE(keys.DownOrPressedSinceLastAsked(kKeyShift));
    EXPECT_TRUE(keys.DownOrPressedSinceLastAsked(kKeyControl));
    QTest::keyRelease(&window, Qt::Key_Shift);
    QTest::keyRelease(&window, Qt::Key_Control);

    EXPECT_FALSE(keys.DownOrPressedSinceLastAsked(-1));
    EXPECT_FALSE(keys.DownOrPressedSinceLastAsked(kKeyCount));
}

TEST(QtKeyStateTest, LosingTheFocusReleasesEveryKey) {
    QtKeyState keys;
    QWidget window;
    window.show();
    QTest::keyPress(&window, Qt::Key_Left);
    QTest::keyPress(&window, Qt::Key_W);
    QEvent deactivate(QEvent::ApplicationDeactivate);
    QApplication::sendEvent(qApp, &deactivate);
    // The key-ups went to another program; nothing may stay held or latched.
    EXPECT_FALSE(keys.DownOrPressedSinceLastAsked(kKeyLeft));
    EXPECT_FALSE(keys.DownOrPressedSinceLastAsked(kKeyW));
}

TEST(QtKeyStateTest, AutoRepeatChangesNothingAndOtherKeysAreIgnored) {
    QtKeyState keys;
    QWidget window;
    window.show();
    QTest::keyPress(&window, Qt::Key_Right);
    QTest::keyRelease(&window, Qt::Key_Right, Qt::NoModifier, -1);
    QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(&window, &repeatRelease);
    QKeyEvent repeatPress(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(&window, &repeatPress);
    EXPECT_TRUE(keys.DownOrPressedSinceLastAsked(kKeyRight));  // tapped
    EXPECT_FALSE(keys.DownOrPressedSinceLastAsked(kKeyDown));  // only repeats: never pressed

    QTest::keyClick(&window, Qt::Key_Q);
    for (int vk = 0; vk < kKeyCount; ++vk) {
        EXPECT_FALSE(keys.DownOrPressedSinceLastAsked(vk)) << vk;
    }
    EXPECT_EQ(VirtualKeyFor(Qt::Key_X), kKeyX);
    EXPECT_EQ(VirtualKeyFor(Qt::Key_S), kKeyS);
    EXPECT_EQ(VirtualKeyFor(Qt::Key_Space), -1);
}

}  // namespace
}  // namespace vantrell::desktop
