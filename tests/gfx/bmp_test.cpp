#include <algorithm>
#include <climits>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include <gtest/gtest.h>

#include "gfx/bitmap8.h"
#include "gfx/bmp_file_maker.h"
#include "gfx/bmp_reader.h"
#include "gfx/bmp_writer.h"
#include "support/scratch_dir.h"

namespace vantrell {
namespace {

using test::BmpFileLayout;
using test::MakeBmp;
using test::ScratchDir;
using test::WriteFile;

std::vector<uint8_t> PixelsOf(const Bitmap8& b) {
    return {b.Pixels(), b.Pixels() + b.PixelBytes()};
}

std::vector<uint8_t> ColoursOf(const Bitmap8& b) {
    std::vector<uint8_t> out;
    for (int i = 0; i < 256; ++i) {
        const RgbQuad& c = b.Colours()[i];
        out.insert(out.end(), {c.blue, c.green, c.red, c.reserved});
    }
    return out;
}

// Gives the bitmap recognisable, non-zero contents everywhere.
void Scribble(Bitmap8& b, int32_t width, int32_t height) {
    b.Resize(width, height);
    for (int64_t k = 0; k < b.PixelBytes(); ++k) {
        b.Pixels()[k] = static_cast<uint8_t>(200 + k % 50);
    }
    for (int i = 0; i < 256; ++i) {
        b.Colours()[i] = {static_cast<uint8_t>(255 - i), 0x11, 0x22, 0x5A};
    }
}

class BmpLoadTest : public ::testing::Test {
  protected:
    std::string Write(const std::vector<uint8_t>& bytes, const std::string& name = "p.bmp") {
        return WriteFile(dir_ / name, bytes);
    }
    ScratchDir scratch_;
    std::filesystem::path dir_ = scratch_.path();
};

TEST_F(BmpLoadTest, ReadsPaddedRowsAndColoursAsStored) {
    Bitmap8 b;
    Scribble(b, 4, 4);
    BmpFileLayout layout;
    layout.width = 17;
    layout.height = 3;
    const std::vector<uint8_t> file = MakeBmp(layout);
    ASSERT_EQ(b.LoadBmp(Write(file)), 1);

    EXPECT_EQ(b.Width(), 17);
    EXPECT_EQ(b.Height(), 3);
    EXPECT_EQ(b.Info().header.biWidth, 17);
    EXPECT_EQ(b.Info().header.biHeight, 3);
    EXPECT_EQ(b.Info().header.biSizeImage, 60u);
    EXPECT_EQ(b.Info().header.biClrUsed, 0u);
    const std::vector<uint8_t> rows(file.begin() + 54 + 1024, file.end());
    ASSERT_EQ(rows.size(), 60u);
    EXPECT_EQ(PixelsOf(b), rows) << "rows and their padding are copied in file order";
    EXPECT_EQ(b.GetPixel(0, 2), rows[0]) << "the file's first row is the picture's bottom";
    EXPECT_EQ(b.GetPixel(1, 0), rows[41]);
    EXPECT_EQ(b.Colours()[9].blue, 9);
    EXPECT_EQ(b.Colours()[9].green, 10);
    EXPECT_EQ(b.Colours()[9].red, 11);
    EXPECT_EQ(b.Colours()[9].reserved, 0x5A) << "the reserved byte is never written";
    EXPECT_EQ(b.Colours()[255].reserved, 0x5A);
}

TEST_F(BmpLoadTest, ColourCountComesFromClrUsed) {
    for (uint32_t clrUsed : {0u, 256u}) {
        Bitmap8 b;
        BmpFileLayout layout;
        layout.clrUsed = clrUsed;
        const std::vector<uint8_t> file = MakeBmp(layout);
        ASSERT_EQ(b.LoadBmp(Write(file)), 1);
        EXPECT_EQ(b.Colours()[255].blue, 255) << clrUsed;
        EXPECT_EQ(b.Colours()[255].red, 1) << clrUsed;
        EXPECT_EQ(PixelsOf(b), std::vector<uint8_t>(file.begin() + 54 + 1024, file.end()));
    }

    // 16 entries, then the pixels straight after them; the other entries keep their colours.
    Bitmap8 b;
    Scribble(b, 4, 2);
    BmpFileLayout layout;
    layout.clrUsed = 16;
    const std::vector<uint8_t> file = MakeBmp(layout);
    ASSERT_EQ(b.LoadBmp(Write(file)), 1);
    EXPECT_EQ(b.Colours()[15].blue, 15);
    EXPECT_EQ(b.Colours()[15].red, 17);
    EXPECT_EQ(b.Colours()[16].blue, 255 - 16);
    EXPECT_EQ(b.Colours()[16].green, 0x11);
    EXPECT_EQ(b.Colours()[255].blue, 0);
    EXPECT_EQ(PixelsOf(b), std::vector<uint8_t>(file.begin() + 54 + 64, file.end()));
    EXPECT_EQ(b.Info().header.biClrUsed, 0u) << "the header keeps a full table";
}

// Every header size, both row orders and a gap before the pixels give the picture the plain
// 40-byte, bottom-up file gives, and ReadBmpLayout says where everything is.
TEST_F(BmpLoadTest, EveryHeaderSizeRowOrderAndDataOffsetLoadsTheSamePicture) {
    for (const uint32_t clrUsed : {0u, 16u}) {
        BmpFileLayout plain;
        plain.width = 7;
        plain.height = 5;
        plain.clrUsed = clrUsed;
        // Both bitmaps start scribbled, so what a load leaves alone must agree too.
        Bitmap8 original;
        Scribble(original, 3, 3);
        ASSERT_EQ(original.LoadBmp(Write(MakeBmp(plain), "plain.bmp")), 1);
        for (const uint32_t infoBytes : {40u, 52u, 56u, 108u, 124u}) {
            for (const bool topDown : {false, true}) {
                for (const uint32_t gap : {0u, 37u}) {
                    BmpFileLayout layout = plain;
                    layout.infoBytes = infoBytes;
                    layout.topDown = topDown;
                    layout.gap = gap;
                    const std::string path = Write(MakeBmp(layout));
                    const std::string name =
                        std::to_string(infoBytes) + (topDown ? " top-down" : " bottom-up") +
                        " gap " + std::to_string(gap) + " colours " + std::to_string(clrUsed);
                    BmpLayout seen;
                    ASSERT_TRUE(ReadBmpLayout(path, seen)) << name;
                    EXPECT_EQ(seen.width, 7) << name;
                    EXPECT_EQ(seen.height, 5) << name;
                    EXPECT_EQ(seen.topDown, topDown) << name;
                    EXPECT_EQ(seen.colourCount, clrUsed == 0 ? 256 : 16) << name;
                    EXPECT_EQ(seen.colourOffset, 14 + infoBytes) << name;
                    EXPECT_EQ(seen.pixelOffset, 14 + infoBytes + 4 * seen.colourCount + gap)
                        << name;

                    Bitmap8 b;
                    Scribble(b, 3, 3);
                    ASSERT_EQ(b.LoadBmp(path), 1) << name;
                    EXPECT_EQ(PixelsOf(b), PixelsOf(original)) << name;
                    EXPECT_EQ(ColoursOf(b), ColoursOf(original)) << name;
                    EXPECT_EQ(b.GetPixel(0, 0), original.GetPixel(0, 0)) << name;
                    EXPECT_EQ(b.Info().header.biSize, 40u) << name;
                    EXPECT_EQ(b.Info().header.biHeight, 5) << name;
                }
            }
        }
    }
}

TEST_F(BmpLoadTest, SameSizeKeepsTheBlockAndANewSizeReplacesIt) {
    Bitmap8 b;
    b.Resize(96, 416);
    const uint8_t* block = b.Pixels();
    BmpFileLayout layout;
    layout.width = 96;
    layout.height = 416;
    ASSERT_EQ(b.LoadBmp(Write(MakeBmp(layout))), 1);
    EXPECT_EQ(b.Pixels(), block);

    layout.width = 100;
    layout.height = 100;
    const std::vector<uint8_t> file = MakeBmp(layout);
    ASSERT_EQ(b.LoadBmp(Write(file)), 1);
    EXPECT_EQ(b.PixelBytes(), 10000);
    EXPECT_EQ(b.Info().header.biSizeImage, 10000u);
    EXPECT_EQ(PixelsOf(b), std::vector<uint8_t>(file.begin() + 54 + 1024, file.end()));
}

// Each refusal names its own reason (ReadBmpLayout gives the same one) and changes nothing.
TEST_F(BmpLoadTest, RefusedFilesSayWhyAndLeaveTheBitmapUntouched) {
    // Only the header matters for most refusals, so large pictures are written without pixels.
    auto bent = [](auto change, bool pixels = false) {
        BmpFileLayout layout;
        change(layout);
        std::vector<uint8_t> bytes = MakeBmp(layout);
        if (!pixels) {
            bytes.resize(std::min<size_t>(bytes.size(), 54 + 1024));
        }
        return bytes;
    };
    std::vector<uint8_t> notB = MakeBmp({});
    notB[0] = 'X';
    std::vector<uint8_t> notM = MakeBmp({});
    notM[1] = 'X';
    std::vector<uint8_t> shortHeader = MakeBmp({});
    shortHeader.resize(40);
    std::vector<uint8_t> pixelsCut = MakeBmp({});
    pixelsCut.pop_back();
    BmpFileLayout sixteen;
    sixteen.clrUsed = 16;
    std::vector<uint8_t> tableCut = MakeBmp(sixteen);
    tableCut.resize(54 + 5 * 4 + 1);
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        const char* reason;
    };
    const std::vector<Case> cases = {
        {"not B", notB, "not a BMP picture"},
        {"not M", notM, "not a BMP picture"},
        {"header cut short", shortHeader, "ends inside its BMP header"},
        {"empty file", {}, "too short for a BMP picture"},
        {"core header", bent([](BmpFileLayout& s) { s.infoBytes = 12; }), "header of 12 bytes"},
        {"64-byte header", bent([](BmpFileLayout& s) { s.infoBytes = 64; }), "header of 64"},
        {"zero width", bent([](BmpFileLayout& s) { s.width = 0; }), "is 0 x 2 pixels"},
        {"zero height", bent([](BmpFileLayout& s) { s.height = 0; }), "is 4 x 0 pixels"},
        {"negative width", bent([](BmpFileLayout& s) { s.width = -4; }), "1 to 8192 pixels"},
        {"too wide", bent([](BmpFileLayout& s) {
             s.width = 8193;
             s.height = 1;
         }),
         "1 to 8192 pixels"},
        {"too tall", bent([](BmpFileLayout& s) {
             s.width = 1;
             s.height = 8193;
         }),
         "1 to 8192 pixels"},
        {"too tall top-down", bent([](BmpFileLayout& s) {
             s.width = 1;
             s.height = -8193;
         }),
         "is 1 x -8193 pixels"},
        {"most negative height", bent([](BmpFileLayout& s) { s.height = INT32_MIN; }),
         "1 to 8192 pixels"},
        {"too many pixels", bent([](BmpFileLayout& s) {
             s.width = 8192;
             s.height = 2049;
         }),
         "more than the 16777216 bytes"},
        {"24 bits", bent([](BmpFileLayout& s) { s.bitCount = 24; }), "24 bits per pixel"},
        {"4 bits", bent([](BmpFileLayout& s) { s.bitCount = 4; }), "only 8-bit pictures"},
        {"compressed", bent([](BmpFileLayout& s) { s.compression = 1; }), "compressed (method 1)"},
        {"257 colours", bent([](BmpFileLayout& s) { s.clrUsed = 257; }), "declares 257 colours"},
        {"0x110 colours", bent([](BmpFileLayout& s) { s.clrUsed = 0x110; }), "272 colours"},
        {"pixels inside the table", bent([](BmpFileLayout& s) { s.offBits = 54 + 1020; }, true),
         "inside its headers and colour table, which end at byte 1078"},
        {"pixels beyond the end", bent([](BmpFileLayout& s) { s.offBits = 2000; }, true),
         "is 1086 bytes, but its pixels run to byte 2008"},
        {"pixels cut short", pixelsCut, "cut short"},
        {"colour table cut short", tableCut, "cut short"},
    };
    for (const Case& c : cases) {
        Bitmap8 b;
        Scribble(b, 5, 3);
        const std::vector<uint8_t> pixels = PixelsOf(b);
        const std::vector<uint8_t> colours = ColoursOf(b);
        const std::string path = Write(c.bytes);
        std::string reason;
        EXPECT_EQ(b.LoadBmp(path, &reason), -1) << c.name;
        EXPECT_NE(reason.find(c.reason), std::string::npos) << c.name << ": " << reason;
        EXPECT_EQ(reason.find('\n'), std::string::npos) << c.name;
        BmpLayout layout;
        std::string layoutReason;
        EXPECT_FALSE(ReadBmpLayout(path, layout, &layoutReason)) << c.name;
        EXPECT_EQ(layoutReason, reason) << c.name;
        EXPECT_EQ(b.Width(), 5) << c.name;
        EXPECT_EQ(b.Height(), 3) << c.name;
        EXPECT_EQ(b.Info().header.biWidth, 5) << c.name;
        EXPECT_EQ(b.Info().header.biHeight, 3) << c.name;
        EXPECT_EQ(b.Info().header.biSizeImage, 24u) << c.name;
        EXPECT_EQ(PixelsOf(b), pixels) << c.name;
        EXPECT_EQ(ColoursOf(b), colours) << c.name;
    }

