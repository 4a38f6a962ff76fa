// Keys as the game reads them: down, or pressed since the last question, and only while they
// reach our windows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>

#include "hosts/desktop/qt_key_state.h"
#include "platform/key_state.h"

namespace vantrell::desktop {
namespace {

TEST(QtKeyStateTest, HeldKeysReadDownAndTapsReadOnce) {
    QtKeyState keys;
    QWidget window;
    window.show();

    QTest::keyPress(&window, Qt::Key_Up);
    EXPECT_TRUE(keys.DownOrPressedSinceLastAsked(Key::Up));
    EXPECT_TRUE(keys.DownOrPressedSinceLastAsked(Key::Up));  // still held
    QTest::keyRelease(&window, Qt::Key_Up);
    EXPECT_FALSE(keys.DownOrPressedSinceLastAsked(Key::Up));

    // Tapped between two questions: counts once.
    QTest::keyClick(&window, Qt::Key_A);
    EXPECT_TRUE(keys.DownOrPressedSinceLastAsked(Key::A));
    EXPECT_FALSE(keys.DownOrPressedSinceLastAsked(Key::A));
    // The latch is per key: asking about one key leaves another's tap alone.
    QTest::keyClick(&window, Qt::Key_D);
    EXPECT_FALSE(keys.DownOrPressedSinceLastAsked(Key::W));
    EXPECT_TRUE(keys.DownOrPressedSinceLastAsked(Key::D));

    QTest::keyPress(&window, Qt::Key_Shift);
    QTest::keyPress(&window, Qt::Key_Control);
    EXPECT_TRUE(keys.DownOrPressedSinceLastAsked(Key::Shift));
    EXPECT_TRUE(keys.DownOrPressedSinceLastAsked(Key::Control));
    QTest::keyRelease(&window, Qt::Key_Shift);
    QTest::keyRelease(&window, Qt::Key_Control);
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
    EXPECT_FALSE(keys.DownOrPressedSinceLastAsked(Key::Left));
    EXPECT_FALSE(keys.DownOrPressedSinceLastAsked(Key::W));
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
    EXPECT_TRUE(keys.DownOrPressedSinceLastAsked(Key::Right));  // tapped
    EXPECT_FALSE(keys.DownOrPressedSinceLastAsked(Key::Down));  // only repeats: never pressed

    QTest::keyClick(&window, Qt::Key_CapsLock);
    for (std::size_t i = 0; i < kKeyCount; ++i) {
        EXPECT_FALSE(keys.DownOrPressedSinceLastAsked(static_cast<Key>(i))) << i;
    }
    EXPECT_EQ(KeyFor(Qt::Key_X), Key::X);
    EXPECT_EQ(KeyFor(Qt::Key_S), Key::S);
    EXPECT_EQ(KeyFor(Qt::Key_CapsLock), std::nullopt);
}

}  // namespace
}  // namespace vantrell::desktop
