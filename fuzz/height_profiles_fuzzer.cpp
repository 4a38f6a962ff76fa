// The sprite height profiles ("CHR_H0.DAT") read by LoadHeightProfiles, then used as the stage
// uses them: the course objects stamped onto fresh terrain and a few race ticks in which both
// craft and the marker stand up with their profiles. A short file keeps the profiles.
#include <cstring>
#include <vector>

#include "fuzz_support.h"
#include "race_harness.h"

using namespace vantrell;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::RaceHarness harness;
    static const std::filesystem::path path = fuzz::ScratchDir() / "CHR_H0.DAT";
    constexpr size_t kCells = static_cast<size_t>(kSpriteFrames) * kProfileCells;
    GameState& game = harness.game;
    fuzz::WriteFile(path, data, size);
    const std::vector<int32_t> before(game.heightProfiles.heights.get(),
                                      game.heightProfiles.heights.get() + kCells);

    const int result = LoadHeightProfiles(path, game.heightProfiles);
    const int32_t* heights = game.heightProfiles.heights.get();
    if (size < kCells * 2) {
        FUZZ_CHECK(result == -1);
        FUZZ_CHECK(std::memcmp(heights, before.data(), kCells * sizeof(int32_t)) == 0);
    } else {
        FUZZ_CHECK(result == 1);
        for (size_t i = 0; i < kCells; ++i) {
            FUZZ_CHECK(heights[i] == (data[2 * i] << 8 | data[2 * i + 1]) >> 1);
        }
    }

    game.terrain.BuildHeightField();
    StampCourseObjects(game.course, game.terrain, game.spriteSheet, game.heightProfiles,
                       game.stagePicture);
    harness.CourseReady();
    fuzz::InputReader reader(data + std::min(size, kCells * 2), size - std::min(size, kCells * 2));
    harness.StartMode(reader.Byte(), true);
    harness.PlaceAnywhere(game.crafts.first, reader.U16(), reader.U16(), reader.Byte());
    harness.PlaceAnywhere(game.crafts.second, reader.U16(), reader.U16(), reader.Byte());
    for (int tick = 0; tick < 16; ++tick) {
        game.markerBlink = 1;
        harness.Tick(reader.Byte());
    }
    return 0;
}
