#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "hosts/headless/logged_audio.h"
#include "input/control_code.h"
#include "race/game_state.h"
#include "race/synthetic_stage.h"
#include "records/hiscore_table.h"
#include "records/records_test_support.h"
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
// height 3, so stamps are visible in both the picture and the height field. Each test writes
// the checkpoints it needs and loads the stage as the game does.
class RaceStepTest : public ::testing::Test {
  protected:
    RaceStepTest()
        : dir(FreshDir(::testing::UnitTest::GetInstance()->current_test_info()->name())),
          sound(audio, {kWave0, kWave1, kWave2, kWave3}, dir),
          records(dir) {
        records.FillEmpty();
        records.Rank();
    }

    // The craft starts at (30, 30) facing +x; with no input on level ground it stays there.
    void Load(const test::Boxes& boxes = test::AllBoxesAt(300, 300)) {
        test::WriteSyntheticStage(dir, 0, boxes, true);
        game.emplace(GameServices{&sound, &records, nullptr, dir});
        game->Create();
    }

    // What the input poll hands the step; `byte` says which keys player 1 holds.
    int32_t Tick(uint8_t byte = 0) { return game->RaceStep(TickInput{byte, 0}); }
    void RunCountdown() {
        for (int32_t i = 0; i < kCountdownStart; ++i) {
            Tick(kRunForward);
        }
    }
    const RaceProgress& Progress() const { return game->Progress(); }
    const CraftState& First() const { return game->Crafts().first; }
    std::vector<int32_t> EffectsPlayed() const {
        std::vector<int32_t> out;
        for (auto image : audio.Effects()) {
            out.push_back(image[0]);
        }
        return out;
    }
    bool FrameShows(uint8_t colour) const {
        const Bitmap8& frame = game->FrameBuffer();
        const uint8_t* pixels = frame.Pixels();
        return std::find(pixels, pixels + frame.PixelBytes(), colour) !=
               pixels + frame.PixelBytes();
    }

    fs::path dir;
    LoggedAudio audio;
    SoundPlayer sound;
    HiScoreTable records;
    std::optional<GameState> game;
};

TEST_F(RaceStepTest, CountdownHoldsTheCraftBeepsThreeTimesAndSaysGo) {
    Load();
    game->StartSolo();
    EXPECT_EQ(Progress().Banner(), BannerReady);
    std::vector<int32_t> beepTicks;
    for (int32_t t = 1; t <= kCountdownStart; ++t) {
        const size_t before = audio.Effects().size();
        Tick(kRunForward | kRunLeft);
        if (audio.Effects().size() > before) {
            beepTicks.push_back(t);
        }
        EXPECT_EQ(First().velX, 0) << "controls are held off at tick " << t;
        EXPECT_EQ(First().heading, 0);
    }
    EXPECT_EQ(beepTicks, (std::vector<int32_t>{1, 21, 42, 63}));
    EXPECT_EQ(EffectsPlayed(), (std::vector<int32_t>{2, 2, 2, 3}));
    EXPECT_EQ(Progress().Banner(), BannerGo);
    EXPECT_EQ(Progress().Countdown(), 0);
    EXPECT_EQ(Progress().RaceTicks(), 0);
    // The view turned with the countdown and came to rest on the craft's heading.
    EXPECT_EQ(First().viewHeading, 0);
}

TEST_F(RaceStepTest, RecordsPlayerOnesByteAtTheTickItWasGiven) {
    Load();
    game->StartSolo();
    RunCountdown();
    Tick(kRunForward);
    Tick(kRunForward | kRunLeft);
    Tick(kRunReverse | kRunRight);
    EXPECT_EQ(Progress().RaceTicks(), 3);
    EXPECT_EQ(Progress().RunInputs()[0], 0);
    EXPECT_EQ(Progress().RunInputs()[1], kRunForward);
    EXPECT_EQ(Progress().RunInputs()[2], kRunForward | kRunLeft);
    EXPECT_EQ(Progress().RunInputs()[3], kRunReverse | kRunRight);
    EXPECT_EQ(Progress().RunInputs()[4], 0);
    EXPECT_GT(First().velX, 0);
}

TEST_F(RaceStepTest, CheckpointsPassStrictlyInsideAndOnlyInOrder) {
    // The craft stands at (30, 30). A box whose edge runs through it is not passed: neither the
    // left edge (cx = 30), nor the right (cx + 16 = 30), nor the top or bottom.
    for (const Checkpoint edge :
         {Checkpoint{30, 22}, Checkpoint{14, 22}, Checkpoint{22, 30}, Checkpoint{22, 14}}) {
        test::Boxes boxes = test::AllBoxesAt(300, 300);
        boxes[0] = edge;
        Load(boxes);
        game->StartSolo();
        RunCountdown();
        Tick();
        Tick();
        EXPECT_EQ(Progress().NextCheckpoint(), 0) << edge.x << "," << edge.y;
    }
    // Strictly inside: passed on the first running tick; a later box under the craft is not
    // passed while another is next.
    test::Boxes boxes = test::AllBoxesAt(300, 300);
    boxes[0] = {29, 29};
    boxes[2] = {22, 22};
    Load(boxes);
    game->StartSolo();
    for (int32_t i = 0; i < kCountdownStart; ++i) {
        Tick();
    }
    audio.Clear();
    Tick();
    EXPECT_EQ(Progress().NextCheckpoint(), 1);
    EXPECT_EQ(Progress().MarkerBlink(), 0);
    EXPECT_EQ(Progress().Banner(), BannerNone);  // the first pass clears "READY"/"GO"
    EXPECT_EQ(EffectsPlayed(), (std::vector<int32_t>{0}));
    Tick();
    EXPECT_EQ(Progress().NextCheckpoint(), 1);
}

