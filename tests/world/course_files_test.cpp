#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "gfx/bitmap8.h"
#include "support/scratch_dir.h"
#include "world/course_files.h"
#include "world/terrain.h"

namespace vantrell {
namespace {

namespace fs = std::filesystem;

void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void PutI16(std::vector<uint8_t>& out, int32_t v) {
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
    out.push_back(static_cast<uint8_t>(v & 0xFF));
}

// A course sloping up towards +x (1 unit per 10 columns) with a sprite sheet whose frames 80
// and 81 are solid 4 x 4 squares at rows/columns 6..9, frame 5 solid 16 x 16 and frame 7 empty.
class CourseFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int32_t i = 0; i < kCornerCount; ++i) {
            for (int32_t j = 0; j < kCornerCount; ++j) {
                terrain.cornerHeights[i][j] = 10 + j;
            }
        }
        terrain.BuildHeightField();
        sheet.Resize(16, 16 * kSpriteFrames);
        std::fill_n(sheet.Pixels(), sheet.PixelBytes(), 255);
        for (int32_t f : {80, 81}) {
            for (int32_t r = 6; r < 10; ++r) {
                for (int32_t c = 6; c < 10; ++c) {
                    *sheet.PixelAddress(c, 16 * f + r) = 50;
                }
            }
        }
        for (int32_t r = 0; r < 16; ++r) {
            for (int32_t c = 0; c < 16; ++c) {
                *sheet.PixelAddress(c, 16 * 5 + r) = 60;
            }
        }
        std::fill_n(profiles.heights.get(), kSpriteFrames * kProfileCells, 3);
        picture.Resize(400, 820);
        std::fill_n(picture.Pixels(), picture.PixelBytes(), 20);
    }
    int32_t Field(int32_t x, int32_t y) const { return terrain.Field()[FieldIndex(x, y)]; }
    void Load() {
        LoadCourseFiles((dir / "OBJ.COD").string(), (dir / "CHK.COD").string(), course, terrain,
                        sheet, profiles, picture);
    }
    // Writes an object file whose first records are `objects` and the rest copies of the last.
    void WriteObjects(const std::vector<CourseObject>& objects) {
        std::vector<uint8_t> bytes;
        for (int32_t i = 0; i < kCourseObjectCount; ++i) {
            const CourseObject& o = objects[std::min<size_t>(i, objects.size() - 1)];
            PutI16(bytes, o.sprite);
            PutI16(bytes, o.x);
            PutI16(bytes, o.y);
        }
        WriteBytes(dir / "OBJ.COD", bytes);
    }

    test::ScratchDir scratch;
    fs::path dir = scratch.path();
    Terrain terrain;
    Bitmap8 sheet;
    Bitmap8 picture;
    HeightProfiles profiles;
    CourseTables course;
};

TEST_F(CourseFilesTest, AddedObjectsFollowTheSlopeAndLevelOnesStandFlat) {
    const int32_t before = Field(106, 56);
    WriteObjects({{81, 100, 50}, {80, 200, 50}, {7, 300, 50}});
    Load();
    // Frame 81 is added onto the ground: +3 under its opaque cells, slope kept.
    EXPECT_EQ(Field(106, 56), before + 3);
    EXPECT_EQ(Field(109, 56) - Field(106, 56),
              terrain.HeightAt(109, 80) - terrain.HeightAt(106, 80));
    EXPECT_EQ(Field(105, 56), before - terrain.HeightAt(106, 80) + terrain.HeightAt(105, 80));
    // Frame 80 stands on a level base: the centre ground (208, 58) plus 3 everywhere it is opaque.
    const int32_t centre = 10 + 20 + 8 / 10;  // ground height at x = 208
    EXPECT_EQ(Field(206, 56), centre + 3);
    EXPECT_EQ(Field(209, 59), centre + 3);
    // An all-transparent frame changes no height and draws nothing.
    EXPECT_EQ(Field(306, 56), terrain.HeightAt(306, 80));
    EXPECT_EQ(picture.GetPixel(306, 50 + 210 + 6), 20);
    // Objects are drawn into the stage picture 210 rows down.
    EXPECT_EQ(picture.GetPixel(106, 50 + 210 + 6), 50);
    EXPECT_EQ(picture.GetPixel(105, 50 + 210 + 6), 20);
}

