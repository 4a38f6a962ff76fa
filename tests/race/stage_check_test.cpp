// CheckStage on a copy of the generated stage 0 bent one way at a time (the build checks the
// generated stages as they are): each fault is found and named by its file, and what lies just
// inside the limits is not.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>

#include "craft/craft.h"
#include "gfx/bmp_writer.h"
#include "race/headless_race_support.h"
#include "race/stage_check.h"
#include "race/view.h"

namespace vantrell::test {
namespace {

namespace fs = std::filesystem;

std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Overwrite(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string Text(const std::vector<StageProblem>& problems) {
    std::ostringstream text;
    for (const StageProblem& p : problems) {
        text << p.file << ": " << p.reason << "\n";
    }
    return text.str();
}

std::string At(int32_t x, int32_t y) {
    std::ostringstream text;
    text << "(" << x << ", " << y << ")";
    return text.str();
}

class StageCheckTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"MAP0_8.BMP", "MAP0.DAT", "TYPE_0.DAT", "CHR0_8.BMP", "CHR_H0.DAT",
                                 "OBJ0.COD", "CHK0.COD"}) {
            fs::copy_file(GameDir() / name, folder_ / name);
        }
    }
    std::string Problems() const { return Text(CheckStage(folder_.path(), 0)); }
    // Exactly one problem, whose line starts with `line`.
    void ExpectOne(const std::string& line) const {
        const std::string found = Problems();
        EXPECT_EQ(found.rfind(line, 0), 0u) << found;
        EXPECT_EQ(std::count(found.begin(), found.end(), '\n'), 1) << found;
    }
    void Restore(const char* name) {
        fs::copy_file(GameDir() / name, folder_ / name, fs::copy_options::overwrite_existing);
    }
    // Overwrites big-endian 16-bit values of a course table from byte `at` on.
    void Put(const char* name, size_t at, std::initializer_list<int32_t> values) {
        std::string bytes = Bytes(folder_ / name);
        for (const int32_t value : values) {
            bytes[at++] = static_cast<char>((value >> 8) & 0xFF);
            bytes[at++] = static_cast<char>(value & 0xFF);
        }
        Overwrite(folder_ / name, bytes);
    }
    void Picture(const char* name, int32_t width, int32_t height) {
        Bitmap8 picture;
        picture.Resize(width, height);
        ASSERT_TRUE(SaveBmp(picture, (folder_ / name).string()));
    }

    ScratchDir folder_;
};

TEST_F(StageCheckTest, MissingAndShortFiles) {
    for (const char* name : {"MAP0_8.BMP", "CHR0_8.BMP", "OBJ0.COD"}) {
        fs::remove(folder_ / name);
        ExpectOne(std::string(name) + ": no such file\n");
        fs::create_directory(folder_ / name);
        ExpectOne(std::string(name) + ": not a file\n");
        fs::remove(folder_ / name);
        Restore(name);
    }
    const std::pair<const char*, const char*> tables[] = {
        {"MAP0.DAT", "3361 bytes, but the 41 x 41 corner heights need 3362"},
        {"TYPE_0.DAT", "3199 bytes, but the 40 x 40 cell types need 3200"},
        {"OBJ0.COD", "287 bytes, but the 48 course objects need 288"},
        {"CHK0.COD", "79 bytes, but the 20 checkpoints need 80"},
        {"CHR_H0.DAT", "49151 bytes, but the 96 height profiles of 16 x 16 need 49152"}};
    for (const auto& [name, reason] : tables) {
        const std::string bytes = Bytes(folder_ / name);
        Overwrite(folder_ / name, bytes + "longer");
        EXPECT_EQ(Problems(), "") << name << " longer than needed";
        Overwrite(folder_ / name, bytes.substr(0, bytes.size() - 1));
        ExpectOne(std::string(name) + ": is " + reason + "\n");
        Overwrite(folder_ / name, bytes);
    }
}

TEST_F(StageCheckTest, PicturesThatCannotBeDrawnOrAreTooSmall) {
    Picture("MAP0_8.BMP", 400, kStagePictureMinHeight);
    EXPECT_EQ(Problems(), "");
    Picture("MAP0_8.BMP", 400, kStagePictureMinHeight - 1);
    ExpectOne("MAP0_8.BMP: is 400 x 784; the stage picture must be at least 785 tall");
    Picture("MAP0_8.BMP", 401, 820);
    ExpectOne("MAP0_8.BMP: is 401 x 820; the stage picture must be 400 wide");
    // The generated picture stored top-down (its height negated) is as good; at 24 bits not.
    std::string bent = Bytes(GameDir() / "MAP0_8.BMP");
    const uint32_t topDown = static_cast<uint32_t>(-820);
    std::memcpy(bent.data() + 22, &topDown, 4);  // little-endian, as this machine is
    Overwrite(folder_ / "MAP0_8.BMP", bent);
    EXPECT_EQ(Problems(), "");
    bent[28] = 24;
    Overwrite(folder_ / "MAP0_8.BMP", bent);
    ExpectOne("MAP0_8.BMP: has 24 bits per pixel; only 8-bit pictures can be drawn\n");
    Restore("MAP0_8.BMP");

    Picture("CHR0_8.BMP", 16, 96 * 16);
    EXPECT_EQ(Problems(), "");
    Picture("CHR0_8.BMP", 16, 96 * 16 - 1);
    ExpectOne("CHR0_8.BMP: is 16 x 1535; the sprite sheet must hold 96 frames of 16 x 16");
    Picture("CHR0_8.BMP", 15, 96 * 16);
    ExpectOne("CHR0_8.BMP: is 15 x 1536;");
}

