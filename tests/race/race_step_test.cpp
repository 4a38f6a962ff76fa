#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "hosts/headless/logged_audio.h"
#include "race/game_state.h"
#include "race/run_code.h"
#include "records/hiscore_table.h"
#include "sound/sound_player.h"

namespace vantrell {
namespace {

namespace fs = std::filesystem;

const std::array<uint8_t, 4> kWave0{0}, kWave1{1}, kWave2{2}, kWave3{3};

fs::path FreshDir(const char* name) {
    fs::path dir = fs::temp_directory_path() / ("vantrell_race_" + std::string(name));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

// A level course with a flat stage picture, sprites with a solid 4 x 4 middle and profiles of
// height 3, so stamps are visible in both the picture and the height field.
class RaceStepTest : public ::testing::Test {
  protected:
    RaceStepTest()
        : dir(FreshDir(::testing::UnitTest::GetInstance()->current_test_info()->name())),
          sound(audio, {kWave0, kWave1, kWave2, kWave3}, dir),
          records(dir),
          game(GameServices{&sound, &records, nullptr, nullptr, dir.string() + "/"}) {
        game.stagePicture.Resize(400, 820);
        std::fill_n(game.stagePicture.Pixels(), game.stagePicture.PixelBytes(), 20);
        game.spriteSheet.Resize(16, 16 * kSpriteFrames);
        std::fill_n(game.spriteSheet.Pixels(), game.spriteSheet.PixelBytes(), 255);
        for (int32_t f = 0; f < kSpriteFrames; ++f) {
            for (int32_t r = 6; r < 10; ++r) {
                for (int32_t c = 6; c < 10; ++c) {
                    *game.spriteSheet.PixelAddress(c, 16 * f + r) = static_cast<uint8_t>(100 + f);
                }
            }
        }
        std::fill_n(game.heightProfiles.heights.get(), kSpriteFrames * kProfileCells, 3);
        game.terrain.BuildHeightField();
        game.controls1 = &c1;
        game.controls2 = &c2;
        game.crafts.Init(&c1, &c2, &game.terrain);
        for (int32_t i = 0; i < kCheckpointCount; ++i) {
            game.course.checkpoints[i] = {static_cast<int16_t>(300), static_cast<int16_t>(300)};
        }
        records.FillEmpty();
        records.Rank();
    }

    // What the input poll does before every tick; `byte` says which keys player 1 holds.
    int32_t Tick(uint8_t byte = 0) {
        ReplayByte(byte, c1);
        c2 = ControlState{};
        return game.RaceStep();
    }
    void RunCountdown() {
        for (int32_t i = 0; i < kCountdownStart; ++i) {
            Tick(kRunForward);
        }
    }
    std::vector<int32_t> EffectsPlayed() const {
        std::vector<int32_t> out;
        for (auto image : audio.Effects()) {
            out.push_back(image[0]);
        }
        return out;
    }

    fs::path dir;
    LoggedAudio audio;
    SoundPlayer sound;
    HiScoreTable records;
    GameState game;
    ControlState c1;
    ControlState c2;
};

TEST_F(RaceStepTest, CountdownHoldsTheCraftBeepsThreeTimesAndSaysGo) {
    game.StartSolo();
    EXPECT_EQ(game.banner, BannerReady);
    std::vector<int32_t> beepTicks;
    for (int32_t t = 1; t <= kCountdownStart; ++t) {
        const size_t before = audio.Effects().size();
        Tick(kRunForward | kRunLeft);
        if (audio.Effects().size() > before) {
            beepTicks.push_back(t);
        }
        EXPECT_EQ(game.crafts.first.velX, 0) << "controls are held off at tick " << t;
        EXPECT_EQ(game.crafts.first.heading, 0);
    }
    EXPECT_EQ(beepTicks, (std::vector<int32_t>{1, 21, 42, 63}));
    EXPECT_EQ(EffectsPlayed(), (std::vector<int32_t>{2, 2, 2, 3}));
    EXPECT_EQ(game.banner, BannerGo);
    EXPECT_EQ(game.countdown, 0);
    EXPECT_EQ(game.raceTicks, 0);
    // The view turned with the countdown and came to rest on the craft's heading.
    EXPECT_EQ(game.crafts.first.viewHeading, 0);
}

TEST_F(RaceStepTest, RecordsPlayerOnesByteAtTheTickItWasGiven) {
    game.StartSolo();
    RunCountdown();
    Tick(kRunForward);
    Tick(kRunForward | kRunLeft);
    Tick(kRunReverse | kRunRight);
    EXPECT_EQ(game.raceTicks, 3);
    EXPECT_EQ(game.runInputs[0], 0);
    EXPECT_EQ(game.runInputs[1], kRunForward);
    EXPECT_EQ(game.runInputs[2], kRunForward | kRunLeft);
    EXPECT_EQ(game.runInputs[3], kRunReverse | kRunRight);
    EXPECT_EQ(game.runInputs[4], 0);
    EXPECT_GT(game.crafts.first.velX, 0);
}

TEST_F(RaceStepTest, CheckpointsPassStrictlyInsideAndOnlyInOrder) {
    game.StartSolo();
    RunCountdown();
    game.course.checkpoints[0] = {40, 22};
    game.course.checkpoints[1] = {100, 100};
    game.course.checkpoints[2] = {30, 22};  // under the craft, but not next
    CraftState& craft = game.crafts.first;
    auto placeAt = [&](int32_t x, int32_t y) {
        craft.posX = x * 512;
        craft.posY = y * 512;
        craft.velX = craft.velY = 0;
    };
    placeAt(40, 30);  // on the left edge: not inside
    Tick();
    EXPECT_EQ(game.nextCheckpoint, 0);
    placeAt(56, 30);  // on the right edge (cx + 16): not inside
    Tick();
    EXPECT_EQ(game.nextCheckpoint, 0);
    audio.Clear();
    placeAt(41, 37);
    Tick();
    EXPECT_EQ(game.nextCheckpoint, 1);
    EXPECT_EQ(game.markerBlink, 0);
    EXPECT_EQ(game.banner, BannerNone);  // the first pass clears "READY"/"GO"
    EXPECT_EQ(EffectsPlayed(), (std::vector<int32_t>{0}));
    placeAt(35, 30);  // inside checkpoint 2, while 1 is next
    Tick();
    EXPECT_EQ(game.nextCheckpoint, 1);
}

TEST_F(RaceStepTest, GoalEndsTheRaceOneTickLaterAndHandsItOver) {
    game.StartSolo();
    RunCountdown();
    game.nextCheckpoint = kCheckpointCount - 1;
    game.course.checkpoints[kCheckpointCount - 1] = {22, 22};
    audio.Clear();
    Tick();  // the craft is still near (30, 30): the last checkpoint is passed
    EXPECT_EQ(game.nextCheckpoint, kCheckpointCount);
    EXPECT_EQ(game.banner, BannerGoal);
    EXPECT_EQ(EffectsPlayed(), (std::vector<int32_t>{1}));
    EXPECT_NE(std::find(audio.Calls().begin(), audio.Calls().end(), "play stend from 0"),
              audio.Calls().end());
    const int32_t passTick = game.raceTicks;
    Tick();
    EXPECT_EQ(game.raceTicks, passTick + 1);  // counts and records once more
    EXPECT_EQ(game.finishCounter, 1);
    int32_t firstResultTick = 0;
    for (int32_t t = 1; t <= 70; ++t) {
        if (Tick(kRunForward) == 1 && firstResultTick == 0) {
            firstResultTick = t;
        }
    }
    EXPECT_EQ(firstResultTick, 63);  // finish counter 2..63, then past 63
    EXPECT_EQ(Tick(), 1);            // and on every tick after
    EXPECT_EQ(game.raceTicks, passTick + 1);
}

TEST_F(RaceStepTest, TimeLimitEndsTheRunAt2400) {
    game.StartSolo();
    RunCountdown();
    for (int32_t t = 1; t < kRaceTickLimit; ++t) {
        ASSERT_EQ(Tick(kRunLeft), 0);
    }
    EXPECT_EQ(game.runInputs[kRaceTickLimit - 1], kRunLeft);
    EXPECT_NE(game.banner, BannerTimeUp);
    Tick(kRunLeft);
    EXPECT_EQ(game.raceTicks, kRaceTickLimit);
    EXPECT_EQ(game.banner, BannerTimeUp);
    EXPECT_EQ(game.finishCounter, 1);
    EXPECT_EQ(audio.Calls().back(), "play stend from 0");
}

TEST_F(RaceStepTest, TheCourseIsExactlyAsBeforeAfterEveryTick) {
    const std::vector<uint8_t> picture(game.stagePicture.Pixels(),
                                       game.stagePicture.Pixels() + game.stagePicture.PixelBytes());
    const std::vector<int32_t> field(game.terrain.Field(),
                                     game.terrain.Field() + kFieldRows * kFieldWidth);
    game.StartSolo();
    game.course.checkpoints[0] = {100, 100};
    bool sawMarker = false;
    for (int32_t t = 0; t < 120; ++t) {
        Tick(t % 3 == 0 ? kRunForward | kRunRight : kRunForward);
        sawMarker |= game.markerBlink <= 1 || game.markerBlink == 6;
        ASSERT_TRUE(std::equal(picture.begin(), picture.end(), game.stagePicture.Pixels()));
        ASSERT_TRUE(std::equal(field.begin(), field.end(), game.terrain.Field()));
    }
    EXPECT_TRUE(sawMarker);
    // The craft's own stamp was in the picture the view was drawn from: its colour shows.
    const uint8_t* band = game.frameBuffer.Pixels();
    EXPECT_NE(
        std::find(band, band + game.frameBuffer.PixelBytes(), 100 + game.crafts.first.heading / 2),
        band + game.frameBuffer.PixelBytes());
}

TEST_F(RaceStepTest, MarkerBlinksThreeOfEverySevenRunningTicks) {
    game.StartSolo();
    RunCountdown();
    // The first checkpoint lies straight ahead of the craft, inside the view.
    game.course.checkpoints[0] = {60, 22};
    const uint8_t markerColour = 100 + kMarkerFrame;
    std::vector<int32_t> blink;
    std::string shown;
    for (int32_t t = 0; t < 14; ++t) {
        Tick();
        blink.push_back(game.markerBlink);
        const uint8_t* band = game.frameBuffer.Pixels();
        const bool visible = std::find(band, band + game.frameBuffer.PixelBytes(), markerColour) !=
                             band + game.frameBuffer.PixelBytes();
        shown += visible ? '#' : '.';
    }
    EXPECT_EQ(blink, (std::vector<int32_t>{4, 3, 2, 1, 0, 6, 5, 4, 3, 2, 1, 0, 6, 5}));
    EXPECT_EQ(shown, "...###....###.");
}

TEST_F(RaceStepTest, RecordedOpponentReceivesEachByteOneTickLate) {
    Recording& rec = records.entries[3].recording;
    for (int32_t t = 0; t < kRaceTickLimit; ++t) {
        rec[t] = (t % 2 == 0) ? kRunForward : kRunRight;
    }
    records.entries[3].time = 100;
    records.Rank();
    records.opponentPosition = 9;  // the fastest: slot 3
    game.StartVersus();
    RunCountdown();
    EXPECT_EQ(game.replayTicks, 0);
    Tick();
    EXPECT_EQ(game.replayTicks, 1);
    EXPECT_EQ(EncodeControls(c2), kRunForward);  // byte 0
    Tick();
    EXPECT_EQ(EncodeControls(c2), kRunRight);  // byte 1 on race tick 2
    EXPECT_EQ(game.raceTicks, 2);
}

TEST_F(RaceStepTest, DemonstrationWaitsThenReplaysTheTwoBestRuns) {
    game.StartDemo();
    EXPECT_EQ(game.banner, BannerTitle);
    for (int32_t t = 1; t < kDemoWaitStart; ++t) {
        Tick();
        ASSERT_EQ(game.demoReplaying, 0);
    }
    EXPECT_EQ(game.crafts.first.active, 0);
    Tick();
    EXPECT_EQ(game.demoReplaying, 1);
    EXPECT_EQ(game.banner, BannerDemo);
    EXPECT_EQ(game.countdown, kCountdownStart);
    EXPECT_EQ(game.crafts.first.active, 1);
    EXPECT_EQ(game.firstReplay, records.RecordingAt(8));
    EXPECT_EQ(game.secondReplay, records.RecordingAt(9));
    // Empty recordings run out of time, then the demonstration idles again.
    for (int32_t t = 0; t < kCountdownStart + kRaceTickLimit; ++t) {
        ASSERT_EQ(Tick(), 0);
    }
    EXPECT_EQ(game.banner, BannerTimeUp);
    for (int32_t t = 0; t < kFinishLast; ++t) {
        ASSERT_EQ(Tick(), 0);
    }
    EXPECT_EQ(game.demoReplaying, 0);
    EXPECT_EQ(game.demoWait, kDemoWaitStart);
    EXPECT_EQ(game.banner, BannerTitle);
    EXPECT_EQ(game.crafts.first.active, 0);
}

TEST_F(RaceStepTest, FreeDriveCountsNothingAndNeverEnds) {
    game.StartFreeDrive();
    EXPECT_EQ(game.banner, BannerNone);
    for (int32_t t = 0; t < 3000; ++t) {
        ASSERT_EQ(Tick(kRunForward), 0);
    }
    EXPECT_EQ(game.banner, BannerGo);
    EXPECT_EQ(game.raceTicks, 0);
    EXPECT_EQ(game.runInputs[1], 0);
    EXPECT_EQ(game.nextCheckpoint, 0);
}

TEST(RunCodeTest, BytesRoundTripAndUnknownBytesReplayAsNothing) {
    for (uint8_t b : {0, 1, 2, 4, 5, 6, 8, 9, 10}) {
        ControlState c;
        ReplayByte(b, c);
        EXPECT_EQ(EncodeControls(c), b);
        EXPECT_EQ(c.forward, -c.reverse);
        EXPECT_EQ(c.right, -c.left);
    }
    for (int b : {3, 7, 11, 12, 15, 16, 255}) {
        ControlState c;
        c.forward = 5;
        ReplayByte(static_cast<uint8_t>(b), c);
        EXPECT_EQ(EncodeControls(c), 0) << b;
        EXPECT_EQ(c.live, 1);
    }
    ControlState held;
    held.forward = 1;
    held.live = 0;
    EXPECT_EQ(EncodeControls(held), 0);
    held.live = 1;
    held.button = 3;
    EXPECT_EQ(EncodeControls(held), kRunForward);
}

}  // namespace
}  // namespace vantrell
