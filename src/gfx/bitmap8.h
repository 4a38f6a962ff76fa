// Bitmap8: an 8-bit palettised picture kept in the device-independent layout (40-byte info
// header, 256-entry colour table, bottom-up rows padded to a multiple of 4 bytes). All
// coordinates count y from the top; colour 255 is the transparent key.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "io/file_bytes.h"

namespace vantrell {

struct BitmapInfoHeader {
    uint32_t biSize = 40;
    int32_t biWidth = 16;
    int32_t biHeight = 16;
    uint16_t biPlanes = 1;
    uint16_t biBitCount = 8;
    uint32_t biCompression = 0;  // uncompressed
    uint32_t biSizeImage = 0;
    int32_t biXPelsPerMeter = 0;
    int32_t biYPelsPerMeter = 0;
    uint32_t biClrUsed = 0;
    uint32_t biClrImportant = 0;
};
static_assert(sizeof(BitmapInfoHeader) == 40);

struct RgbQuad {
    uint8_t blue = 0;
    uint8_t green = 0;
    uint8_t red = 0;
    uint8_t reserved = 0;
};

struct BitmapInfo {
    BitmapInfoHeader header;
    RgbQuad colours[256];
};

// Bytes per stored row: the width raised to the next multiple of 4.
constexpr int32_t StrideFor(int32_t width) {
    return (width + 3) & ~3;
}

// Largest picture LoadBmp accepts. The biggest game picture is 400 x 820; anything far beyond
// that is a damaged or foreign file, not a stage.
constexpr int32_t kMaxBmpDimension = 8192;
constexpr int64_t kMaxBmpPixelBytes = 16 * 1024 * 1024;

class Bitmap8 {
  public:
    Bitmap8();
    ~Bitmap8();
    Bitmap8(const Bitmap8&) = delete;
    Bitmap8& operator=(const Bitmap8&) = delete;

    void Resize(int32_t width, int32_t height);
    uint8_t* PixelAddress(int32_t x, int32_t y);
    const uint8_t* PixelAddress(int32_t x, int32_t y) const;
    uint8_t GetPixel(int32_t x, int32_t y) const;
    // Returns 1 when the file was read, -1 (bitmap unchanged) when it could not be; then
    // `reason`, if given, says why in one line without the path (see ReadBmpLayout).
    int LoadBmp(const std::string& path, std::string* reason = nullptr);
    // The same for a file's bytes held in memory.
    int LoadBmp(ByteSpan file, std::string* reason = nullptr);

    // Blitters. The span of a row may run on into the next row in memory (the row above in the
    // picture) but never past the end of the pixel block.
    void BlitKeyed(Bitmap8* dest, int32_t dx, int32_t dy, int32_t w, int32_t h, int32_t sx,
                   int32_t sy) const;
    void GrabFrom(const Bitmap8* large, int32_t x, int32_t y);
    void PutTo(Bitmap8* large, int32_t x, int32_t y) const;
    void FillRect(int32_t x, int32_t y, int32_t w, int32_t h, uint8_t colour);
    void ReplaceColour(uint8_t oldColour, uint8_t newColour);

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    int32_t Stride() const { return StrideFor(width_); }
    const BitmapInfo& Info() const { return *info_; }
    BitmapInfo& Info() { return *info_; }
    RgbQuad* Colours() { return info_->colours; }
    const RgbQuad* Colours() const { return info_->colours; }
    uint8_t* Pixels() { return pixels_.get(); }
    const uint8_t* Pixels() const { return pixels_.get(); }
    // Size of the pixel block in bytes (stride x height).
    int64_t PixelBytes() const { return static_cast<int64_t>(Stride()) * height_; }

  private:
    std::unique_ptr<BitmapInfo> info_;
    std::unique_ptr<uint8_t[]> pixels_;
    int32_t width_ = 16;
    int32_t height_ = 16;
};

}  // namespace vantrell