TEST_F(RaceStepTest, GoalEndsTheRaceOneTickLaterAndHandsItOver) {
    // Every box around the standing craft: one pass per running tick, the last on tick 20.
    Load(test::AllBoxesAt(22, 22));
    game->StartSolo();
    for (int32_t i = 0; i < kCountdownStart; ++i) {
        Tick();
    }
    audio.Clear();
    for (int32_t t = 1; t < kCheckpointCount; ++t) {
        Tick();
    }
    EXPECT_EQ(Progress().NextCheckpoint(), kCheckpointCount - 1);
    EXPECT_EQ(EffectsPlayed(), std::vector<int32_t>(kCheckpointCount - 1, 0));
    audio.Clear();
    Tick();
    EXPECT_EQ(Progress().NextCheckpoint(), kCheckpointCount);
    EXPECT_EQ(Progress().Banner(), BannerGoal);
    EXPECT_EQ(EffectsPlayed(), (std::vector<int32_t>{1}));
    EXPECT_NE(std::find(audio.Calls().begin(), audio.Calls().end(), "play goal from 0"),
              audio.Calls().end());
    const int32_t passTick = Progress().RaceTicks();
    Tick();
    EXPECT_EQ(Progress().RaceTicks(), passTick + 1);  // counts and records once more
    EXPECT_EQ(Progress().FinishCounter(), 1);
    int32_t firstResultTick = 0;
    for (int32_t t = 1; t <= 70; ++t) {
        if (Tick(kRunForward) == 1 && firstResultTick == 0) {
            firstResultTick = t;
        }
    }
    EXPECT_EQ(firstResultTick, 63);  // finish counter 2..63, then past 63
    EXPECT_EQ(Tick(), 1);            // and on every tick after
    EXPECT_EQ(Progress().RaceTicks(), passTick + 1);
}

TEST_F(RaceStepTest, TimeLimitEndsTheRunAt2400) {
    Load();
    game->StartSolo();
    RunCountdown();
    for (int32_t t = 1; t < kRaceTickLimit; ++t) {
        ASSERT_EQ(Tick(kRunLeft), 0);
    }
    EXPECT_EQ(Progress().RunInputs()[kRaceTickLimit - 1], kRunLeft);
    EXPECT_NE(Progress().Banner(), BannerTimeUp);
    Tick(kRunLeft);
    EXPECT_EQ(Progress().RaceTicks(), kRaceTickLimit);
    EXPECT_EQ(Progress().Banner(), BannerTimeUp);
    EXPECT_EQ(Progress().FinishCounter(), 1);
    EXPECT_EQ(audio.Calls().back(), "play goal from 0");
}

TEST_F(RaceStepTest, TheCourseIsExactlyAsBeforeAfterEveryTick) {
    test::Boxes boxes = test::AllBoxesAt(300, 300);
    boxes[0] = {100, 100};
    Load(boxes);
    const Bitmap8& stagePicture = game->CurrentStage().Picture();
    const Terrain& terrain = game->CurrentStage().Ground();
    const std::vector<uint8_t> picture(stagePicture.Pixels(),
                                       stagePicture.Pixels() + stagePicture.PixelBytes());
    const std::vector<int32_t> field(terrain.Field(), terrain.Field() + kFieldRows * kFieldWidth);
    game->StartSolo();
    bool sawMarker = false;
    for (int32_t t = 0; t < 120; ++t) {
        Tick(t % 3 == 0 ? kRunForward | kRunRight : kRunForward);
        sawMarker |= Progress().MarkerBlink() <= 1 || Progress().MarkerBlink() == 6;
        ASSERT_TRUE(std::equal(picture.begin(), picture.end(), stagePicture.Pixels()));
        ASSERT_TRUE(std::equal(field.begin(), field.end(), terrain.Field()));
    }
    EXPECT_TRUE(sawMarker);
    // The craft's own stamp was in the picture the view was drawn from: its colour shows.
    EXPECT_TRUE(FrameShows(static_cast<uint8_t>(100 + First().heading / 2)));
}

