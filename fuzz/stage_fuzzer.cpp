// A whole stage load with one of its files replaced by the input, then race ticks in any mode
// from craft put anywhere on the course. Input: a 16-byte header, then the file's bytes.
//   0 stage, 1 file (see kFiles), 2 mode, 3 flags (1 skip the countdown), 4..9 first craft
//   (x, y as 16-bit, heading), 10..15 second craft, then the file. The ticks take their
//   controls from the file's first bytes, so the run follows the input as well.
#include <array>
#include <string>

#include "fuzz_support.h"
#include "race_harness.h"

using namespace vantrell;

namespace {

constexpr std::array<const char*, 7> kFiles = {"MAP%_8.BMP", "MAP%.DAT", "TYPE_%.DAT", "CHR%_8.BMP",
                                               "CHR_H0.DAT", "OBJ%.COD", "CHK%.COD"};
constexpr int kHeaderBytes = 16;
constexpr int kTicks = 40;

std::string FileName(int file, int stage) {
    std::string name = kFiles[file];
    const auto mark = name.find('%');
    if (mark != std::string::npos) {
        name.replace(mark, 1, std::to_string(stage));
    }
    return name;
}

// A copy of the generated game folder that the input's file is written into and taken out of.
std::filesystem::path GameCopy() {
    const std::filesystem::path dir = fuzz::ScratchDir() / "game";
    std::filesystem::copy(fuzz::GameDir(), dir,
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
    return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::filesystem::path dir = GameCopy();
    static fuzz::RaceHarness harness(dir);
    GameState& game = harness.game;
    StateAccess access(game);

    fuzz::InputReader reader(data, size);
    const int stage = reader.Byte() % 5;
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

    const std::string name = FileName(file, stage);
    const std::vector<uint8_t> original = fuzz::ReadFile(fuzz::GameDir() / name);
    fuzz::WriteFile(dir / name, fileBytes, fileSize);
    access.stageIndex = stage == 0 ? 1 : 0;  // so the stage is loaded afresh
    game.SelectStage(stage);
    harness.records.Load(stage);
    fuzz::WriteFile(dir / name, original.data(), original.size());
    harness.CourseReady();

    harness.StartMode(mode, (flags & 1) != 0);
    harness.PlaceAnywhere(access.crafts.first, x1, y1, heading1);
    harness.PlaceAnywhere(access.crafts.second, x2, y2, heading2);
    for (int tick = 0; tick < kTicks; ++tick) {
        const uint8_t controls = tick < static_cast<int>(fileSize) ? fileBytes[tick] : 0;
        if (harness.Tick(controls) == 1) {
            game.StartDemo();
        }
    }
    return 0;
}
