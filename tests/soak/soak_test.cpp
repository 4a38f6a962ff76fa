// The soak: race ticks with random controls over all five stages and all four modes, with
// random stage changes, mode starts, craft put anywhere and recordings of random bytes. After
// every tick the craft, the counters and the course must be sound, and the tick must not have
// allocated. VANTRELL_SOAK_TICKS sets the length (a million by default), VANTRELL_SOAK_SEED the
// random sequence; a failure names both and the tick, so it can be run again to that point.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "allocation_counter.h"
#include "app/game.h"
#include "hosts/headless/scripted_dialogs.h"
#include "quiet_platform.h"
#include "race/game_state.h"
#include "race_invariants.h"
#include "records/hiscore_table.h"
#include "sound/sound_player.h"

namespace vantrell {
namespace {

int64_t FromEnvironment(const char* name, int64_t fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtoll(text, nullptr, 10) : fallback;
}

// A copy of the generated game folder, so the soak can never change the build's own files.
class GameCopy {
  public:
    GameCopy() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vantrell-soak-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
            std::filesystem::copy(VANTRELL_GAME_DIR, path_,
                                  std::filesystem::copy_options::recursive);
        }
    }
    ~GameCopy() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// What the run went through, so a soak that never left stage 0 cannot pass for a full one.
struct Coverage {
    std::array<int64_t, 5> stageTicks{};
    std::array<int64_t, 5> modeTicks{};  // by race mode; 3 stays 0
    int64_t stageChanges = 0;
    int64_t checkpointsPassed = 0;
    int64_t goals = 0;
    int64_t timeUps = 0;
    int64_t racesHandedOn = 0;
};

TEST(Soak, RandomTicksOverEveryStageAndModeKeepTheGameSound) {
    const int64_t ticks = FromEnvironment("VANTRELL_SOAK_TICKS", 1000000);
    const auto seed = static_cast<uint32_t>(FromEnvironment("VANTRELL_SOAK_SEED", 20261207));
    GameCopy dir;
    ASSERT_TRUE(std::filesystem::exists(dir.path() / "MAP4_8.BMP")) << "no generated game";

    check::QuietAudio audio;
    check::QuietDisplay display;
    HiScoreTable records(dir.path());
    SoundPlayer sound(audio, check::QuietWaves(), dir.path());
    GameState game(GameServices{&sound, &records, &display, dir.path()});
    game.Create();
    records.Load(0);

    check::CourseSnapshot course;
    course.Capture(game);
    std::mt19937 random(seed);
    auto chance = [&random](uint32_t oneIn) { return random() % oneIn == 0; };
    auto pick = [&random](int32_t count) { return static_cast<int32_t>(random() % count); };
    // Each player holds a set of controls for a while, as players do, then changes it; any byte
    // may come up, so even forward and reverse together and bits no poll sets.
    auto changeControls = [&](uint8_t& controls) { controls = static_cast<uint8_t>(random()); };
    TickInput held;
    Coverage seen;

    for (int64_t tick = 0; tick < ticks; ++tick) {
        if (chance(4000)) {
            // Sometimes the current one: back to the demonstration.
            const int32_t stage = pick(5);
            const bool changed = stage != game.CurrentStage().Index();
            game.SelectStage(stage);
            if (changed) {
                records.Load(stage);
            }
            course.Capture(game);
            ++seen.stageChanges;
        }
        if (chance(3000)) {
            std::array<bool, kHiScoreSlots> item{};
            item[static_cast<size_t>(pick(kHiScoreSlots))] = true;
            records.ChooseOpponent(item);
            switch (pick(4)) {
                case 0:
                    game.StartDemo();
                    break;
                case 1:
                    game.StartSolo();
                    break;
                case 2:
                    game.StartVersus(records.RecordingAt(records.SelectedOpponent()));
                    break;
                default:
                    game.StartFreeDrive();
                    break;
            }
        }
        if (chance(20000)) {
            // A stored run of bytes the recorder never writes: they replay as no control.
            RecordBytes files = records.SavedBytes();
            for (uint8_t& byte : *files.recordings[static_cast<size_t>(pick(kHiScoreSlots))]) {
                byte = static_cast<uint8_t>(random());
            }
            records.Load(game.CurrentStage().Index(), files);
        }
        if (chance(8)) {
            changeControls(held.player1);
        }
        if (chance(8)) {
            changeControls(held.player2);
        }

        const RaceProgress& progress = game.Progress();
        const int32_t checkpointBefore = progress.NextCheckpoint();
        const int32_t bannerBefore = progress.Banner();
        const int64_t allocationsBefore = check::AllocationCount();
        const int32_t result = game.RaceStep(held);
        const int64_t allocated = check::AllocationCount() - allocationsBefore;

        const std::string where = "tick " + std::to_string(tick) + " of seed " +
                                  std::to_string(seed) + ", stage " +
                                  std::to_string(game.CurrentStage().Index()) + ", mode " +
                                  std::to_string(progress.Mode());
        ASSERT_EQ(allocated, 0) << "the race step allocated at " << where;
        const std::string fault = check::AfterTick(game);
        ASSERT_EQ(fault, "") << where;
        const std::string changed = course.Difference(game);
        ASSERT_EQ(changed, "") << where;

        seen.stageTicks[game.CurrentStage().Index()] += 1;
        seen.modeTicks[progress.Mode()] += 1;
        seen.checkpointsPassed += progress.NextCheckpoint() > checkpointBefore;
        seen.goals += progress.Banner() == BannerGoal && bannerBefore != BannerGoal;
        seen.timeUps += progress.Banner() == BannerTimeUp && bannerBefore != BannerTimeUp;
        if (result == 1) {
            // The window hands the run to the name entry and goes back to the demonstration.
            ++seen.racesHandedOn;
            game.StartDemo();
        }
    }

    std::printf("soak: %lld ticks, seed %u, %lld stage changes\n", static_cast<long long>(ticks),
                seed, static_cast<long long>(seen.stageChanges));
    std::printf(
        "soak: ticks per stage %lld %lld %lld %lld %lld; per mode demo %lld solo %lld "
        "versus %lld free %lld\n",
        static_cast<long long>(seen.stageTicks[0]), static_cast<long long>(seen.stageTicks[1]),
        static_cast<long long>(seen.stageTicks[2]), static_cast<long long>(seen.stageTicks[3]),
        static_cast<long long>(seen.stageTicks[4]),
        static_cast<long long>(seen.modeTicks[ModeDemo]),
        static_cast<long long>(seen.modeTicks[ModeSolo]),
        static_cast<long long>(seen.modeTicks[ModeVersus]),
        static_cast<long long>(seen.modeTicks[ModeFreeDrive]));
    std::printf("soak: %lld checkpoints passed, %lld goals, %lld time-ups, %lld races ended\n",
                static_cast<long long>(seen.checkpointsPassed), static_cast<long long>(seen.goals),
                static_cast<long long>(seen.timeUps), static_cast<long long>(seen.racesHandedOn));
    // A run long enough to mean anything has been everywhere.
    if (ticks >= 100000) {
        for (int32_t n = 0; n < 5; ++n) {
            EXPECT_GT(seen.stageTicks[n], 0) << "stage " << n;
        }
        for (int32_t mode : {ModeDemo, ModeSolo, ModeVersus, ModeFreeDrive}) {
            EXPECT_GT(seen.modeTicks[mode], 0) << "mode " << mode;
        }
        EXPECT_GT(seen.goals, 0);
        EXPECT_GT(seen.timeUps, 0);
        EXPECT_GT(seen.racesHandedOn, 0);
    }
}

}  // namespace
}  // namespace vantrell
