// render and replay through the built tool: the band's pixels and colours, the picture sizes
// and a well-formed animated PNG.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "cli/tool_runner.h"
#include "gfx/bitmap8.h"
#include "race/headless_race.h"
#include "race/view.h"

namespace vantrell::test {
namespace {

uint32_t Be32(const std::string& bytes, size_t at) {
    return (uint32_t{static_cast<uint8_t>(bytes[at])} << 24) |
           (uint32_t{static_cast<uint8_t>(bytes[at + 1])} << 16) |
           (uint32_t{static_cast<uint8_t>(bytes[at + 2])} << 8) |
           uint32_t{static_cast<uint8_t>(bytes[at + 3])};
}

uint32_t Crc32(const std::string& bytes, size_t at, size_t length) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = at; i < at + length; ++i) {
        crc ^= static_cast<uint8_t>(bytes[i]);
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

struct Chunk {
    std::string type;
    size_t data = 0;  // offset of the data in the file
    uint32_t length = 0;
};

// The chunks of a PNG file, each checked against its CRC; empty if the file is not a PNG.
std::vector<Chunk> PngChunks(const std::string& png) {
    std::vector<Chunk> chunks;
    if (png.size() < 8 || png.substr(0, 8) != std::string("\x89PNG\r\n\x1a\n", 8)) {
        return chunks;
    }
    size_t at = 8;
    while (at + 12 <= png.size()) {
        Chunk chunk;
        chunk.length = Be32(png, at);
        chunk.type = png.substr(at + 4, 4);
        chunk.data = at + 8;
        if (chunk.data + chunk.length + 4 > png.size()) {
            ADD_FAILURE() << "chunk " << chunk.type << " runs past the end";
            break;
        }
        EXPECT_EQ(Be32(png, chunk.data + chunk.length), Crc32(png, at + 4, chunk.length + 4))
            << chunk.type;
        chunks.push_back(chunk);
        at = chunk.data + chunk.length + 4;
    }
    return chunks;
}

TEST(ToolPicture, RenderBmpIsTheBandOfADirectRenderView) {
    ScratchDir scratch;
    const std::string file = (scratch / "view.bmp").string();
    const int32_t stage = 2, x = 150, y = 120, heading = 45;
    const ToolResult render = RunTool(
        {"render", "--stage", "3", "--x", "150", "--y", "120", "--heading", "45", "--out", file});
    ASSERT_EQ(render.status, 0) << render.err;

    HeadlessRace race(GameDir(), stage);
    GameState& game = race.game();
    game.RenderViewAt(x, y, heading);

    Bitmap8 band;
    ASSERT_EQ(band.LoadBmp(file), 1);
    ASSERT_EQ(band.Width(), 96);
    ASSERT_EQ(band.Height(), 120);
    int32_t mismatches = 0;
    int32_t nonBlack = 0;
    for (int32_t row = 0; row < 120; ++row) {
        for (int32_t col = 0; col < 96; ++col) {
            mismatches += band.GetPixel(col, row) != game.FrameBuffer().GetPixel(col, 108 + row);
            nonBlack += band.GetPixel(col, row) != 0;
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(nonBlack, 96 * 60);  // a real view, not a cleared band
    for (int32_t i = 0; i < 256; ++i) {
        EXPECT_EQ(band.Colours()[i].red, game.FrameBuffer().Colours()[i].red) << i;
        EXPECT_EQ(band.Colours()[i].green, game.FrameBuffer().Colours()[i].green) << i;
        EXPECT_EQ(band.Colours()[i].blue, game.FrameBuffer().Colours()[i].blue) << i;
    }

    // Another heading draws another picture.
    const std::string turned = (scratch / "turned.bmp").string();
    ASSERT_EQ(RunTool({"render", "--stage", "3", "--x", "150", "--y", "120", "--heading", "13",
                       "--out", turned})
                  .status,
              0);
    EXPECT_NE(ReadBytes(turned), ReadBytes(file));

    // As a PNG it is stretched to the window's view: 248 x 270, 8-bit RGB.
    const std::string png = (scratch / "view.png").string();
    ASSERT_EQ(RunTool({"render", "--stage", "3", "--x", "150", "--y", "120", "--heading", "45",
                       "--out", png})
                  .status,
              0);
    const std::string bytes = ReadBytes(png);
    const std::vector<Chunk> chunks = PngChunks(bytes);
    ASSERT_FALSE(chunks.empty());
    EXPECT_EQ(chunks.front().type, "IHDR");
    EXPECT_EQ(Be32(bytes, chunks.front().data), 248u);
    EXPECT_EQ(Be32(bytes, chunks.front().data + 4), 270u);
    EXPECT_EQ(bytes[chunks.front().data + 9], 2);  // true colour
}

TEST(ToolPicture, ReplayWritesNumberedFramesOrOneAnimatedPng) {
    ScratchDir scratch;
    // The stage's best stored run by default.
    const ToolResult frames = RunTool(
        {"replay", "--stage", "2", "--every", "300", "--out", (scratch / "frames").string()});
    ASSERT_EQ(frames.status, 0) << frames.err;
    int32_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(scratch / "frames")) {
        EXPECT_EQ(entry.path().extension(), ".png");
        ++count;
    }
    EXPECT_GE(count, 3);
    EXPECT_NE(frames.out.find(std::to_string(count) + " frames"), std::string::npos) << frames.out;
    EXPECT_TRUE(std::filesystem::exists(scratch / "frames" / "frame_0001.png"));
    EXPECT_TRUE(std::filesystem::exists(scratch / "frames" / "frame_0301.png"));
    EXPECT_FALSE(std::filesystem::exists(scratch / "frames" / "frame_0002.png"));

    const std::string file = (scratch / "run.png").string();
    const ToolResult animated = RunTool({"replay", "--stage", "2", "--every", "50", "--out", file});
    ASSERT_EQ(animated.status, 0) << animated.err;
    const std::string bytes = ReadBytes(file);
    const std::vector<Chunk> chunks = PngChunks(bytes);
    ASSERT_GE(chunks.size(), 4u);
    EXPECT_EQ(chunks[0].type, "IHDR");
    EXPECT_EQ(chunks[1].type, "acTL");
    EXPECT_EQ(chunks.back().type, "IEND");
    const uint32_t declared = Be32(bytes, chunks[1].data);
    uint32_t controls = 0;
    uint32_t sequence = 0;
    bool stillSeen = false;
    for (const Chunk& chunk : chunks) {
        if (chunk.type == "fcTL" || chunk.type == "fdAT") {
            EXPECT_EQ(Be32(bytes, chunk.data), sequence++);  // one running sequence
        }
        if (chunk.type == "fcTL") {
            ++controls;
            EXPECT_EQ(Be32(bytes, chunk.data + 4), 248u);
            EXPECT_EQ(Be32(bytes, chunk.data + 8), 270u);
        }
        if (chunk.type == "IDAT") {
            EXPECT_EQ(controls, 1u);  // the first frame is also the still picture
            stillSeen = true;
        }
    }
    EXPECT_TRUE(stillSeen);
    EXPECT_EQ(controls, declared);
    EXPECT_NE(animated.out.find(std::to_string(declared) + " frames"), std::string::npos);

    // A recording given on the command line replaces the stored best.
    const std::string idle = (scratch / "idle.JOY").string();
    WriteBytes(idle, std::string(2400, '\0'));
    const ToolResult timeup = RunTool(
        {"replay", "--stage", "2", idle, "--every", "1000", "--out", (scratch / "idle").string()});
    EXPECT_EQ(timeup.status, 0) << timeup.err;
    EXPECT_NE(timeup.out.find("timeup"), std::string::npos);
}

TEST(ToolPicture, ViewModesGiveTheirBandsFromTheSameCameraAndTheSameRun) {
    ScratchDir scratch;
    auto render = [&](const std::string& view, const std::string& name) {
        const std::string file = (scratch / name).string();
        const ToolResult result = RunTool({"render", "--stage", "4", "--x", "210", "--y", "160",
                                           "--heading", "21", "--view", view, "--out", file});
        EXPECT_EQ(result.status, 0) << view << ": " << result.err;
        return file;
    };
    struct Expected {
        const char* view;
        int32_t width, height, shownWidth;
    };
    for (const Expected& e : {Expected{"original", 96, 120, 248}, Expected{"sharp2", 192, 240, 248},
                              Expected{"sharp4", 384, 480, 248}, Expected{"wide", 744, 480, 480}}) {
        Bitmap8 band;
        ASSERT_EQ(band.LoadBmp(render(e.view, std::string(e.view) + ".bmp")), 1) << e.view;
        EXPECT_EQ(band.Width(), e.width) << e.view;
        EXPECT_EQ(band.Height(), e.height) << e.view;
        const std::string png = ReadBytes(render(e.view, std::string(e.view) + ".png"));
        const std::vector<Chunk> chunks = PngChunks(png);
        ASSERT_FALSE(chunks.empty()) << e.view;
        EXPECT_EQ(Be32(png, chunks.front().data), static_cast<uint32_t>(e.shownWidth)) << e.view;
        EXPECT_EQ(Be32(png, chunks.front().data + 4), 270u) << e.view;
    }
    // No --view is the original, to the byte.
    const std::string plain = (scratch / "plain.bmp").string();
    ASSERT_EQ(RunTool({"render", "--stage", "4", "--x", "210", "--y", "160", "--heading", "21",
                       "--out", plain})
                  .status,
              0);
    EXPECT_EQ(ReadBytes(plain), ReadBytes((scratch / "original.bmp").string()));

    // Wide is Sharp x4 with more to each side: the same camera, so its middle 384 columns are
    // Sharp x4's picture (a column depends on nothing but its own course points).
    Bitmap8 sharp;
    Bitmap8 wide;
    ASSERT_EQ(sharp.LoadBmp((scratch / "sharp4.bmp").string()), 1);
    ASSERT_EQ(wide.LoadBmp((scratch / "wide.bmp").string()), 1);
    int32_t differing = 0;
    int32_t drawn = 0;
    for (int32_t row = 0; row < 480; ++row) {
        for (int32_t col = 0; col < 384; ++col) {
            differing += sharp.GetPixel(col, row) != wide.GetPixel(col + 180, row);
            drawn += sharp.GetPixel(col, row) != 0;
        }
    }
    EXPECT_GT(drawn, 384 * 240);
    EXPECT_LT(differing, 384 * 480 / 100);

    const ToolResult unknown = RunTool({"render", "--stage", "4", "--x", "210", "--y", "160",
                                        "--heading", "21", "--view", "fisheye", "--out", plain});
    EXPECT_NE(unknown.status, 0);
    EXPECT_NE(unknown.err.find("original, sharp2, sharp4 or wide"), std::string::npos)
        << unknown.err;

    // A replay in Wide: frames the wide window's size, the same run to the same end.
    const ToolResult original =
        RunTool({"replay", "--stage", "5", "--every", "5000", "--out", (scratch / "o").string()});
    const std::string file = (scratch / "wide_run.png").string();
    const ToolResult replay =
        RunTool({"replay", "--stage", "5", "--every", "400", "--view", "wide", "--out", file});
    ASSERT_EQ(replay.status, 0) << replay.err;
    const std::string outcome = original.out.substr(original.out.find(';'));
    EXPECT_EQ(replay.out.substr(replay.out.find(';')), outcome);
    const std::string bytes = ReadBytes(file);
    const std::vector<Chunk> chunks = PngChunks(bytes);
    ASSERT_GE(chunks.size(), 2u);
    EXPECT_EQ(Be32(bytes, chunks[0].data), 480u);
    EXPECT_EQ(Be32(bytes, chunks[0].data + 4), 270u);
}

}  // namespace
}  // namespace vantrell::test
