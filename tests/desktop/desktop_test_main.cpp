// One QApplication for all desktop tests, on the offscreen platform unless the environment
// names another, and SDL's dummy audio driver so no sound card is needed.
#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>

#include "hosts/desktop/game_style.h"
#include "hosts/desktop/ui_fonts.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    QApplication::setStyle(new vantrell::desktop::GameStyle);
    QApplication::setFont(vantrell::desktop::MenuFont());
    return RUN_ALL_TESTS();
}
