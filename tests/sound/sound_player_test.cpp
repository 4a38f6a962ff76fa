#include "sound/sound_player.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "hosts/headless/logged_audio.h"
#include "sound_test_support.h"

namespace vantrell {
namespace {

using Calls = std::vector<std::string>;

// Four tiny stand-ins of different sizes, so the log alone tells them apart.
constexpr std::array<uint8_t, 3> kWave0{'W', '0', 0};
constexpr std::array<uint8_t, 5> kWave1{'W', '1', 0, 0, 0};
constexpr std::array<uint8_t, 7> kWave2{'W', '2', 0, 0, 0, 0, 0};
constexpr std::array<uint8_t, 11> kWave3{'W', '3', 0, 0, 0, 0, 0, 0, 0, 0, 0};
const SoundPlayer::WaveImages kWaves{kWave0, kWave1, kWave2, kWave3};

class SoundPlayerTest : public test::SoundDirTest {
  protected:
    LoggedAudio audio_;
};

// A player whose construction calls are already out of the log.
class SoundMusic : public SoundPlayerTest {
  protected:
    void SetUp() override {
        SoundPlayerTest::SetUp();
        player_.emplace(audio_, kWaves, dir_);
        audio_.Clear();
    }
    void TearDown() override {
        player_.reset();
        SoundPlayerTest::TearDown();
    }
    // Runs `step` and hands back only the calls it made.
    template <typename Step>
    Calls CallsOf(Step step) {
        audio_.Clear();
        step(*player_);
        return audio_.Calls();
    }

