#include "world/terrain.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace vantrell {
namespace {

// Sets the four corners of cell (i, j) and its type.
void SetCell(Terrain& t, int i, int j, int type, int a, int b, int c, int d) {
    t.cellTypes[i][j] = type;
    t.cornerHeights[i][j] = a;
    t.cornerHeights[i][j + 1] = b;
    t.cornerHeights[i + 1][j] = c;
    t.cornerHeights[i + 1][j + 1] = d;
}

TEST(TerrainBuild, TriangleSplitTopRightToBottomLeft) {
    Terrain t;
    SetCell(t, 1, 1, kCellSplitTopRight, 0, 10, 10, 0);
    t.BuildHeightField();
    EXPECT_EQ(t.HeightAt(15, 14), 9);   // lower triangle: (0 + 50 + 40) / 10
    EXPECT_EQ(t.HeightAt(15, 15), 10);  // upper triangle: (200 - 50 - 50) / 10
    EXPECT_EQ(t.HeightAt(10, 10), 0);   // corner a itself
    EXPECT_EQ(t.HeightAt(19, 19), 2);   // (200 - 90 - 90) / 10
    EXPECT_EQ(t.HeightAt(19, 10), 9);   // (0 + 90 + 0) / 10
}

TEST(TerrainBuild, TriangleSplitTopLeftToBottomRight) {
    Terrain t;
    SetCell(t, 2, 3, kCellSplitTopLeft, 0, 33, 60, 0);
    t.BuildHeightField();
    // kx > ky: (10a + kx(b - a) + ky(d - b)) / 10 = (198 - 66) / 10, truncated.
    EXPECT_EQ(t.HeightAt(36, 22), 13);
    // kx <= ky: (10a + kx(d - c) + ky(c - a)) / 10 = (-120 + 360) / 10.
    EXPECT_EQ(t.HeightAt(32, 26), 24);
    // The split diagonal itself runs from a to d: (-240 + 240) / 10.
    EXPECT_EQ(t.HeightAt(34, 24), 0);
}

TEST(TerrainBuild, BilinearAndTruncation) {
    Terrain t;
    SetCell(t, 0, 0, 0, 0, 0, 0, 100);
    SetCell(t, 5, 5, 7, -15, 0, 0, 0);  // any unknown type is bilinear
    t.BuildHeightField();
    EXPECT_EQ(t.HeightAt(5, 5), 25);  // (5 * 500) / 100
    EXPECT_EQ(t.HeightAt(9, 1), 9);   // 9 * (9 * 0 + 1 * 100) / 100
    // (9 * (10 * -15)) / 100 = -13.5: truncation toward zero gives -13, flooring -14.
    EXPECT_EQ(t.HeightAt(51, 50), -13);
}

TEST(TerrainBuild, RampsFallByTwoAndEverythingElseIsCleared) {
    Terrain t;
    for (auto& row : t.cornerHeights) {
        row.fill(5);
    }
    for (int j = 0; j <= kCellCount; ++j) {
        t.cornerHeights[kCellCount][j] = 128;
        t.cornerHeights[kCellCount - 1][j] = 128;
    }
    // Leftovers from a previous stage must not survive a rebuild.
    std::fill(t.Field(), t.Field() + kFieldRows * kFieldWidth, 77);
    t.BuildHeightField();

    for (int x : {0, 123, 399}) {
        EXPECT_EQ(t.HeightAt(x, 0), 5);
        EXPECT_EQ(t.HeightAt(x, -1), 3);
        EXPECT_EQ(t.HeightAt(x, -2), 1);
        EXPECT_EQ(t.HeightAt(x, -3), 0);  // max(0, 1 - 2), never negative
        EXPECT_EQ(t.HeightAt(x, -70), 0);
        EXPECT_EQ(t.HeightAt(x, -71), 0);
        EXPECT_EQ(t.HeightAt(x, -209), 0);

        EXPECT_EQ(t.HeightAt(x, 399), 128);
        EXPECT_EQ(t.HeightAt(x, 400), 126);
        EXPECT_EQ(t.HeightAt(x, 401), 124);
        EXPECT_EQ(t.HeightAt(x, 462), 2);
        EXPECT_EQ(t.HeightAt(x, 463), 0);
        EXPECT_EQ(t.HeightAt(x, 470), 0);
        EXPECT_EQ(t.HeightAt(x, 471), 0);
        EXPECT_EQ(t.HeightAt(x, 609), 0);
    }
    EXPECT_EQ(t.Field()[FieldIndex(0, -210)], 0);
}

TEST(TerrainLookup, WrapsXAndRedirectsYOffTheField) {
    Terrain t;
    int32_t* f = t.Field();
    f[FieldIndex(397, 50)] = 11;
    f[FieldIndex(0, 50)] = 12;
    f[FieldIndex(399, 50)] = 13;
    f[FieldIndex(10, 200)] = 14;
    f[FieldIndex(10, -209)] = 15;
    f[FieldIndex(10, 609)] = 16;

    EXPECT_EQ(t.HeightAt(-3, 50), 11);
    EXPECT_EQ(t.HeightAt(400, 50), 12);
    EXPECT_EQ(t.HeightAt(-400, 50), 12);
    EXPECT_EQ(t.HeightAt(799, 50), 13);
    EXPECT_EQ(t.HeightAt(-1, 50), 13);
    EXPECT_EQ(t.HeightAt(10, 700), 14);
    EXPECT_EQ(t.HeightAt(10, 610), 14);
    EXPECT_EQ(t.HeightAt(10, -210), 14);
    EXPECT_EQ(t.HeightAt(10, -209), 15);
    EXPECT_EQ(t.HeightAt(10, 609), 16);
}

TEST(TerrainLookup, FarOutsideTheCourseStaysInsideTheField) {
    Terrain t;
    int32_t* f = t.Field();
    f[FieldIndex(399, 50)] = 21;
    f[FieldIndex(0, 50)] = 22;
    f[FieldIndex(47, 50)] = 23;
    f[FieldIndex(352, 50)] = 24;
    f[FieldIndex(5, 200)] = 25;

    EXPECT_EQ(t.HeightAt(-401, 50), 21);
    EXPECT_EQ(t.HeightAt(800, 50), 22);
    EXPECT_EQ(t.HeightAt(1200, 50), 22);
    EXPECT_EQ(t.HeightAt(INT32_MAX, 50), 23);  // 2^31 - 1 = 47 mod 400
    EXPECT_EQ(t.HeightAt(INT32_MIN, 50), 24);  // -2^31 = 352 mod 400
    EXPECT_EQ(t.HeightAt(-1195, INT32_MIN), 25);
}

class TerrainFiles : public ::testing::Test {
  protected:
    // Writes the values as big-endian u16.
    std::string Write(const std::string& name, const std::vector<uint16_t>& values) {
        const std::string path = (dir_ / name).string();
        std::ofstream out(path, std::ios::binary);
        for (uint16_t v : values) {
            out.put(static_cast<char>(v >> 8));
            out.put(static_cast<char>(v & 0xff));
        }
        return path;
    }

