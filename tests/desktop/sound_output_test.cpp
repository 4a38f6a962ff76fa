// Sound reaches the output: SDL's disk audio driver writes what would be heard to a file, and
// an effect and the race music must put non-silent samples there. Also the music's pause and
// continue as the game uses them, and a player's own piece rendered once and kept.
#include <gtest/gtest.h>

#include <QTest>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "desktop_test_support.h"
#include "hosts/desktop/desktop_app.h"
#include "hosts/desktop/midi_render.h"
#include "hosts/desktop/music_files.h"
#include "hosts/desktop/sdl_audio.h"
#include "io/sha256.h"
#include "resources/resources.h"
#include "sound/sound_player.h"
#include "support/scoped_env.h"

namespace vantrell::desktop {
namespace {

using vantrell::test::ScopedEnv;

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

// A piece of our own, not the game's: one note of half a second.
std::vector<uint8_t> OneNotePiece() {
    std::vector<uint8_t> midi = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96};
    const std::vector<uint8_t> events = {
        0x00, 0xC0, 19,          // an organ
        0x00, 0x90, 60,   100,   // middle C on
        0x60, 0x80, 60,   0,     // off a quarter (half a second) later
        0x00, 0xFF, 0x2F, 0x00,  // end of track
    };
    const std::vector<uint8_t> header = {'M', 'T', 'r', 'k',
                                         0,   0,   0,   static_cast<uint8_t>(events.size())};
    midi.insert(midi.end(), header.begin(), header.end());
    midi.insert(midi.end(), events.begin(), events.end());
    return midi;
}

void WriteBytes(const std::filesystem::path& file, const std::vector<uint8_t>& bytes) {
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
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

        // The sound player has every effect decoded as it starts, so no tick waits for one.
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
        audio.OpenMusic(MusicPiece::Race);
        audio.PlayMusic(MusicPiece::Race, true);
        for (int i = 0; i < 300 && !audio.MusicSounding(); ++i) {
            QTest::qWait(10);
        }
        ASSERT_TRUE(audio.MusicLoaded(MusicPiece::Race));
        EXPECT_TRUE(audio.MusicSounding());
        QTest::qWait(1500);
        EXPECT_GT(Peak(output, musicStart), 300) << "the race music is not heard";
    }
}

TEST(SoundOutputTest, StoppedRaceMusicContinuesWhereItStoppedAndANewPieceStartsOver) {
    test::ScratchDir scratch;
    const auto output = scratch.path() / "heard.raw";
    ScopedEnv driver("SDL_AUDIODRIVER", "disk");
    ScopedEnv file("SDL_DISKAUDIOFILE", output.string());
    ScopedEnv noFont("SDL_SOUNDFONTS", "/nonexistent/none.sf2");  // the game's own music
    ScopedEnv force("SDL_FORCE_SOUNDFONTS", "1");                 // needs none
    SdlAudio audio(VANTRELL_GAME_DIR, scratch.path() / "cache");
    ASSERT_TRUE(audio.DeviceOpen());
    audio.OpenMusic(MusicPiece::Race);
    audio.OpenMusic(MusicPiece::Goal);
    ASSERT_TRUE(audio.MusicLoaded(MusicPiece::Race));
    ASSERT_TRUE(audio.MusicLoaded(MusicPiece::Goal));
    audio.PlayMusic(MusicPiece::Race, true);
    EXPECT_TRUE(audio.MusicSounding());
    QTest::qWait(600);
    audio.StopMusic(MusicPiece::Goal);  // not the piece playing: no effect
    EXPECT_TRUE(audio.MusicSounding());
    audio.StopMusic(MusicPiece::Race);
    const double stoppedAt = audio.MusicPosition();
    EXPECT_GT(stoppedAt, 0.3);
    EXPECT_FALSE(audio.MusicSounding());
    EXPECT_EQ(audio.MusicInChannel(), MusicPiece::Race);
    QTest::qWait(400);
    EXPECT_NEAR(audio.MusicPosition(), stoppedAt, 0.05) << "the stopped music went on";
    const std::size_t resumed = Size(output);
    audio.PlayMusic(MusicPiece::Race, false);  // continue: on from where it stopped
    EXPECT_TRUE(audio.MusicSounding());
    QTest::qWait(400);
    EXPECT_GT(audio.MusicPosition(), stoppedAt + 0.1) << "the music started over or stood";
    EXPECT_GT(Peak(output, resumed), 300) << "the continued music is not heard";
    audio.StopMusic(MusicPiece::Race);
    audio.PlayMusic(MusicPiece::Goal, true);  // a stopped piece does not block the next
    EXPECT_TRUE(audio.MusicSounding());
    EXPECT_EQ(audio.MusicInChannel(), MusicPiece::Goal);
    audio.CloseMusic(MusicPiece::Goal);
    EXPECT_FALSE(audio.MusicSounding());
    EXPECT_EQ(audio.MusicInChannel(), std::nullopt);
}

