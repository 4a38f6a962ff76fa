// The sprite height profiles ("CHR_H0.DAT") read by LoadHeightProfiles, then used as the stage
// uses them: the course objects stamped onto fresh terrain and two race ticks in which both
// craft and the marker stand up with their profiles. A short file keeps the profiles.
#include <cstring>
#include <vector>

#include "fuzz_support.h"
#include "race_harness.h"

using namespace vantrell;

namespace {

constexpr size_t kCells = static_cast<size_t>(kSpriteFrames) * kProfileCells;

// Every profile height is its big-endian value halved.
FUZZ_UNTRACED bool ReadExactly(const int32_t* heights, const uint8_t* data) {
    bool same = true;
    for (size_t i = 0; i < kCells; ++i) {
        same &= heights[i] == (data[2 * i] << 8 | data[2 * i + 1]) >> 1;
    }
    return same;
}

// The stage as loaded, before any object stood up with the input's profiles.
struct Ground {
    explicit Ground(fuzz::RaceHarness& harness) {
        StateAccess access(harness.game);
        access.terrain.BuildHeightField();
        field.assign(access.terrain.Field(), access.terrain.Field() + kFieldRows * kFieldWidth);
    }
    std::vector<int32_t> field;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::RaceHarness harness;
    static const Ground ground(harness);
    GameState& game = harness.game;
    StateAccess access(game);
    static std::vector<int32_t> before(kCells);
    std::memcpy(before.data(), access.heightProfiles.heights.get(), kCells * sizeof(int32_t));

    const int result = LoadHeightProfiles(ByteSpan(data, size), access.heightProfiles);
    const int32_t* heights = access.heightProfiles.heights.get();
    if (size < kCells * 2) {
        FUZZ_CHECK(result == -1);
        FUZZ_CHECK(std::memcmp(heights, before.data(), kCells * sizeof(int32_t)) == 0);
    } else {
        FUZZ_CHECK(result == 1);
        FUZZ_CHECK(ReadExactly(heights, data));
    }

    std::memcpy(access.terrain.Field(), ground.field.data(), ground.field.size() * sizeof(int32_t));
    StampCourseObjects(access.course, access.terrain, access.spriteSheet, access.heightProfiles,
                       access.stagePicture);
    harness.CourseReady();
    fuzz::InputReader reader(data + std::min(size, kCells * 2), size - std::min(size, kCells * 2));
    harness.StartMode(reader.Byte(), true);
    harness.PlaceAnywhere(access.crafts.first, reader.U16(), reader.U16(), reader.Byte());
    harness.PlaceAnywhere(access.crafts.second, reader.U16(), reader.U16(), reader.Byte());
    for (int tick = 0; tick < 2; ++tick) {
        access.markerBlink = 1;
        harness.Tick(reader.Byte());
    }
    return 0;
}
