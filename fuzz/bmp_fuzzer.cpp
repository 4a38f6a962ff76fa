// Bitmap8::LoadBmp on any file: a picture it accepts is fully addressable and can be blitted as a
// sprite sheet and a stage picture; one it refuses leaves the bitmap exactly as it was.
#include <cstring>
#include <vector>

#include "fuzz_support.h"
#include "gfx/bitmap8.h"
#include "gfx/palette.h"

using namespace vantrell;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // One bitmap for the whole run, as a stage picture lives on from stage to stage.
    static Bitmap8 picture;
    static Bitmap8 frame;
    static Bitmap8 course;
    static bool ready = false;
    if (!ready) {
        frame.Resize(96, 416);
        course.Resize(400, 820);
        std::memset(course.Pixels(), 1, course.PixelBytes());
        ready = true;
    }

    const int32_t oldWidth = picture.Width();
    const int32_t oldHeight = picture.Height();
    const std::vector<uint8_t> oldPixels(picture.Pixels(), picture.Pixels() + picture.PixelBytes());
    std::vector<uint8_t> oldColours(sizeof(BitmapInfo));
    std::memcpy(oldColours.data(), &picture.Info(), sizeof(BitmapInfo));

    const int result = picture.LoadBmp(ByteSpan(data, size));
    FUZZ_CHECK(result == 1 || result == -1);
    if (result == -1) {
        FUZZ_CHECK(picture.Width() == oldWidth && picture.Height() == oldHeight);
        FUZZ_CHECK(std::memcmp(picture.Pixels(), oldPixels.data(), oldPixels.size()) == 0);
        FUZZ_CHECK(std::memcmp(&picture.Info(), oldColours.data(), sizeof(BitmapInfo)) == 0);
        return 0;
    }
    const BitmapInfoHeader& header = picture.Info().header;
    FUZZ_CHECK(picture.Width() > 0 && picture.Height() > 0);
    FUZZ_CHECK(header.biWidth == picture.Width() && header.biHeight == picture.Height());
    FUZZ_CHECK(header.biSizeImage == static_cast<uint32_t>(picture.PixelBytes()));
    FUZZ_CHECK(header.biSize == 40 && header.biBitCount == 8 && header.biClrUsed == 0);

    // Every byte of the block is readable (the sanitizer sees a block smaller than its size).
    uint32_t sum = 0;
    for (int64_t i = 0; i < picture.PixelBytes(); ++i) {
        sum += picture.Pixels()[i];
    }
    for (int32_t y : {0, picture.Height() - 1}) {
        for (int32_t x : {0, picture.Width() - 1}) {
            FUZZ_CHECK(picture.PixelAddress(x, y) != nullptr);
            sum += picture.GetPixel(x, y);
        }
    }
    FUZZ_CHECK(picture.PixelAddress(picture.Width(), 0) == nullptr);
    FUZZ_CHECK(picture.PixelAddress(0, picture.Height()) == nullptr);

    // What the stage loader and the race do with a loaded picture.
    AdoptColours(frame, picture);
    (void)MakePalette(picture);
    const int32_t frames = std::min(picture.Height() / 16, 96);
    for (int32_t t = 0; t < frames; t += 7) {
        picture.BlitKeyed(&course, static_cast<int32_t>(sum % 420) - 10, t * 9 - 20, 16, 16, 0,
                          16 * t);
    }
    Bitmap8 save;
    save.Resize(16, 16);
    save.GrabFrom(&picture, picture.Width() / 2 - 8, picture.Height() / 2 - 8);
    save.PutTo(&picture, picture.Width() - 8, picture.Height() - 8);
    picture.ReplaceColour(kTransparent, kFirstStageColour);
    return 0;
}
