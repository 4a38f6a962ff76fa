// Pausing a headless game through its shell: no tick runs while paused, nothing but the pause
// key resumes it, and a race paused and resumed runs exactly as one never paused.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "headless_test_support.h"
#include "hosts/headless/headless_host.h"
#include "input/input_config.h"
#include "platform/commands.h"
#include "platform/joystick.h"
#include "platform/key_state.h"

namespace vantrell {
namespace {

// One tick of a race as the player sees it: the race clock, player 1's recorded byte and the
// view presented.
struct TickTrace {
    int32_t raceTicks = 0;
    std::vector<uint8_t> band;

    bool operator==(const TickTrace&) const = default;
};

class PausedGame : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.CopyGameContent()) << "no generated game content in " VANTRELL_GAME_DIR;
        host.Start(dir.path());
        ASSERT_TRUE(host.timer.Running());
    }

    // The same keys for tick t in every run: full throttle, with turns that change over time.
    void HoldKeysFor(int32_t t) {
        host.keys.SetDown(Key::Up, t > 70);
        host.keys.SetDown(Key::Right, t % 90 > 60);
        host.keys.SetDown(Key::Left, t % 130 > 110);
    }

    // Runs ticks first..last-1 of the script, one at a time, and records each.
    void RunScript(int32_t first, int32_t last, std::vector<TickTrace>& trace) {
        for (int32_t t = first; t < last; ++t) {
            HoldKeysFor(t);
            ASSERT_EQ(host.RunTicks(1), 1) << "tick " << t;
            trace.push_back({host.game().State().Progress().RaceTicks(), host.display.Band()});
        }
    }

    // Nothing moves: no tick is delivered and nothing is presented.
    void ExpectStandingStill() {
        const int32_t presented = host.display.PresentCount();
        EXPECT_FALSE(host.timer.Running());
        EXPECT_EQ(host.RunTicks(50), 0);
        EXPECT_EQ(host.display.PresentCount(), presented);
    }

    test::ScratchDir dir;
    HeadlessHost host;
};

TEST_F(PausedGame, ARacePausedAndResumedRunsAsOneNeverPaused) {
    constexpr int32_t kTicks = 400;
    constexpr int32_t kPauseAt = 180;

    std::vector<TickTrace> straight;
    host.Command(Command::Solo);
    RunScript(0, kTicks, straight);
    const Recording straightInputs = host.game().State().Progress().RunInputs();

    std::vector<TickTrace> paused;
    host.Command(Command::Solo);
    RunScript(0, kPauseAt, paused);
    host.shell().TogglePause();
    EXPECT_TRUE(host.shell().Paused());
    ExpectStandingStill();  // with the throttle still held
    host.shell().TogglePause();
    EXPECT_FALSE(host.shell().Paused());
    EXPECT_TRUE(host.timer.Running());
    RunScript(kPauseAt, kTicks, paused);

    ASSERT_EQ(paused.size(), straight.size());
    for (std::size_t t = 0; t < straight.size(); ++t) {
        ASSERT_EQ(paused[t], straight[t]) << "tick " << t;
    }
    EXPECT_GT(straight.back().raceTicks, 300) << "the script should have raced";
    EXPECT_EQ(host.game().State().Progress().RunInputs(), straightInputs);
}

TEST_F(PausedGame, OnlyThePauseKeyOrANewModeResumes) {
    ASSERT_EQ(host.RunTicks(30), 30);
    host.shell().TogglePause();  // the demonstration pauses too
    ExpectStandingStill();

    // Dialogs opened and closed, the focus regained: still paused.
    host.Command(Command::About);
    host.Command(Command::Rules);
    host.Command(Command::ShowHiScores);
    host.shell().FocusRegained();
    host.shell().RunPending();
    EXPECT_EQ(host.dialogs.Calls().size(), 3u);
    EXPECT_TRUE(host.shell().Paused());
    ExpectStandingStill();

    host.shell().TogglePause();
    EXPECT_EQ(host.RunTicks(5), 5);

    // Starting a mode ends a pause: a race from the menu starts at once.
    host.shell().TogglePause();
    host.Command(Command::Solo);
    EXPECT_FALSE(host.shell().Paused());
    EXPECT_EQ(host.RunTicks(5), 5);
    EXPECT_EQ(host.game().State().Progress().RaceTicks(), 0) << "still in the countdown";

    // Back to the demonstration from the menu, which otherwise leaves the timer alone.
    host.shell().TogglePause();
    host.Command(Command::Demo);
    EXPECT_FALSE(host.shell().Paused());
    EXPECT_EQ(host.RunTicks(5), 5);
}

TEST_F(PausedGame, APadsStartPausesAndResumesOncePerPressWhileTheWindowListens) {
    // Player 1 drives with joystick 1 as well as the cursor keys.
    host.joysticks.SetCapabilities(0, JoystickResult::Ok, JoystickCaps{0, 65535, 0, 65535});
    host.joysticks.SetPosition(0, JoystickPosition{32767, 32767, 0, false});
    InputConfig& input = host.game().Input();
    input.RefreshJoystickReadiness();
    if (!input.Uses(1, Device::Joystick1)) {
        input.Choose(1, Device::Joystick1);
    }
    ASSERT_EQ(host.RunTicks(5), 5);
    ASSERT_TRUE(input.Uses(1, Device::Joystick1));
    auto start = [&](bool down, bool listening) {
        host.joysticks.SetStartDown(0, down);
        host.shell().CheckPadPause(listening);
        return host.shell().Paused();
    };

    EXPECT_TRUE(start(true, true));
    ExpectStandingStill();
    EXPECT_TRUE(start(true, true)) << "held: one press, one pause";
    EXPECT_TRUE(start(false, true));
    EXPECT_FALSE(start(true, true));
    EXPECT_EQ(host.RunTicks(5), 5);

    // Pressed while the window would take no key: nothing then, and nothing later either.
    EXPECT_FALSE(start(false, true));
    EXPECT_FALSE(start(true, false));
    EXPECT_FALSE(start(true, true));

    // A pad nobody drives with pauses nothing.
    EXPECT_FALSE(start(false, true));
    input.Choose(1, Device::Joystick1);
    ASSERT_FALSE(input.Uses(1, Device::Joystick1));
    EXPECT_FALSE(start(true, true));
    EXPECT_EQ(host.RunTicks(5), 5);
}

}  // namespace
}  // namespace vantrell
