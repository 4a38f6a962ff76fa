// build/vantrell under a virtual X server with a window manager (openbox): F11 and Alt+Enter
// fill the screen and give the window back at its size, and a screen scaled by two opens the
// window at twice its size. Skipped where xvfb-run, xdotool, xwininfo, xprop or openbox is
// missing.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include <map>

#include "desktop_test_support.h"
#include "hosts/desktop/race_panel.h"

namespace vantrell::desktop {
namespace {

struct Measured {
    int outerWidth = 0;
    int outerHeight = 0;
    int width = 0;
    int height = 0;
};

class EndToEndViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* tool : {"xvfb-run", "xdotool", "xwininfo", "xprop", "openbox"}) {
            if (QStandardPaths::findExecutable(tool).isEmpty()) {
                GTEST_SKIP() << tool << " is not installed";
            }
        }
        if (!scratch.CopyGameContent()) {
            GTEST_SKIP() << "no generated game directory";
        }
    }

    // Runs the script on a screen of the given size; the steps it measured, in order.
    std::vector<std::pair<QString, Measured>> Run(const QString& screen, const char* scaleFactor) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("QT_QPA_PLATFORM");
        env.insert("SDL_AUDIODRIVER", "dummy");
        env.insert("QT_SCALE_FACTOR", scaleFactor);
        const QString dir = QString::fromStdString(scratch.path().string());
        env.insert("XDG_CONFIG_HOME", dir);
        env.insert("XDG_RUNTIME_DIR", dir);
        const QString out = dir + "/sizes.txt";
        QFile::remove(out);
        QProcess process;
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        // The script is bounded inside xvfb-run, so the virtual server always goes with it.
        process.start("xvfb-run", {"-a", "-s", "-screen 0 " + screen + "x24", "timeout", "60",
                                   "bash", VANTRELL_TEST_SCRIPTS "/e2e_fullscreen.sh",
                                   VANTRELL_GAME_PROGRAM, dir, out});
        if (!process.waitForFinished(90000)) {
            process.kill();
            process.waitForFinished();
        }
        std::vector<std::pair<QString, Measured>> steps;
        QFile file(out);
        if (file.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : file.readAll().split('\n')) {
                const QList<QByteArray> words = line.split(' ');
                if (words.size() == 5) {
                    steps.push_back(
                        {QString::fromUtf8(words[0]),
                         {words[1].toInt(), words[2].toInt(), words[3].toInt(), words[4].toInt()}});
                }
            }
        }
        return steps;
    }

    test::ScratchDir scratch;
};

TEST_F(EndToEndViewTest, F11AndAltEnterFillTheScreenAndGiveTheWindowBack) {
    const auto steps = Run("640x480", "1");
    ASSERT_EQ(steps.size(), 5u);
    const Measured& start = steps[0].second;
    EXPECT_EQ(start.outerWidth, 256);
    // The game's 256 x 360 and the race display's panel below, on by default.
    EXPECT_EQ(start.outerHeight, 360 + RacePanel::kHeight);
    EXPECT_LT(start.height, 360 + RacePanel::kHeight)
        << "the window manager should have framed the window";
    for (std::size_t i = 1; i < steps.size(); ++i) {
        const Measured& m = steps[i].second;
        if (i % 2 == 1) {
            EXPECT_EQ(m.width, 640) << steps[i].first.toStdString();
            EXPECT_EQ(m.height, 480) << steps[i].first.toStdString();
        } else {
            EXPECT_EQ(m.width, start.width) << steps[i].first.toStdString();
            EXPECT_EQ(m.height, start.height) << steps[i].first.toStdString();
        }
    }
}

TEST_F(EndToEndViewTest, AScreenScaledByTwoOpensTheWindowAtTwiceItsSize) {
    const auto steps = Run("1280x1024", "2");
    ASSERT_FALSE(steps.empty());
    const Measured& start = steps[0].second;
    // Qt sees the window manager's frame in whole logical pixels: each odd frame edge (a 1-pixel
    // border) rounds to 2 screen pixels, so the outer size may miss by one such rounding a side.
    EXPECT_NEAR(start.outerWidth, 512, 2);
    EXPECT_NEAR(start.outerHeight, 2 * (360 + RacePanel::kHeight), 2);
    // The client area is whole logical pixels: twice something.
    EXPECT_EQ(start.width % 2, 0);
    EXPECT_EQ(start.height % 2, 0);
}

}  // namespace
}  // namespace vantrell::desktop
