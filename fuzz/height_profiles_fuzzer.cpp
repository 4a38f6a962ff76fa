// The sprite height profiles ("CHR_H0.DAT") read by LoadHeightProfiles, then used as the stage
// uses them: the course objects stamped onto fresh terrain and four race ticks in which both
// craft and the marker stand up with their profiles. A short file keeps the profiles.
#include <cstring>
#include <vector>

#include "fuzz_support.h"
#include "race_harness.h"

using namespace vantrell;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::RaceHarness harness;
    constexpr size_t kCells = static_cast<size_t>(kSpriteFrames) * kProfileCells;
    GameState& game = harness.game;
    StateAccess access(game);
    const std::vector<int32_t> before(access.heightProfiles.heights.get(),
                                      access.heightProfiles.heights.get() + kCells);

    const int result = LoadHeightProfiles(ByteSpan(data, size), access.heightProfiles);
    const int32_t* heights = access.heightProfiles.heights.get();
    if (size < kCells * 2) {
        FUZZ_CHECK(result == -1);
        FUZZ_CHECK(std::memcmp(heights, before.data(), kCells * sizeof(int32_t)) == 0);
    } else {
        FUZZ_CHECK(result == 1);
        for (size_t i = 0; i < kCells; ++i) {
            FUZZ_CHECK(heights[i] == (data[2 * i] << 8 | data[2 * i + 1]) >> 1);
        }
    }

    access.terrain.BuildHeightField();
    StampCourseObjects(access.course, access.terrain, access.spriteSheet, access.heightProfiles,
                       access.stagePicture);
    harness.CourseReady();
    fuzz::InputReader reader(data + std::min(size, kCells * 2), size - std::min(size, kCells * 2));
    harness.StartMode(reader.Byte(), true);
    harness.PlaceAnywhere(access.crafts.first, reader.U16(), reader.U16(), reader.Byte());
    harness.PlaceAnywhere(access.crafts.second, reader.U16(), reader.U16(), reader.Byte());
    for (int tick = 0; tick < 4; ++tick) {
        access.markerBlink = 1;
        harness.Tick(reader.Byte());
    }
    return 0;
}