TEST(SoundOutputTest, APlayersOwnPieceIsRenderedOnceAndKeptByItsDigest) {
    if (ChooseSoundFont().empty()) {
        GTEST_SKIP() << "no General MIDI soundfont";
    }
    test::ScratchDir scratch;
    ASSERT_TRUE(scratch.CopyGameContent("game"));
    const auto game = scratch.path() / "game";
    const auto cache = scratch.path() / "cache";
    const std::vector<uint8_t> piece = OneNotePiece();
    WriteBytes(game / "bgm1.mid", piece);
    const auto kept = cache / (HexDigest(Sha256Of(piece)) + ".opus");
    {
        SdlAudio audio(game, cache);
        ASSERT_TRUE(audio.DeviceOpen());
        audio.OpenMusic(MusicPiece::Race);
        audio.PlayMusic(MusicPiece::Race, true);  // asked for while it renders
        ASSERT_TRUE(audio.MusicLoaded(MusicPiece::Race));
        QTest::qWait(50);  // the rendering's news reaches the window's thread
        EXPECT_EQ(audio.MusicInChannel(), MusicPiece::Race);
        EXPECT_TRUE(audio.MusicSounding());
    }
    ASSERT_TRUE(std::filesystem::is_regular_file(kept));
    const std::string bytes = vantrell::test::ReadBytes(kept);
    EXPECT_EQ(bytes.substr(0, 4), "OggS");
    EXPECT_NE(bytes.find("OpusHead"), std::string::npos);
    // The next start plays what was kept: no soundfont is needed for it any more.
    ScopedEnv noFont("SDL_SOUNDFONTS", "/nonexistent/none.sf2");
    ScopedEnv force("SDL_FORCE_SOUNDFONTS", "1");
    SdlAudio again(game, cache);
    again.OpenMusic(MusicPiece::Race);
    EXPECT_TRUE(again.MusicLoaded(MusicPiece::Race));
}

TEST(SoundOutputTest, APlayersOwnPieceWithoutASoundfontStaysSilentAndSaysWhy) {
    test::ScratchDir scratch;
    ASSERT_TRUE(scratch.CopyGameContent("game"));
    const auto game = scratch.path() / "game";
    WriteBytes(game / "bgm1.mid", OneNotePiece());
    ScopedEnv noFont("SDL_SOUNDFONTS", "/nonexistent/none.sf2");
    ScopedEnv force("SDL_FORCE_SOUNDFONTS", "1");
    testing::internal::CaptureStderr();
    SdlAudio audio(game, scratch.path() / "cache");
    audio.OpenMusic(MusicPiece::Race);
    audio.OpenMusic(MusicPiece::Goal);
    const std::string said = testing::internal::GetCapturedStderr();
    ASSERT_TRUE(audio.DeviceOpen());
    EXPECT_FALSE(audio.MusicLoaded(MusicPiece::Race));
    EXPECT_TRUE(audio.MusicLoaded(MusicPiece::Goal)) << "the game's own piece needs no soundfont";
    EXPECT_NE(said.find("bgm1.mid"), std::string::npos) << said;
    EXPECT_NE(said.find("soundfont"), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_FALSE(std::filesystem::exists(scratch.path() / "cache"));
}

TEST(SoundOutputTest, TheCacheOfRenderedPiecesDropsTheLeastRecentlyPlayedPastItsLimit) {
    test::ScratchDir scratch;
    const auto cache = scratch.path() / "cache";
    std::filesystem::create_directories(cache);
    const std::vector<uint8_t> hundred(100, 7);
    const auto now = std::filesystem::file_time_type::clock::now();
    for (int age : {3, 1, 2}) {  // hours since each was played
        const auto file = cache / ("old" + std::to_string(age) + ".opus");
        WriteBytes(file, hundred);
        std::filesystem::last_write_time(file, now - std::chrono::hours(age));
    }
    WriteBytes(cache / "notes.txt", hundred);  // not a rendering: left alone
    std::string error;
    ASSERT_TRUE(StoreRenderedMusic(cache / "new.opus", hundred, 250, error)) << error;
    EXPECT_TRUE(std::filesystem::exists(cache / "new.opus"));
    EXPECT_TRUE(std::filesystem::exists(cache / "old1.opus"));
    EXPECT_FALSE(std::filesystem::exists(cache / "old2.opus"));
    EXPECT_FALSE(std::filesystem::exists(cache / "old3.opus"));
    EXPECT_TRUE(std::filesystem::exists(cache / "notes.txt"));
    // A piece larger than the whole limit is still kept: it is about to play.
    ASSERT_TRUE(StoreRenderedMusic(cache / "big.opus", std::vector<uint8_t>(300, 1), 250, error));
    EXPECT_TRUE(std::filesystem::exists(cache / "big.opus"));
    EXPECT_FALSE(std::filesystem::exists(cache / "new.opus"));
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