    Bitmap8 b;
    Scribble(b, 5, 3);
    const std::vector<uint8_t> pixels = PixelsOf(b);
    std::string reason;
    EXPECT_EQ(b.LoadBmp((dir_ / "missing.bmp").string(), &reason), -1);
    EXPECT_EQ(reason, "no such file");
    EXPECT_EQ(b.LoadBmp(dir_.string(), &reason), -1);
    EXPECT_EQ(reason, "not a file");
    EXPECT_EQ(b.LoadBmp(dir_.string()), -1) << "no reason asked for";
    EXPECT_EQ(PixelsOf(b), pixels);
}

TEST_F(BmpLoadTest, LargestAcceptedSizesLoad) {
    Bitmap8 b;
    BmpFileLayout layout;
    layout.width = 8192;
    layout.height = 1;
    ASSERT_EQ(b.LoadBmp(Write(MakeBmp(layout))), 1);
    EXPECT_EQ(b.Width(), 8192);

    // Exactly at the pixel cap the size passes; only the missing pixels are refused.
    layout.height = 2048;
    std::vector<uint8_t> file = MakeBmp(layout);
    file.resize(54 + 1024);
    std::string reason;
    EXPECT_EQ(b.LoadBmp(Write(file), &reason), -1);
    EXPECT_NE(reason.find("its pixels run to byte 16778294"), std::string::npos) << reason;
    layout.topDown = true;
    file = MakeBmp(layout);
    file.resize(54 + 1024);
    EXPECT_EQ(b.LoadBmp(Write(file), &reason), -1);
    EXPECT_NE(reason.find("its pixels run to byte 16778294"), std::string::npos) << reason;
}

class BmpSaveTest : public BmpLoadTest {};

TEST_F(BmpSaveTest, SavedFileLoadsBackIdentically) {
    for (int32_t width : {1, 2, 3, 4, 5, 17, 96}) {
        Bitmap8 out;
        out.Resize(width, 7);
        for (int64_t k = 0; k < out.PixelBytes(); ++k) {
            out.Pixels()[k] = static_cast<uint8_t>(k * 31 + width);
        }
        for (int i = 0; i < 256; ++i) {
            out.Colours()[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(i ^ 0x55),
                                static_cast<uint8_t>(255 - i), 0};
        }
        const std::string path = (dir_ / "round.bmp").string();
        ASSERT_TRUE(SaveBmp(out, path)) << width;

        std::ifstream in(path, std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        const int64_t stride = StrideFor(width);
        ASSERT_EQ(static_cast<int64_t>(bytes.size()), 54 + 1024 + stride * 7) << width;
        EXPECT_EQ(bytes[2] | bytes[3] << 8 | bytes[4] << 16, 54 + 1024 + stride * 7);
        EXPECT_EQ(bytes[10] | bytes[11] << 8, 1078) << "data offset";
        EXPECT_EQ(bytes[14], 40) << "info header size";
        EXPECT_EQ(bytes[28], 8) << "bits per pixel";
        EXPECT_EQ(bytes[46] | bytes[47] << 8, 256) << "colours used";

        Bitmap8 in8;
        ASSERT_EQ(in8.LoadBmp(path), 1) << width;
        EXPECT_EQ(in8.Width(), width);
        EXPECT_EQ(in8.Height(), 7);
        EXPECT_EQ(PixelsOf(in8), PixelsOf(out)) << width;
        EXPECT_EQ(ColoursOf(in8), ColoursOf(out)) << width;
    }
}

// What the file holds after a failed save is the save routine's promise; here only the answer.
TEST_F(BmpSaveTest, FailedSaveAnswersFalse) {
    Bitmap8 b;
    b.Resize(4, 4);
    std::filesystem::create_directory(dir_ / "taken.bmp");  // written beside, cannot replace
    EXPECT_FALSE(SaveBmp(b, (dir_ / "taken.bmp").string()));
    EXPECT_FALSE(SaveBmp(b, (dir_ / "no-such-dir" / "x.bmp").string()));
}

}  // namespace
}  // namespace vantrell
