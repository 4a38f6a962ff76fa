// The real desktop game against a hostile machine: files it cannot write, music and soundfonts
// that are not there, no sound device, a joystick pulled out mid-race. The game must keep
// running without a word to the player and lose nothing it could have kept.
#include <gtest/gtest.h>

#include <SDL.h>

#include <QScrollBar>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "desktop_test_support.h"
#include "hosts/desktop/config_dialog_window.h"
#include "input/control_code.h"
#include "io/atomic_save.h"
#include "platform/commands.h"
#include "records/hiscore_table.h"
#include "sound/sound_switches.h"
#include "support/scoped_env.h"
#include "support/virtual_pads.h"

namespace vantrell::desktop {
namespace {

using test::DialogScript;
using test::Pump;
using test::TestGame;
using vantrell::test::ReadBytes;
using vantrell::test::ScopedEnv;
using vantrell::test::VirtualDevice;

DialogScript ScriptFor(TestGame& game) {
    return DialogScript([&game] { return game.app->Timer().Running(); });
}

// Waits for a solo race's countdown (63 ticks, about a second) to run out.
bool WaitForTheStart(TestGame& game) {
    const GameState& state = game.app->Objects().State();
    for (int i = 0; i < 250 && state.Progress().Countdown() > 0; ++i) {
        Pump(20);
    }
    return state.Progress().Countdown() == 0;
}

TEST(BadInputTest, UnwritableSwitchFileLosesOnlyTheSwitchesNotTheRecords) {
    TestGame game;
    if (!game.haveContent) {
        GTEST_SKIP() << "no generated game directory";
    }
    // Running as root defeats file modes; a folder where the file goes stops any write.
    const auto switchFile = game.dir.path() / kSoundSwitchFileName;
    std::filesystem::remove(switchFile);
    ASSERT_TRUE(std::filesystem::create_directory(switchFile));
    const auto recordFile = game.dir.path() / HiScoreTable::RecordFileName(0);
    std::filesystem::remove(recordFile);
    game.Start();

    const GameState& state = game.app->Objects().State();
    ASSERT_EQ(state.CurrentStage().Index(), 0);
    SoundPlayer& sound = game.app->Objects().Sound();
    EXPECT_TRUE(sound.EffectsOn());  // the folder read as no file: both on
    EXPECT_TRUE(sound.MusicOn());
    game.Choose(Command::Effects);
    EXPECT_FALSE(sound.EffectsOn());
    EXPECT_FALSE(game.Window().Menu().Checked(Command::Effects));
    const int32_t presents = game.Window().View().PresentCount();
    Pump(60);
    EXPECT_GT(game.Window().View().PresentCount(), presents) << "the game stopped";

    // A run entered the table, as after a finished race.
    HiScoreTable& records = game.app->Objects().Records();
    OfferedRun run{.time = 1, .name = "BADINPUT"};
    run.recording.fill(0x21);
    ASSERT_TRUE(records.Offer(run).Entered());

    DialogScript script = ScriptFor(game);
    script.Then([](QWidget* box) { test::AnswerBox(box, true); });
    game.Window().close();
    Pump(20);
    EXPECT_TRUE(game.Window().Destroyed());
    game.app.reset();  // the sound player writes its switches as the game ends

    ASSERT_EQ(script.Seen().size(), 1u);  // the save question and nothing else
    EXPECT_EQ(script.Seen()[0].kind, "QuestionBox");
    EXPECT_EQ(script.Unexpected(), 0);
    EXPECT_TRUE(std::filesystem::is_directory(switchFile));
    EXPECT_FALSE(std::filesystem::exists(TemporaryBeside(switchFile)))
        << "a half-made switch file was left";

    ASSERT_TRUE(std::filesystem::is_regular_file(recordFile)) << "the records were not saved";
    EXPECT_NE(ReadBytes(recordFile).find("BADINPUT"), std::string::npos);
    int32_t saved = 0;
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        const auto recording = game.dir.path() / HiScoreTable::RecordingFileName(0, k);
        ASSERT_TRUE(std::filesystem::is_regular_file(recording));
        saved += ReadBytes(recording) == std::string(kRecordingBytes, '\x21') ? 1 : 0;
    }
    EXPECT_EQ(saved, 1);
}

TEST(BadInputTest, UnwritableSettingsStoreForgetsTheSpeedAndTheNextStartRuns) {
    // The store's file is a folder, or its folder is a file.
    for (const bool folderIsAFile : {false, true}) {
        SCOPED_TRACE(folderIsAFile ? "folder is a file" : "file is a folder");
        TestGame game;
        if (!game.haveContent) {
            GTEST_SKIP() << "no generated game directory";
        }
        if (folderIsAFile) {
            const auto blocker = game.dir.path() / "settings";
            std::ofstream(blocker) << "not a folder";
            game.settingsFile = QString::fromStdString((blocker / "speed.ini").string());
        } else {
            ASSERT_TRUE(std::filesystem::create_directory(game.settingsFile.toStdString()));
        }
        game.Start();
        EXPECT_EQ(game.app->Timer().Period(), 16);

        DialogScript script = ScriptFor(game);
        script.Then([](QWidget* dialog) {
            static_cast<ConfigDialogWindow*>(dialog)->SpeedBar().triggerAction(
                QAbstractSlider::SliderSingleStepAdd);
            test::PressOk(dialog);
        });
        game.Choose(Command::Config);
        EXPECT_EQ(game.app->Timer().Period(), 17);
        EXPECT_TRUE(game.app->Timer().Running());
        game.Window().close();
        Pump(20);
        EXPECT_TRUE(game.Window().Destroyed());
        game.app.reset();
        ASSERT_EQ(script.Seen().size(), 1u);  // the dialog, and no complaint at the end
        EXPECT_EQ(script.Unexpected(), 0);
        EXPECT_EQ(std::filesystem::is_directory(game.settingsFile.toStdString()), !folderIsAFile);

        // The next start finds nothing stored and runs at the default speed.
        game.Start();
        EXPECT_EQ(game.app->Timer().Period(), 16);
        EXPECT_TRUE(game.app->Timer().Running());
        const int32_t presents = game.Window().View().PresentCount();
        Pump(60);
        EXPECT_GT(game.Window().View().PresentCount(), presents);
    }
}

// A solo race with the given trouble in place: the music is asked for and the race runs.
void SoloRaceRunsWithoutMusic(TestGame& game, const char* trouble, bool expectDevice) {
    SCOPED_TRACE(trouble);
    game.Start();
    EXPECT_EQ(game.app->Sound().DeviceOpen(), expectDevice);
    EXPECT_FALSE(game.app->Sound().MusicLoaded(MusicPiece::Race));
    EXPECT_FALSE(game.app->Sound().MusicLoaded(MusicPiece::Goal));
    DialogScript script = ScriptFor(game);
    game.Choose(Command::Solo);
    const GameState& state = game.app->Objects().State();
    EXPECT_EQ(state.Progress().Mode(), ModeSolo);
    EXPECT_EQ(game.app->Objects().Sound().CurrentPiece(), SoundPlayer::kPieceRace);
    ASSERT_TRUE(WaitForTheStart(game));
    const int32_t ticks = state.Progress().RaceTicks();
    Pump(150);
    EXPECT_GT(state.Progress().RaceTicks(), ticks + 3) << "the race does not go on";
    EXPECT_EQ(state.Progress().Mode(), ModeSolo);
    EXPECT_TRUE(game.app->Timer().Running());
    EXPECT_FALSE(game.app->Sound().MusicSounding());
    EXPECT_TRUE(script.Seen().empty());
}

TEST(BadInputTest, MissingMusicSoundfontOrDeviceLeaveTheRaceRunningSilently) {
    {
        TestGame game;
        if (!game.haveContent) {
            GTEST_SKIP() << "no generated game directory";
        }
        std::filesystem::remove(game.dir.path() / "bgm1.mid");
        std::filesystem::remove(game.dir.path() / "stend.mid");
        SoloRaceRunsWithoutMusic(game, "no music files", true);
    }
    {
        // The rendered music broken or gone, and no soundfont to render it again.
        ScopedEnv fonts("SDL_SOUNDFONTS", "/nonexistent/none.sf2");
        ScopedEnv force("SDL_FORCE_SOUNDFONTS", "1");
        TestGame game;
        std::ofstream(game.dir.path() / "music" / "bgm1.opus", std::ios::binary | std::ios::trunc)
            << "OggS, but not for long";
        std::filesystem::remove(game.dir.path() / "music" / "stend.opus");
        SoloRaceRunsWithoutMusic(game, "broken music, no soundfont", true);
    }
    {
        ScopedEnv driver("SDL_AUDIODRIVER", "no-such-driver");
        TestGame game;
        SoloRaceRunsWithoutMusic(game, "no audio device", false);
    }
}

TEST(BadInputTest, JoystickPulledOutMidRaceLeavesTheKeyboardDriving) {
    TestGame game;
    if (!game.haveContent) {
        GTEST_SKIP() << "no generated game directory";
    }
    SdlJoysticks sticks;  // keeps SDL's joystick side up for the stick made before the game
    if (const std::string why = vantrell::test::WhyNoVirtualPads(sticks); !why.empty()) {
        GTEST_SKIP() << why;
    }
    VirtualDevice stick(VirtualDevice::Pad);  // for the game to find at its start
    ASSERT_TRUE(stick.Ok());
    game.Start();
    DialogScript script = ScriptFor(game);
    game.Choose(Command::Solo);
    ASSERT_TRUE(WaitForTheStart(game));
    InputConfig& input = game.app->Objects().Input();
    const GameState& state = game.app->Objects().State();
    EXPECT_EQ(input.Player(1).useJoystick1, 1);  // the stick was there: still assigned
    const PlayerAssignment player2 = input.Player(2);

    stick.Unplug();
    const int32_t ticks = state.Progress().RaceTicks();
    const int32_t x = state.Crafts().first.posX;
    const int32_t y = state.Crafts().first.posY;
    game.Window().activateWindow();
    QTest::keyPress(&game.Window(), Qt::Key_Up);
    Pump(300);
    QTest::keyRelease(&game.Window(), Qt::Key_Up);
    const Recording& run = state.Progress().RunInputs();
    EXPECT_NE(
        std::find(run.begin() + ticks + 1, run.begin() + state.Progress().RaceTicks(), kRunForward),
        run.begin() + state.Progress().RaceTicks())
        << "the keyboard no longer drives";

    EXPECT_EQ(input.Player(1).useJoystick1, 0);
    EXPECT_EQ(input.Player(1).useCursorKeys, 1);
    EXPECT_EQ(input.Player(1).useLetterKeys, 0);
    EXPECT_EQ(input.Player(1).useJoystick2, 0);
    EXPECT_EQ(input.Player(2).useCursorKeys, player2.useCursorKeys);
    EXPECT_EQ(input.Player(2).useLetterKeys, player2.useLetterKeys);
    EXPECT_EQ(input.Player(2).useJoystick1, player2.useJoystick1);
    EXPECT_EQ(input.Player(2).useJoystick2, player2.useJoystick2);
    EXPECT_GT(state.Progress().RaceTicks(), ticks + 5);
    EXPECT_TRUE(state.Crafts().first.posX != x || state.Crafts().first.posY != y) << "never moved";
    EXPECT_EQ(state.Progress().Mode(), ModeSolo);
    EXPECT_TRUE(game.app->Timer().Running());
    EXPECT_TRUE(script.Seen().empty());
}

}  // namespace
}  // namespace vantrell::desktop
