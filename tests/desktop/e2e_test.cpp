// The real build/vantrell under a virtual X server (xvfb-run): the demonstration on screen
// with the title in the strip, and a solo race started from the menu and driven with key
// presses. Skipped where xvfb-run or xdotool is missing.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include <vector>

#include "desktop_test_support.h"
#include "hosts/desktop/race_panel.h"

namespace vantrell::desktop {
namespace {

constexpr int kPanelHeight = RacePanel::kHeight;

struct TraceLine {
    long tick, micros;
    int mode, banner, x, y, raceTicks;
};

std::vector<TraceLine> ReadTrace(const std::filesystem::path& file) {
    std::vector<TraceLine> lines;
    std::ifstream in(file);
    std::string text;
    while (std::getline(in, text)) {
        std::istringstream words(text);
        TraceLine line{};
        if (words >> line.tick >> line.micros >> line.mode >> line.banner >> line.x >> line.y >>
            line.raceTicks) {
            lines.push_back(line);
        }
    }
    return lines;
}

class EndToEndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable("xvfb-run").isEmpty()) {
            GTEST_SKIP() << "xvfb-run is not installed";
        }
        if (!scratch.CopyGameContent()) {
            GTEST_SKIP() << "no generated game directory";
        }
        env = QProcessEnvironment::systemEnvironment();
        env.remove("QT_QPA_PLATFORM");  // the real window system, the virtual X server's
        env.insert("SDL_AUDIODRIVER", "dummy");
        // The game's settings go to the scratch folder, not the user's.
        env.insert("XDG_CONFIG_HOME", QString::fromStdString(scratch.path().string()));
        env.insert("XDG_RUNTIME_DIR", QString::fromStdString(scratch.path().string()));
    }

    // Runs a command under xvfb-run; false when it did not end in time.
    bool RunUnderXvfb(const QStringList& command, int timeoutMs, int& exitCode) {
        QProcess process;
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QStringList args{"-a", "-s", "-screen 0 640x480x24"};
        args << command;
        process.start("xvfb-run", args);
        if (!process.waitForFinished(timeoutMs)) {
            process.kill();
            process.waitForFinished();
            return false;
        }
        exitCode = process.exitCode();
        return true;
    }

    QString Path(const char* name) const {
        return QString::fromStdString((scratch.path() / name).string());
    }

    test::ScratchDir scratch;
    QProcessEnvironment env;
};

TEST_F(EndToEndTest, DemonstrationShowsTheCourseAndTheTitleThenClosesCleanly) {
    env.insert("VANTRELL_SNAPSHOT", Path("shot-%1.png"));
    env.insert("VANTRELL_SNAPSHOT_TICKS", "200");
    env.insert("VANTRELL_QUIT_TICK", "210");
    int exitCode = -1;
    ASSERT_TRUE(RunUnderXvfb({VANTRELL_GAME_PROGRAM, "--dir", Path("")}, 60000, exitCode));
    EXPECT_EQ(exitCode, 0);

    const QImage shot(Path("shot-200.png"));
    ASSERT_FALSE(shot.isNull());
    const int width = shot.width();
    const int height = shot.height();
    EXPECT_EQ(width, 256);
    // The game's 256 x 360 and the race display's panel below, on by default.
    EXPECT_EQ(height, 360 + kPanelHeight);
    const int stripBottom = height - kPanelHeight;

    // The view: many colours, not a blank or single-colour band.
    std::set<QRgb> colours;
    for (int y = height / 4; y < stripBottom - 40; y += 2) {
        for (int x = 0; x < width; x += 2) {
            colours.insert(shot.pixel(x, y));
        }
    }
    EXPECT_GT(colours.size(), 20u);

    // The strip: black, with white text in the middle where the 18-unit title goes.
    int white = 0;
    int outside = 0;
    const int left = (width - 180) / 2;
    for (int y = stripBottom - 22; y < stripBottom; ++y) {
        for (int x = 0; x < width; ++x) {
            if (qGray(shot.pixel(x, y)) > 200) {
                (x >= left && x < left + 180 ? white : outside) += 1;
            }
        }
    }
    EXPECT_GT(white, 150);
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(shot.pixel(2, stripBottom - 2), qRgb(0, 0, 0));
    // The panel: the small map of the course in many colours at its right.
    std::set<QRgb> mapColours;
    for (int y = stripBottom + 8; y < height - 8; ++y) {
        for (int x = width - 64; x < width - 8; ++x) {
            mapColours.insert(shot.pixel(x, y));
        }
    }
    EXPECT_GT(mapColours.size(), 10u);
}

TEST_F(EndToEndTest, SoloRaceFromTheMenuDrivenWithTheKeyboard) {
    if (QStandardPaths::findExecutable("xdotool").isEmpty()) {
        GTEST_SKIP() << "xdotool is not installed";
    }
    env.insert("VANTRELL_TRACE", Path("trace.txt"));
    int exitCode = -1;
    ASSERT_TRUE(RunUnderXvfb(
        {"bash", VANTRELL_TEST_SCRIPTS "/e2e_solo_race.sh", VANTRELL_GAME_PROGRAM, Path("")}, 60000,
        exitCode));
    EXPECT_EQ(exitCode, 0);

    const std::vector<TraceLine> trace = ReadTrace(scratch.path() / "trace.txt");
    ASSERT_FALSE(trace.empty());
    const TraceLine* start = nullptr;  // the first tick of the race after the countdown
    for (const TraceLine& line : trace) {
        if (line.mode == 1 && line.raceTicks > 0) {
            start = &line;
            break;
        }
    }
    ASSERT_NE(start, nullptr) << "no solo race started from the menu";
    // The furthest the race got before the R key started it again.
    const auto peak = std::max_element(
        trace.begin(), trace.end(),
        [](const TraceLine& a, const TraceLine& b) { return a.raceTicks < b.raceTicks; });
    EXPECT_EQ(peak->mode, 1);
    EXPECT_GT(peak->raceTicks, 60);
    const int moved = std::abs(peak->x - start->x) + std::abs(peak->y - start->y);
    EXPECT_GT(moved, 20) << "the craft did not move under the Up key";
    const TraceLine& last = trace.back();
    EXPECT_EQ(last.mode, 1);
    EXPECT_EQ(last.raceTicks, 0) << "R should have started the race again from the countdown";
}

}  // namespace
}  // namespace vantrell::desktop