    test::ScratchDir scratch_;
    std::filesystem::path dir_ = scratch_.path();
};

TEST_F(TerrainFiles, CornerHeightsAreBigEndianAndClamped) {
    std::vector<uint16_t> values(41 * 41);
    for (size_t n = 0; n < values.size(); ++n) {
        values[n] = static_cast<uint16_t>(n % 100);
    }
    values[0] = 100;     // bytes 00 64: read little-endian this would be 25600
    values[1] = 128;     // the highest kept value
    values[2] = 129;     // just above: flat, not clamped to 128
    values[3] = 0xff00;  // high byte only
    values[41 * 41 - 1] = 7;
    Terrain t;
    ASSERT_EQ(t.LoadCornerHeights(Write("MAP0.DAT", values)), 1);
    EXPECT_EQ(t.cornerHeights[0][0], 100);
    EXPECT_EQ(t.cornerHeights[0][1], 128);
    EXPECT_EQ(t.cornerHeights[0][2], 0);
    EXPECT_EQ(t.cornerHeights[0][3], 0);
    EXPECT_EQ(t.cornerHeights[1][0], 41);
    EXPECT_EQ(t.cornerHeights[2][5], (2 * 41 + 5) % 100);
    EXPECT_EQ(t.cornerHeights[40][40], 7);
}

TEST_F(TerrainFiles, CellTypesFillOnlyTheFortyByForty) {
    std::vector<uint16_t> values(40 * 40, 0);
    values[0] = 2;            // bytes 00 02
    values[1] = 1;            // row 0, column 1
    values[40] = 0x0102;      // row 1, column 0: 258, kept as is
    values[40 * 40 - 1] = 1;  // row 39, column 39
    Terrain t;
    t.cellTypes[0][40] = 9;
    t.cellTypes[40][0] = 9;
    ASSERT_EQ(t.LoadCellTypes(Write("TYPE_0.DAT", values)), 1);
    EXPECT_EQ(t.cellTypes[0][0], 2);
    EXPECT_EQ(t.cellTypes[0][1], 1);
    EXPECT_EQ(t.cellTypes[1][0], 258);
    EXPECT_EQ(t.cellTypes[39][39], 1);
    EXPECT_EQ(t.cellTypes[0][40], 9);
    EXPECT_EQ(t.cellTypes[40][0], 9);
}

TEST_F(TerrainFiles, MissingOrShortFileKeepsThePreviousGrid) {
    Terrain t;
    t.cornerHeights[0][0] = 42;
    t.cornerHeights[40][40] = 43;
    t.cellTypes[0][0] = 2;
    t.cellTypes[39][39] = 1;
    const auto heights = t.cornerHeights;
    const auto types = t.cellTypes;

    EXPECT_EQ(t.LoadCornerHeights((dir_ / "MAP9.DAT").string()), -1);
    EXPECT_EQ(t.LoadCellTypes((dir_ / "TYPE_9.DAT").string()), -1);
    EXPECT_EQ(t.cornerHeights, heights);
    EXPECT_EQ(t.cellTypes, types);

    // One value short, and one byte short of complete.
    const std::vector<uint16_t> shortHeights(41 * 41 - 1, 5);
    EXPECT_EQ(t.LoadCornerHeights(Write("MAP1.DAT", shortHeights)), -1);
    std::string odd = Write("MAP2.DAT", std::vector<uint16_t>(41 * 41, 5));
    std::filesystem::resize_file(odd, 41 * 41 * 2 - 1);
    EXPECT_EQ(t.LoadCornerHeights(odd), -1);
    const std::vector<uint16_t> shortTypes(40 * 40 - 1, 1);
    EXPECT_EQ(t.LoadCellTypes(Write("TYPE_1.DAT", shortTypes)), -1);
    EXPECT_EQ(t.cornerHeights, heights);
    EXPECT_EQ(t.cellTypes, types);
}

}  // namespace
}  // namespace vantrell