TEST_F(RaceStepTest, MarkerBlinksThreeOfEverySevenRunningTicks) {
    // The first checkpoint lies straight ahead of the craft, inside the view.
    test::Boxes boxes = test::AllBoxesAt(300, 300);
    boxes[0] = {60, 22};
    Load(boxes);
    game->StartSolo();
    RunCountdown();
    const uint8_t markerColour = 100 + kMarkerFrame;
    std::vector<int32_t> blink;
    std::string shown;
    for (int32_t t = 0; t < 14; ++t) {
        Tick();
        blink.push_back(Progress().MarkerBlink());
        shown += FrameShows(markerColour) ? '#' : '.';
    }
    EXPECT_EQ(blink, (std::vector<int32_t>{4, 3, 2, 1, 0, 6, 5, 4, 3, 2, 1, 0, 6, 5}));
    EXPECT_EQ(shown, "...###....###.");
}

TEST_F(RaceStepTest, RecordedOpponentReceivesEachByteOneTickLate) {
    Recording rec{};
    for (int32_t t = 0; t < kRaceTickLimit; ++t) {
        rec[t] = (t % 2 == 0) ? kRunForward : kRunRight;
    }
    records.Load(0, test::FilesOf({{}, {}, {}, {"Fast", 100, rec}}));
    Load();
    game->StartVersus(records.RecordingAt(kRankBest));  // the fastest: slot 3
    RunCountdown();
    const CraftState& second = game->Crafts().second;
    EXPECT_EQ(Progress().ReplayTicks(), 0);
    EXPECT_EQ(second.velX, 0);
    Tick();
    EXPECT_EQ(Progress().ReplayTicks(), 1);
    EXPECT_GT(second.velX, 0);  // byte 0: forward
    EXPECT_EQ(second.heading, 0);
    Tick();
    EXPECT_EQ(second.heading, 1);  // byte 1 on race tick 2: right
    EXPECT_EQ(Progress().RaceTicks(), 2);
}

TEST_F(RaceStepTest, DemonstrationWaitsThenReplaysTheTwoBestRuns) {
    Load();
    game->StartDemo();
    EXPECT_EQ(Progress().Banner(), BannerTitle);
    for (int32_t t = 1; t < kDemoWaitStart; ++t) {
        Tick();
        ASSERT_FALSE(game->Demo().Replaying());
    }
    EXPECT_EQ(First().active, 0);
    Tick();
    EXPECT_TRUE(game->Demo().Replaying());
    EXPECT_EQ(Progress().Banner(), BannerDemo);
    EXPECT_EQ(Progress().Countdown(), kCountdownStart);
    EXPECT_EQ(First().active, 1);
    EXPECT_EQ(game->Demo().FirstRecording(), records.RecordingAt(kRankSecondBest));
    EXPECT_EQ(game->Demo().SecondRecording(), records.RecordingAt(kRankBest));
    // Empty recordings run out of time, then the demonstration idles again.
    for (int32_t t = 0; t < kCountdownStart + kRaceTickLimit; ++t) {
        ASSERT_EQ(Tick(), 0);
    }
    EXPECT_EQ(Progress().Banner(), BannerTimeUp);
    for (int32_t t = 0; t < kFinishLast; ++t) {
        ASSERT_EQ(Tick(), 0);
    }
    EXPECT_FALSE(game->Demo().Replaying());
    EXPECT_EQ(game->Demo().Wait(), kDemoWaitStart);
    EXPECT_EQ(Progress().Banner(), BannerTitle);
    EXPECT_EQ(First().active, 0);
}

TEST_F(RaceStepTest, FreeDriveCountsNothingAndNeverEnds) {
    Load();
    game->StartFreeDrive();
    EXPECT_EQ(Progress().Banner(), BannerNone);
    for (int32_t t = 0; t < 3000; ++t) {
        ASSERT_EQ(Tick(kRunForward), 0);
    }
    EXPECT_EQ(Progress().Banner(), BannerGo);
    EXPECT_EQ(Progress().RaceTicks(), 0);
    EXPECT_EQ(Progress().RunInputs()[1], 0);
    EXPECT_EQ(Progress().NextCheckpoint(), 0);
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

    // A tick's byte keeps every test a reader makes, the button included, and a recording's
    // byte becomes a tick's byte only if the recorder could have made it.
    for (int b = 0; b < 32; ++b) {
        const ControlState c = ControlsFromByte(static_cast<uint8_t>(b));
        const bool made = (b & 3) != 3 && (b & 12) != 12;  // a poll never holds both of a pair
        if (made) {
            EXPECT_EQ(ControlByte(c), b);
        }
        EXPECT_EQ(c.button > 0, (b & kControlButton) != 0) << b;
        EXPECT_EQ(c.forward, -c.reverse);
        EXPECT_EQ(c.right, -c.left);
    }
    for (int b = 0; b < 256; ++b) {
        ControlState replayed;
        ReplayByte(static_cast<uint8_t>(b), replayed);
        EXPECT_EQ(EncodeControls(ControlsFromByte(RecordedControls(static_cast<uint8_t>(b)))),
                  EncodeControls(replayed))
            << b;
    }
}

}  // namespace
}  // namespace vantrell