    std::optional<SoundPlayer> player_;
};

using SoundEffects = SoundMusic;

TEST_F(SoundPlayerTest, OpensBothPiecesAtStartAndClosesThemAtExit) {
    {
        SoundPlayer player(audio_, kWaves, dir_);
        EXPECT_EQ(audio_.Calls(), (Calls{"open race", "open goal"}));
        EXPECT_EQ(player.CurrentPiece(), 0);
        EXPECT_EQ(player.PriorityFloor(), 0);
        audio_.Clear();
        player.Shutdown();
        EXPECT_EQ(audio_.Calls(), (Calls{"stop effect", "close race", "close goal"}));
        audio_.Clear();
    }
    EXPECT_TRUE(audio_.Calls().empty()) << "shut down twice";
}

TEST_F(SoundPlayerTest, SwitchFileFollowsEachSwitchAndIsPutBackAsFound) {
    {
        SoundPlayer player(audio_, kWaves, dir_);
        EXPECT_TRUE(player.EffectsOn());
        EXPECT_TRUE(player.MusicOn());
    }
    EXPECT_TRUE(Names().empty()) << "no file and nothing changed: none is created";

    {
        SoundPlayer player(audio_, kWaves, dir_);
        player.ToggleEffects();
        // Written at the switch: a game killed now keeps it.
        EXPECT_EQ(ReadSwitchFile(), "SE = 0 \r\nBGM = 1 \r\n");
        player.ToggleEffects();
        EXPECT_TRUE(Names().empty()) << "switched on again: the file is gone, as it was";
    }
    EXPECT_TRUE(Names().empty()) << "switched off and on again: not written";

    {
        SoundPlayer player(audio_, kWaves, dir_);
        player.ToggleMusic();
        EXPECT_EQ(ReadSwitchFile(), "SE = 1 \r\nBGM = 0 \r\n");
    }
    EXPECT_EQ(ReadSwitchFile(), "SE = 1 \r\nBGM = 0 \r\n");
    EXPECT_EQ(Names(), std::vector<std::string>{"SOUNDCNF.TXT"});

    // A file the game did not write comes back byte for byte when the switches do.
    WriteSwitchFile("SE = 0\nBGM = 5\n");
    {
        SoundPlayer player(audio_, kWaves, dir_);
        player.ToggleMusic();
        EXPECT_EQ(ReadSwitchFile(), "SE = 0 \r\nBGM = 0 \r\n");
        player.ToggleMusic();
        EXPECT_EQ(ReadSwitchFile(), "SE = 0\nBGM = 5\n");
    }
    EXPECT_EQ(ReadSwitchFile(), "SE = 0\nBGM = 5\n");
    WriteSwitchFile("SE = 1 \r\nBGM = 0 \r\n");

    {
        SoundPlayer player(audio_, kWaves, dir_);
        EXPECT_TRUE(player.EffectsOn());
        EXPECT_FALSE(player.MusicOn());
        player.ToggleEffects();
        player.ToggleMusic();
    }
    EXPECT_EQ(ReadSwitchFile(), "SE = 0 \r\nBGM = 1 \r\n");
}

TEST_F(SoundPlayerTest, SwitchFileReadAtStart) {
    // Values other than 0 and 1, left as they are when nothing changes.
    WriteSwitchFile("SE = 0\nBGM = 5\n");
    {
        SoundPlayer player(audio_, kWaves, dir_);
        EXPECT_FALSE(player.EffectsOn());
        EXPECT_TRUE(player.MusicOn());
    }
    EXPECT_EQ(ReadSwitchFile(), "SE = 0\nBGM = 5\n");

    WriteSwitchFile("\x01\x02 not a switch file");
    {
        SoundPlayer player(audio_, kWaves, dir_);
        EXPECT_TRUE(player.EffectsOn());
        EXPECT_TRUE(player.MusicOn());
    }
}

TEST_F(SoundPlayerTest, UnwritableSwitchFileIsSkippedQuietly) {
    // A directory in the file's place: the switches are lost, the game goes on.
    std::filesystem::create_directory(SwitchFile());
    {
        SoundPlayer player(audio_, kWaves, dir_);
        EXPECT_TRUE(player.EffectsOn());
        player.ToggleEffects();
    }
    EXPECT_TRUE(std::filesystem::is_directory(SwitchFile()));
    EXPECT_EQ(Names(), std::vector<std::string>{"SOUNDCNF.TXT"});
    EXPECT_EQ(audio_.Calls().back(), "close goal");
}

TEST_F(SoundMusic, RaceMusicThenEndMusicThenStop) {
    EXPECT_EQ(CallsOf([](SoundPlayer& p) { p.PlayMusic(1); }), Calls{"play race from 0"});
    EXPECT_EQ(player_->CurrentPiece(), 1);
    EXPECT_EQ(CallsOf([](SoundPlayer& p) { p.PlayMusic(2); }),
              (Calls{"stop race", "play goal from 0"}));
    EXPECT_EQ(player_->CurrentPiece(), 2);
    EXPECT_EQ(CallsOf([](SoundPlayer& p) { p.StopMusic(); }), (Calls{"stop race", "stop goal"}));
    EXPECT_EQ(player_->CurrentPiece(), 2);
    // The next race starts over from the end music.
    EXPECT_EQ(CallsOf([](SoundPlayer& p) { p.PlayMusic(1); }),
              (Calls{"stop goal", "play race from 0"}));
    // The same piece again restarts it.
    EXPECT_EQ(CallsOf([](SoundPlayer& p) { p.PlayMusic(1); }),
              (Calls{"stop race", "play race from 0"}));
}

TEST_F(SoundMusic, MusicOffStillRemembersThePiece) {
    // The menu turning music off: stop first, then the switch.
    EXPECT_EQ(CallsOf([](SoundPlayer& p) { p.ToggleMusic(); }), (Calls{"stop race", "stop goal"}))
        << "both stops go out even with nothing playing";

    // A race starts: nothing sounds, but the race music is what was asked for.
    EXPECT_TRUE(CallsOf([](SoundPlayer& p) { p.PlayMusic(1); }).empty());
    EXPECT_EQ(player_->CurrentPiece(), 1);
    EXPECT_TRUE(CallsOf([](SoundPlayer& p) { p.StopMusic(); }).empty());
    EXPECT_TRUE(CallsOf([](SoundPlayer& p) { p.ResumeMusic(); }).empty());

    // Switched on during the race: the race music continues, not from the start.
    EXPECT_EQ(CallsOf([](SoundPlayer& p) { p.ToggleMusic(); }), Calls{"play race"});
}

TEST_F(SoundMusic, ResumeOnlyContinuesTheRaceMusic) {
    EXPECT_TRUE(CallsOf([](SoundPlayer& p) { p.ResumeMusic(); }).empty()) << "no piece yet";

    player_->ToggleMusic();
    EXPECT_TRUE(CallsOf([](SoundPlayer& p) { p.PlayMusic(2); }).empty());
    EXPECT_EQ(player_->CurrentPiece(), 2);
    EXPECT_TRUE(CallsOf([](SoundPlayer& p) { p.ToggleMusic(); }).empty())
        << "the end music is never continued";

    // Turned on, the next piece stops the end music even though it never sounded.
    EXPECT_EQ(CallsOf([](SoundPlayer& p) { p.PlayMusic(1); }),
              (Calls{"stop goal", "play race from 0"}));
}

TEST_F(SoundEffects, EachIndexPlaysItsOwnImage) {
    const std::array<const uint8_t*, 4> images{kWave0.data(), kWave1.data(), kWave2.data(),
                                               kWave3.data()};
    for (int32_t index : {2, 0, 3, 1}) {
        audio_.Clear();
        player_->PlayEffect(index, 0);
        ASSERT_EQ(audio_.Effects().size(), 1u) << "effect " << index;
        EXPECT_EQ(audio_.Effects()[0].data(), images[index]) << "effect " << index;
        EXPECT_EQ(audio_.Effects()[0].size(), kWaves[index].size()) << "effect " << index;
    }
    EXPECT_EQ(CallsOf([](SoundPlayer& p) { p.PlayEffect(1, 0); }), Calls{"effect 5 bytes"});

    // Indexes that name no effect do nothing, not even raise the floor.
    EXPECT_TRUE(CallsOf([](SoundPlayer& p) {
                    p.PlayEffect(-1, 9);
                    p.PlayEffect(4, 9);
                    p.PlayEffect(INT32_MIN, 9);
                }).empty());
    EXPECT_EQ(player_->PriorityFloor(), 0);
}

TEST_F(SoundEffects, SwitchedOffOrMissingPlaysNothing) {
    player_->ToggleEffects();
    EXPECT_TRUE(CallsOf([](SoundPlayer& p) {
                    for (int32_t i = 0; i < 4; ++i) {
                        p.PlayEffect(i, 0);
                    }
                }).empty());
    player_->ToggleEffects();
    EXPECT_EQ(CallsOf([](SoundPlayer& p) { p.PlayEffect(3, 0); }), Calls{"effect 11 bytes"});

    // An image that could not be found leaves the effect still sounding alone.
    SoundPlayer::WaveImages partial = kWaves;
    partial[1] = {};
    LoggedAudio other;
    SoundPlayer player(other, partial, dir_);
    other.Clear();
    player.PlayEffect(1, 0);
    player.PlayEffect(0, 0);
    EXPECT_EQ(other.Calls(), Calls{"effect 3 bytes"});
}

TEST_F(SoundEffects, PriorityBelowTheFloorIsRefused) {
    EXPECT_EQ(CallsOf([](SoundPlayer& p) {
                  p.PlayEffect(0, 0);
                  p.PlayEffect(1, 5);
                  p.PlayEffect(2, 4);  // refused
                  p.PlayEffect(3, 5);  // equal is fine
                  p.PlayEffect(0, 0);  // refused: the floor is never lowered
              }),
              (Calls{"effect 3 bytes", "effect 5 bytes", "effect 11 bytes"}));
    EXPECT_EQ(player_->PriorityFloor(), 5);

    // Effects switched off do not move the floor.
    player_->ToggleEffects();
    player_->PlayEffect(0, 8);
    EXPECT_EQ(player_->PriorityFloor(), 5);
}

}  // namespace
}  // namespace vantrell
