// Sound reaches the output: SDL's disk audio driver writes what would be heard to a file, and
// an effect and the race music must put non-silent samples there. Also the music's pause and
// continue as the game uses them.
#include <gtest/gtest.h>

#include <QTest>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "desktop_test_support.h"
#include "hosts/desktop/desktop_app.h"
#include "hosts/desktop/sdl_audio.h"
#include "resources/resources.h"
#include "sound/sound_player.h"

namespace vantrell::desktop {
namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
            had_ = true;
        }
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (had_) {
            setenv(name_, old_.c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

// The loudest signed 16-bit sample in the file, from byte `from` on.
int Peak(const std::filesystem::path& file, std::size_t from = 0) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    int peak = 0;
    for (std::size_t i = from & ~std::size_t{1}; i + 1 < bytes.size(); i += 2) {
        const int16_t sample = static_cast<int16_t>(static_cast<uint8_t>(bytes[i]) |
                                                    (static_cast<uint8_t>(bytes[i + 1]) << 8));
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    return peak;
}

std::size_t Size(const std::filesystem::path& file) {
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    return error ? 0 : static_cast<std::size_t>(size);
}

TEST(SoundOutputTest, EffectAndRaceMusicReachTheDiskDriver) {
    test::ScratchDir scratch;
    const auto output = scratch.path() / "heard.raw";
    ScopedEnv driver("SDL_AUDIODRIVER", "disk");
    ScopedEnv file("SDL_DISKAUDIOFILE", output.string());
    {
        SdlAudio audio(VANTRELL_GAME_DIR);
        ASSERT_TRUE(audio.DeviceOpen());
        QTest::qWait(100);
        const std::size_t before = Size(output);
        EXPECT_EQ(Peak(output), 0);  // nothing played yet: silence

        // The sound player decodes every effect when it starts, so no tick ever waits for it.
        SoundPlayer player(audio, EmbeddedWaves(), scratch.path());
        for (const auto wave : EmbeddedWaves()) {
            EXPECT_TRUE(audio.EffectLoaded(wave));
        }
        audio.PlayEffect(EmbeddedWaves()[0]);
        EXPECT_TRUE(audio.EffectSounding());
        QTest::qWait(300);
        EXPECT_GT(Peak(output, before), 1000) << "the checkpoint effect is not heard";

        audio.StopEffect();
        QTest::qWait(100);
        const std::size_t musicStart = Size(output);
        // Asked for while it still loads: it starts by itself once loaded.
        audio.OpenMusic(MusicPiece::Race);
        audio.PlayMusic(MusicPiece::Race, true);
        for (int i = 0; i < 300 && !audio.MusicSounding(); ++i) {
            QTest::qWait(10);
        }
        if (!audio.MusicLoaded(MusicPiece::Race)) {
            GTEST_SKIP() << "no General MIDI soundfont for SDL_mixer";
        }
        EXPECT_TRUE(audio.MusicSounding());
        QTest::qWait(1500);
        EXPECT_GT(Peak(output, musicStart), 300) << "the race music is not heard";
    }
}

TEST(SoundOutputTest, StoppedRaceMusicContinuesAndANewPieceStartsOver) {
    SdlAudio audio(VANTRELL_GAME_DIR);  // the dummy driver: plays, but nothing is heard
    if (!audio.DeviceOpen()) {
        GTEST_SKIP() << "no audio device";
    }
    audio.OpenMusic(MusicPiece::Race);
    audio.OpenMusic(MusicPiece::Goal);
    if (!audio.MusicLoaded(MusicPiece::Race) || !audio.MusicLoaded(MusicPiece::Goal)) {
        GTEST_SKIP() << "no General MIDI soundfont for SDL_mixer";
    }
    audio.PlayMusic(MusicPiece::Race, true);
    EXPECT_TRUE(audio.MusicSounding());
    audio.StopMusic(MusicPiece::Goal);  // not the piece playing: no effect
    EXPECT_TRUE(audio.MusicSounding());
    audio.StopMusic(MusicPiece::Race);
    EXPECT_FALSE(audio.MusicSounding());
    EXPECT_EQ(audio.MusicInChannel(), MusicPiece::Race);
    audio.PlayMusic(MusicPiece::Race, false);  // continue
    EXPECT_TRUE(audio.MusicSounding());
    audio.StopMusic(MusicPiece::Race);
    audio.PlayMusic(MusicPiece::Goal, true);  // a stopped piece does not block the next
    EXPECT_TRUE(audio.MusicSounding());
    EXPECT_EQ(audio.MusicInChannel(), MusicPiece::Goal);
    audio.CloseMusic(MusicPiece::Goal);
    EXPECT_FALSE(audio.MusicSounding());
    EXPECT_EQ(audio.MusicInChannel(), std::nullopt);
}

TEST(SoundOutputTest, WithoutADeviceEverythingIsSilentAndHarmless) {
    ScopedEnv driver("SDL_AUDIODRIVER", "no-such-driver");
    SdlAudio audio(VANTRELL_GAME_DIR);
    EXPECT_FALSE(audio.DeviceOpen());
    audio.OpenMusic(MusicPiece::Race);
    audio.PlayMusic(MusicPiece::Race, true);
    audio.PlayEffect(EmbeddedWaves()[1]);
    audio.StopMusic(MusicPiece::Race);
    audio.StopEffect();
    audio.CloseMusic(MusicPiece::Race);
    EXPECT_FALSE(audio.MusicSounding());
    EXPECT_FALSE(audio.EffectSounding());
}

}  // namespace
}  // namespace vantrell::desktop
