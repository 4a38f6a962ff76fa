// The places in a race tick that once allocated, each checked on its own with the counting
// operator new of this program, so a regression names its cause without a soak.
#include <gtest/gtest.h>

#include <filesystem>

#include "allocation_counter.h"
#include "app/game.h"
#include "gfx/status_text.h"
#include "hosts/headless/scripted_dialogs.h"
#include "quiet_platform.h"
#include "race/game_state.h"
#include "records/hiscore_table.h"
#include "sound/sound_player.h"

namespace vantrell {
namespace {

TEST(NoAllocation, PaintingTheStatusStripForAnyBanner) {
    check::QuietDisplay display;
    for (int32_t banner = -1; banner <= 8; ++banner) {
        const int64_t before = check::AllocationCount();
        display.PaintStatus(BannerString(banner), BannerText(banner).widthUnits);
        EXPECT_EQ(check::AllocationCount() - before, 0) << "banner " << banner;
    }
    EXPECT_EQ(display.statusPaints, 10);
}

TEST(NoAllocation, TicksThatChangeTheBannerPlaySoundsAndEndARace) {
    check::QuietAudio audio;
    check::QuietDisplay display;
    const std::filesystem::path dir = VANTRELL_GAME_DIR;
    HiScoreTable records(dir);
    SoundPlayer sound(audio, check::QuietWaves(), dir);
    GameState game(GameServices{&sound, &records, &display, dir});
    game.Create();
    records.Load(0);

    auto ticks = [&](int32_t count) {
        int32_t result = 0;
        for (int32_t i = 0; i < count; ++i) {
            const int64_t before = check::AllocationCount();
            result = game.RaceStep(TickInput{});
            EXPECT_EQ(check::AllocationCount() - before, 0)
                << "mode " << game.Progress().Mode() << ", banner " << game.Progress().Banner();
        }
        return result;
    };
    // The title, then the demonstration's replay with its countdown beeps and checkpoints.
    ticks(kDemoWaitStart + kCountdownStart + 200);
    // A solo race run out of time: "READY", "GO", the end music, the finish and its result.
    game.StartSolo();
    EXPECT_EQ(ticks(kCountdownStart + kRaceTickLimit + kFinishLast + 1), 1);
    game.StartFreeDrive();
    ticks(kCountdownStart + 10);
    EXPECT_GT(display.statusPaints, 5);
    EXPECT_GT(audio.effects, 3);
    EXPECT_GT(audio.musicCalls, 0);
}

}  // namespace
}  // namespace vantrell
