// A whole stage load with one of its files replaced by the input, then race ticks in any mode
// from craft put anywhere on the course. Input: a 16-byte header, then the file's bytes.
//   0 stage, 1 file (see kFiles), 2 mode, 3 flags (1 skip the countdown), 4..9 first craft
//   (x, y as 16-bit, heading), 10..15 second craft, then the file. The ticks take their
//   controls from the file's first bytes, so the run follows the input as well.
#include <array>
#include <vector>

#include "fuzz_support.h"
#include "race_harness.h"
#include "world/stage_count.h"

using namespace vantrell;

namespace {

// The stage's files in the order the input's file byte picks them.
constexpr std::array<std::vector<uint8_t> StageBytes::*, 7> kFiles = {
    &StageBytes::picture,    &StageBytes::cornerHeights, &StageBytes::cellTypes,
    &StageBytes::sprites,    &StageBytes::profiles,      &StageBytes::objects,
    &StageBytes::checkpoints};
constexpr int kHeaderBytes = 16;
constexpr int kTicks = 3;

// The generated stages' files and records, read once.
struct Stages {
    Stages() {
        for (int32_t n = 0; n < kStageCount; ++n) {
            files[n] = ReadStageBytes(n, fuzz::GameDir());
            records[n] = ReadRecordBytes(n, fuzz::GameDir());
        }
    }
    std::array<StageBytes, kStageCount> files;
    std::array<RecordBytes, kStageCount> records;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Stages stages;
    static fuzz::RaceHarness harness;
    GameState& game = harness.game;
    StateAccess access(game);

    fuzz::InputReader reader(data, size);
    const int stage = reader.Byte() % kStageCount;
    const int file = reader.Byte() % kFiles.size();
    const uint8_t mode = reader.Byte();
    const uint8_t flags = reader.Byte();
    const uint16_t x1 = reader.U16(), y1 = reader.U16();
    const uint8_t heading1 = reader.Byte();
    reader.Byte();
    const uint16_t x2 = reader.U16(), y2 = reader.U16();
    const uint8_t heading2 = reader.Byte();
    reader.Byte();
    const size_t fileSize = size > kHeaderBytes ? size - kHeaderBytes : 0;
    const uint8_t* fileBytes = data + (size > kHeaderBytes ? kHeaderBytes : size);

    // The input stands in for the file while the stage loads, as SelectStage loads it.
    std::vector<uint8_t> input(fileBytes, fileBytes + fileSize);
    std::vector<uint8_t>& slot = stages.files[stage].*kFiles[file];
    slot.swap(input);
    access.stage.Load(stage, stages.files[stage]);
    slot.swap(input);
    access.frame.AdoptColours(access.stage.Picture());
    game.StartDemo();
    harness.records.Load(stage, stages.records[stage]);
    harness.CourseReady();

    harness.StartMode(mode, (flags & 1) != 0);
    harness.PlaceAnywhere(access.crafts.first, x1, y1, heading1);
    harness.PlaceAnywhere(access.crafts.second, x2, y2, heading2);
    for (int tick = 0; tick < kTicks; ++tick) {
        const uint8_t controls = tick < static_cast<int>(fileSize) ? fileBytes[tick] : 0;
        // The last tick is drawn: the view of whatever the files made of the course.
        const Drawing drawing = tick == kTicks - 1 ? Drawing::Frames : Drawing::None;
        if (harness.Tick(controls, drawing) == 1) {
            game.StartDemo();
        }
    }
    return 0;
}
