#include <gtest/gtest.h>

#include "gfx/bitmap8.h"
#include "gfx/palette.h"

namespace vantrell {
namespace {

TEST(PaletteTest, FrameTakesStaticColoursAroundTheStageColours) {
    Bitmap8 picture;
    Bitmap8 frame;
    for (int32_t i = 0; i < 256; ++i) {
        picture.Colours()[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), 7,
                                static_cast<uint8_t>(i ^ 0x5A)};
        frame.Colours()[i].reserved = 99;
    }
    AdoptColours(frame, picture);
    const Palette& fixed = StaticColours();
    for (int32_t i = 0; i < 256; ++i) {
        const RgbQuad& q = frame.Colours()[i];
        EXPECT_EQ(q.reserved, 99) << i;  // only blue, green and red are written
        if (i >= 10 && i <= 245) {
            EXPECT_EQ(q.blue, i);
            EXPECT_EQ(q.green, 255 - i);
            EXPECT_EQ(q.red, 7);
        } else {
            EXPECT_EQ(q.red, fixed[i].red) << i;
            EXPECT_EQ(q.green, fixed[i].green) << i;
            EXPECT_EQ(q.blue, fixed[i].blue) << i;
        }
    }
    // The ends are black and white, as a palette display reserves them.
    EXPECT_EQ(frame.Colours()[0].red + frame.Colours()[0].green + frame.Colours()[0].blue, 0);
    EXPECT_EQ(frame.Colours()[255].red & frame.Colours()[255].green & frame.Colours()[255].blue,
              255);
}

TEST(PaletteTest, MadePaletteMarksStageColoursNoCollapse) {
    Bitmap8 picture;
    picture.Colours()[10] = {1, 2, 3, 0};
    picture.Colours()[0] = {9, 9, 9, 0};
    const Palette p = MakePalette(picture);
    EXPECT_EQ(p[10].red, 3);
    EXPECT_EQ(p[10].green, 2);
    EXPECT_EQ(p[10].blue, 1);
    EXPECT_EQ(p[10].flags, kNoCollapse);
    EXPECT_EQ(p[0].red, StaticColours()[0].red);
    EXPECT_EQ(p[0].flags, 0);
    EXPECT_EQ(p[250].flags, 0);
}

}  // namespace
}  // namespace vantrell
