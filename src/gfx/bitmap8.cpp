#include "gfx/bitmap8.h"

namespace vantrell {

namespace {

std::unique_ptr<uint8_t[]> ZeroedBlock(int64_t bytes) {
    // Value-initialised, so no stale heap contents can ever reach the screen or a save.
    return std::make_unique<uint8_t[]>(static_cast<size_t>(bytes));
}

}  // namespace

Bitmap8::Bitmap8() : info_(std::make_unique<BitmapInfo>()) {
    info_->header.biSizeImage = static_cast<uint32_t>(PixelBytes());
    pixels_ = ZeroedBlock(PixelBytes());
}

Bitmap8::~Bitmap8() = default;

void Bitmap8::Resize(int32_t width, int32_t height) {
    // No picture of the game has a negative size; ignoring such a request keeps every
    // stride x height computation non-negative.
    if (width < 0 || height < 0) {
        return;
    }
    info_->header.biWidth = width;
    info_->header.biHeight = height;
    const int64_t newBytes = static_cast<int64_t>(StrideFor(width)) * height;
    // Compared against width x height rather than the old stride x height, so a padded picture
    // may get a fresh block of the same size. Harmless: a kept block is never too small, since
    // every block holds at least stride x height >= width x height bytes.
    const int64_t oldBytes = static_cast<int64_t>(width_) * height_;
    if (newBytes != oldBytes) {
        pixels_.reset();
        pixels_ = ZeroedBlock(newBytes);
    }
    width_ = width;
    height_ = height;
    info_->header.biSizeImage = static_cast<uint32_t>(newBytes);
}

const uint8_t* Bitmap8::PixelAddress(int32_t x, int32_t y) const {
    if (x < 0 || x >= width_ || y < 0 || y >= height_) {
        return nullptr;
    }
    // Rows are stored bottom-up, so picture row 0 is the last row in memory.
    return pixels_.get() + static_cast<int64_t>(Stride()) * (height_ - 1 - y) + x;
}

uint8_t* Bitmap8::PixelAddress(int32_t x, int32_t y) {
    return const_cast<uint8_t*>(static_cast<const Bitmap8*>(this)->PixelAddress(x, y));
}

uint8_t Bitmap8::GetPixel(int32_t x, int32_t y) const {
    const uint8_t* p = PixelAddress(x, y);
    return p ? *p : 0;
}

}  // namespace vantrell
