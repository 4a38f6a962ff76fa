// The checkpoint file (CHK<n>.COD) read by ReadCheckpoints, then raced: the first craft is put in
// each box in turn while the marker blinks on it, wherever the box lies, and one of the boxes,
// picked by the input, is drawn with the marker stamped on it. Every tick must leave
// the course as it found it and the counters in range.
#include <cstring>
#include <vector>

#include "fuzz_support.h"
#include "race_harness.h"

using namespace vantrell;

namespace {

struct Course {
    Course() {
        field.assign(StateAccess(harness.game).terrain.Field(),
                     StateAccess(harness.game).terrain.Field() + kFieldRows * kFieldWidth);
        const Bitmap8& picture = StateAccess(harness.game).stagePicture;
        pixels.assign(picture.Pixels(), picture.Pixels() + picture.PixelBytes());
    }
    // The course as the stage load left it, before the objects are stamped again.
    void Restore() {
        GameState& game = harness.game;
        StateAccess access(game);
        access.terrain.BuildHeightField();
        std::memcpy(access.stagePicture.Pixels(), pixels.data(), pixels.size());
    }

    fuzz::RaceHarness harness;
    std::vector<int32_t> field;
    std::vector<uint8_t> pixels;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Course course;
    GameState& game = course.harness.game;
    StateAccess access(game);
    course.Restore();
    const auto before = access.course.checkpoints;
    FUZZ_CHECK(ReadCheckpoints(ByteSpan(data, size), access.course) ==
               (size >= kCheckpointCount * 4u));
    StampCourseObjects(access.course, access.terrain, access.spriteSheet, access.heightProfiles,
                       access.stagePicture);
    FUZZ_CHECK(std::memcmp(access.terrain.Field(), course.field.data(),
                           course.field.size() * sizeof(int32_t)) == 0);
    if (size < kCheckpointCount * 4u) {
        FUZZ_CHECK(std::memcmp(&access.course.checkpoints, &before, sizeof before) == 0);
    }

    fuzz::InputReader reader(data + std::min<size_t>(size, kCheckpointCount * 4),
                             size - std::min<size_t>(size, kCheckpointCount * 4));
    course.harness.CourseReady();
    course.harness.StartMode(1 + reader.Byte() % 2, true);
    // One box gets a drawn frame, where the marker is stamped; passing the others needs none.
    const int32_t drawn = reader.Byte() % kCheckpointCount;
    for (int32_t i = 0; i < kCheckpointCount && access.finishCounter == 0; ++i) {
        const Checkpoint box = access.course.checkpoints[access.nextCheckpoint];
        // Inside the box where the box lies on the course; elsewhere as near as the course goes.
        course.harness.Place(access.crafts.first, (int64_t{box.x} + 8) * 512,
                             (int64_t{box.y} + 8) * 512, reader.Byte());
        access.markerBlink = 1 + reader.Byte() % 2;  // shown on this tick
        course.harness.Tick(reader.Byte(), i == drawn ? Drawing::Frames : Drawing::None);
    }
    return 0;
}