TEST_F(CourseFilesTest, LevelObjectsStackOnEarlierOnes) {
    // Frame 5 covers its whole block, so the second one's centre samples the first one's top.
    WriteObjects({{5, 100, 100}, {5, 100, 100}});
    const int32_t centre = terrain.HeightAt(108, 108);
    Load();
    // 48 copies: every later copy stands on the one before.
    EXPECT_EQ(Field(100, 100), centre + 3 * kCourseObjectCount);
    EXPECT_EQ(Field(115, 115), centre + 3 * kCourseObjectCount);
}

TEST_F(CourseFilesTest, CheckpointsReadSignedBigEndianInOrder) {
    std::vector<uint8_t> bytes;
    for (int32_t i = 0; i < kCheckpointCount; ++i) {
        PutI16(bytes, 10 * i);
        PutI16(bytes, i == 3 ? -2 : 300 + i);
    }
    WriteBytes(dir / "CHK.COD", bytes);
    Load();
    EXPECT_EQ(course.checkpoints[0].x, 0);
    EXPECT_EQ(course.checkpoints[19].x, 190);
    EXPECT_EQ(course.checkpoints[19].y, 319);
    EXPECT_EQ(course.checkpoints[3].y, -2);
}

TEST_F(CourseFilesTest, MissingOrShortFilesKeepTheTablesButStillStamp) {
    course.checkpoints[0] = {12, 34};
    course.courseObjects.fill({81, 100, 50});
    std::vector<uint8_t> shortFile(79, 1);
    WriteBytes(dir / "CHK.COD", shortFile);
    const int32_t before = Field(106, 56);
    Load();  // no object file, short checkpoint file
    EXPECT_EQ(course.checkpoints[0].x, 12);
    EXPECT_EQ(course.checkpoints[0].y, 34);
    // The previous objects are applied to the terrain again (48 copies of +3).
    EXPECT_EQ(Field(106, 56), before + 3 * kCourseObjectCount);
}

TEST_F(CourseFilesTest, ObjectsOutsideTheFieldOrSheetAreSkippedSafely) {
    WriteObjects({{81, 30000, 30000},
                  {81, -32768, -32768},
                  {200, 100, 100},
                  {-1, 100, 100},
                  {95, 390, 600}});
    const std::vector<int32_t> field(terrain.Field(), terrain.Field() + kFieldRows * kFieldWidth);
    Load();  // must not touch memory outside the field or the sheet
    EXPECT_EQ(Field(110, 110), field[FieldIndex(110, 110)]);
}

TEST(HeightProfilesTest, ValuesAreHalvedAndShortFilesRefused) {
    const test::ScratchDir scratch;
    const fs::path path = scratch / "profiles.dat";
    std::vector<uint8_t> bytes;
    for (int32_t i = 0; i < kSpriteFrames * kProfileCells; ++i) {
        PutI16(bytes, i == 0 ? 0xFFFF : (i == 256 * 75 + 16 * 2 + 3 ? 41 : 0));
    }
    WriteBytes(path, bytes);
    HeightProfiles profiles;
    ASSERT_EQ(LoadHeightProfiles(path.string(), profiles), 1);
    EXPECT_EQ(profiles.At(0, 0, 0), 32767);
    EXPECT_EQ(profiles.At(75, 2, 3), 20);
    bytes.resize(bytes.size() - 1);
    WriteBytes(path, bytes);
    EXPECT_EQ(LoadHeightProfiles(path.string(), profiles), -1);
    EXPECT_EQ(profiles.At(75, 2, 3), 20);
    EXPECT_EQ(LoadHeightProfiles((scratch / "no_such_file").string(), profiles), -1);
}

}  // namespace
}  // namespace vantrell
