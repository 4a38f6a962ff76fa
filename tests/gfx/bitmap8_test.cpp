#include "gfx/bitmap8.h"

#include <algorithm>
#include <cstring>

#include <gtest/gtest.h>

namespace vantrell {
namespace {

TEST(Bitmap8Test, ConstructorGivesZeroed16x16With8BitHeader) {
    Bitmap8 b;
    const BitmapInfoHeader& h = b.Info().header;
    EXPECT_EQ(b.Width(), 16);
    EXPECT_EQ(b.Height(), 16);
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biWidth, 16);
    EXPECT_EQ(h.biHeight, 16);
    EXPECT_EQ(h.biPlanes, 1);
    EXPECT_EQ(h.biBitCount, 8);
    EXPECT_EQ(h.biCompression, 0u);
    EXPECT_EQ(h.biSizeImage, 256u);
    EXPECT_EQ(h.biClrUsed, 0u);
    EXPECT_EQ(b.PixelBytes(), 256);
    EXPECT_TRUE(std::all_of(b.Pixels(), b.Pixels() + 256, [](uint8_t v) { return v == 0; }));
    for (int i = 0; i < 256; ++i) {
        const RgbQuad& c = b.Colours()[i];
        EXPECT_EQ(c.blue | c.green | c.red | c.reserved, 0) << "entry " << i;
    }
}

TEST(Bitmap8Test, ResizeSetsHeaderStrideAndImageSize) {
    Bitmap8 b;
    b.Colours()[3] = {1, 2, 3, 4};
    b.Resize(96, 416);
    EXPECT_EQ(b.Info().header.biWidth, 96);
    EXPECT_EQ(b.Info().header.biHeight, 416);
    EXPECT_EQ(b.Info().header.biSizeImage, 96u * 416u);
    EXPECT_EQ(b.PixelBytes(), 96 * 416);
    std::memset(b.Pixels(), 1, static_cast<size_t>(b.PixelBytes()));

    b.Resize(17, 3);
    EXPECT_EQ(b.Stride(), 20);
    EXPECT_EQ(b.Info().header.biSizeImage, 60u);
    EXPECT_EQ(b.Info().header.biClrUsed, 0u);
    EXPECT_EQ(b.Colours()[3].red, 3) << "the colour table is not touched";
    EXPECT_EQ(StrideFor(96), 96);
    EXPECT_EQ(StrideFor(1), 4);
    EXPECT_EQ(StrideFor(20), 20);

    // A negative size is ignored rather than turned into a huge allocation.
    b.Resize(-4, 10);
    EXPECT_EQ(b.Width(), 17);
    EXPECT_EQ(b.Info().header.biWidth, 17);
}

TEST(Bitmap8Test, ResizeKeepsBlockOnlyWhenSizeIsUnchanged) {
    Bitmap8 b;
    b.Resize(96, 416);
    std::memset(b.Pixels(), 7, static_cast<size_t>(b.PixelBytes()));
    const uint8_t* before = b.Pixels();

    b.Resize(416, 96);  // same byte count: same block, contents as they were
    EXPECT_EQ(b.Pixels(), before);
    EXPECT_EQ(b.Pixels()[0], 7);
    EXPECT_EQ(b.Pixels()[96 * 416 - 1], 7);

    b.Resize(100, 100);  // new size: a fresh, cleared block of 10000 bytes
    EXPECT_EQ(b.PixelBytes(), 10000);
    EXPECT_TRUE(std::all_of(b.Pixels(), b.Pixels() + 10000, [](uint8_t v) { return v == 0; }));

    // The new stride x height is measured against the old width x height, so a padded
    // picture resized to itself gets a fresh block, while 17 x 4 -> 4 x 17 (68 = 68) keeps it.
    b.Resize(17, 4);
    std::memset(b.Pixels(), 7, 80);
    b.Resize(17, 4);
    EXPECT_TRUE(std::all_of(b.Pixels(), b.Pixels() + 80, [](uint8_t v) { return v == 0; }));
    std::memset(b.Pixels(), 7, 80);
    const uint8_t* padded = b.Pixels();
    b.Resize(4, 17);
    EXPECT_EQ(b.Pixels(), padded);
    EXPECT_TRUE(std::all_of(b.Pixels(), b.Pixels() + 68, [](uint8_t v) { return v == 7; }));
}

TEST(Bitmap8Test, PixelAddressCountsRowsFromTheBottomOfMemory) {
    Bitmap8 b;
    b.Resize(17, 5);  // stride 20
    const uint8_t* start = b.Pixels();
    EXPECT_EQ(b.PixelAddress(0, 0), start + 20 * 4);
    EXPECT_EQ(b.PixelAddress(16, 4), start + 16);
    EXPECT_EQ(b.PixelAddress(3, 2), start + 20 * 2 + 3);
    EXPECT_EQ(b.PixelAddress(17, 0), nullptr);
    EXPECT_EQ(b.PixelAddress(0, -1), nullptr);
    EXPECT_EQ(b.PixelAddress(-1, 0), nullptr);
    EXPECT_EQ(b.PixelAddress(0, 5), nullptr);

    b.Pixels()[20 * 4 + 2] = 42;  // (2, 0): top row, last in memory
    b.Pixels()[5] = 43;           // (5, 4): bottom row, first in memory
    EXPECT_EQ(b.GetPixel(2, 0), 42);
    EXPECT_EQ(b.GetPixel(5, 4), 43);
    b.Pixels()[17] = 44;  // row padding is not a pixel
    EXPECT_EQ(b.GetPixel(17, 4), 0);
    EXPECT_EQ(b.GetPixel(-1, 0), 0);
    EXPECT_EQ(b.GetPixel(0, 5), 0);
}

}  // namespace
}  // namespace vantrell