// A craft stands at whole x 0..400 and y 6..387 and passes a box strictly inside it.
TEST_F(StageCheckTest, CheckpointsNoCraftCanEnter) {
    for (const auto& [x, y] : {std::pair{-15, 100}, {399, 100}, {100, -9}, {100, 386}}) {
        Put("CHK0.COD", 4 * 7, {x, y});
        EXPECT_EQ(Problems(), "") << At(x, y);
    }
    for (const auto& [x, y] :
         {std::pair{-16, 100}, {400, 100}, {100, -10}, {100, 387}, {-32768, 0}}) {
        Put("CHK0.COD", 4 * 7, {x, y});
        ExpectOne(std::string("CHK0.COD: checkpoint 8 of 20 at ") + At(x, y) +
                  " cannot be entered");
    }
}

TEST_F(StageCheckTest, CourseObjectsOffTheMap) {
    // Object 5 becomes a frame-70 object wherever the test puts it.
    for (const auto& [x, y] : {std::pair{0, -210}, {384, 594}}) {
        Put("OBJ0.COD", 6 * 4, {70, x, y});
        EXPECT_EQ(Problems(), "") << At(x, y);
    }
    for (const auto& [x, y] : {std::pair{-1, 100}, {385, 100}, {100, -211}, {100, 595}}) {
        Put("OBJ0.COD", 6 * 4, {70, x, y});
        ExpectOne(std::string("OBJ0.COD: course object 5 of 48 (frame 70) at ") + At(x, y) +
                  " is not wholly on the map");
    }
    // A shorter picture takes the objects' room with it.
    Picture("MAP0_8.BMP", 400, kStagePictureMinHeight);
    Put("OBJ0.COD", 6 * 4, {70, 100, kStagePictureMinHeight - 226});
    EXPECT_EQ(Problems(), "");
    Put("OBJ0.COD", 6 * 4, {70, 100, kStagePictureMinHeight - 225});
    ExpectOne("OBJ0.COD: course object 5 of 48 (frame 70) at (100, 560)");
    // A slot naming no frame is empty, wherever its numbers point.
    Put("OBJ0.COD", 6 * 4, {-1, 5000, 5000});
    EXPECT_EQ(Problems(), "");
}

// From every craft position a picture cut to kStagePictureMinHeight rows shows what the whole
// picture shows, and one row less does not: the height is exactly what the view reads.
TEST(StagePictureHeight, IsExactlyWhatTheViewReads) {
    ViewTables tables;
    tables.BuildGroundTable();
    tables.BuildLiftTable();
    const Terrain ground;
    Bitmap8 pictures[3];  // whole, cut to the height, one row shorter
    const int32_t heights[3] = {820, kStagePictureMinHeight, kStagePictureMinHeight - 1};
    for (int32_t k = 0; k < 3; ++k) {
        pictures[k].Resize(400, heights[k]);
        for (int32_t y = 0; y < heights[k]; ++y) {
            for (int32_t x = 0; x < 400; ++x) {
                *pictures[k].PixelAddress(x, y) = static_cast<uint8_t>(1 + (x * 7 + y * 3) % 250);
            }
        }
    }
    auto view = [&](const Bitmap8& picture, int32_t x, int32_t y, int32_t heading) {
        Bitmap8 frame;
        frame.Resize(kFrameWidth, kFrameHeight);
        RenderView(tables, picture, ground, frame, x, y, heading, 0);
        return std::string(frame.Pixels(), frame.Pixels() + frame.PixelBytes());
    };
    int32_t shortDiffers = 0;
    for (const int32_t x : {kCraftFirstX, 11, 200, kCraftLastX}) {
        for (const int32_t y : {kCraftFirstY, 200, kCraftLastY}) {
            for (int32_t heading = 0; heading < 64; ++heading) {
                const std::string whole = view(pictures[0], x, y, heading);
                EXPECT_EQ(view(pictures[1], x, y, heading), whole) << At(x, y) << heading;
                shortDiffers += view(pictures[2], x, y, heading) != whole;
            }
        }
    }
    EXPECT_GT(shortDiffers, 0);
}

}  // namespace
}  // namespace vantrell::test
