// The pixel operations that build each frame: keyed sprite copy, save-buffer grab and put,
// rectangle fill and colour replacement. Clipping is deliberately minimal (wrap once for
// x < 0, cut top and bottom, test two corners); a span passing the right edge runs on into the
// next row in memory, the row above in the picture. Every span is cut at the end of its pixel
// block, so the run-on off the top row never leaves the block.
#include <algorithm>
#include <cstring>

#include "gfx/bitmap8.h"

namespace vantrell {

namespace {

constexpr uint8_t kTransparent = 255;

// The rows of a rectangle that survive the top and bottom cut, with x wrapped once.
struct RowClip {
    int64_t x = 0;
    int64_t y = 0;
    int64_t rows = 0;
    int64_t topCut = 0;  // rows lost above the picture
};

bool ClipRows(const Bitmap8& target, int32_t x, int32_t y, int32_t h, RowClip* clip) {
    clip->x = x < 0 ? int64_t{x} + target.Width() : x;
    clip->y = y;
    clip->rows = h;
    if (clip->y < 0) {
        clip->rows += clip->y;
        clip->topCut = -clip->y;
        clip->y = 0;
    }
    if (clip->y + clip->rows > target.Height()) {
        clip->rows = target.Height() - clip->y;
    }
    return clip->rows > 0;
}

// Offset of pixel (x, y) from the start of the block, or -1 when no such pixel exists. The
// only existence test the operations make is on the lowest row of the rectangle.
int64_t OffsetOf(const Bitmap8& b, int64_t x, int64_t y) {
    if (x < 0 || x >= b.Width() || y < 0 || y >= b.Height()) {
        return -1;
    }
    return static_cast<int64_t>(b.Stride()) * (b.Height() - 1 - y) + x;
}

// How many of `want` bytes from `offset` onward still lie inside a block of `size` bytes.
int64_t InBlock(int64_t offset, int64_t want, int64_t size) {
    return std::clamp<int64_t>(size - offset, 0, want);
}

// Pairs each row of the small bitmap with its row of the large one, lowest row first, and
// hands over the two offsets and the byte count left after the end-of-block cut.
template <typename CopyRow>
void ForEachSavedRow(const Bitmap8& small, const Bitmap8& large, int32_t x, int32_t y,
                     CopyRow copyRow) {
    RowClip clip;
    if (!ClipRows(large, x, y, small.Height(), &clip)) {
        return;
    }
    // The small bitmap keeps its own top row; rows lost above the large one come off its
    // bottom, so a put at the same place restores exactly what the grab saved.
    const int64_t smallBottom = OffsetOf(small, 0, clip.rows - 1);
    const int64_t largeBottom = OffsetOf(large, clip.x, clip.y + clip.rows - 1);
    if (smallBottom < 0 || largeBottom < 0) {
        return;
    }
    for (int64_t r = 0; r < clip.rows; ++r) {
        const int64_t smallAt = smallBottom + r * small.Stride();
        const int64_t largeAt = largeBottom + r * large.Stride();
        const int64_t n = std::min(InBlock(smallAt, small.Width(), small.PixelBytes()),
                                   InBlock(largeAt, small.Width(), large.PixelBytes()));
        if (n <= 0) {
            return;  // later rows lie further on in both blocks
        }
        copyRow(smallAt, largeAt, static_cast<size_t>(n));
    }
}

}  // namespace

void Bitmap8::BlitKeyed(Bitmap8* dest, int32_t dx, int32_t dy, int32_t w, int32_t h, int32_t sx,
                        int32_t sy) const {
    RowClip clip;
    if (dest == nullptr || w <= 0 || !ClipRows(*dest, dx, dy, h, &clip)) {
        return;
    }
    const int64_t srcY = int64_t{sy} + clip.topCut;
    const int64_t srcBottom = OffsetOf(*this, sx, srcY + clip.rows - 1);
    const int64_t destBottom = OffsetOf(*dest, clip.x, clip.y + clip.rows - 1);
    if (srcBottom < 0 || destBottom < 0) {
        return;
    }
    // Lowest row first: the order matters only when a bitmap is blitted onto itself.
    for (int64_t r = 0; r < clip.rows; ++r) {
        const int64_t srcAt = srcBottom + r * Stride();
        const int64_t destAt = destBottom + r * dest->Stride();
        const int64_t n =
            std::min(InBlock(srcAt, w, PixelBytes()), InBlock(destAt, w, dest->PixelBytes()));
        if (n <= 0) {
            return;
        }
        const uint8_t* s = pixels_.get() + srcAt;
        uint8_t* d = dest->pixels_.get() + destAt;
        for (int64_t i = 0; i < n; ++i) {
            if (s[i] != kTransparent) {
                d[i] = s[i];
            }
        }
    }
}

void Bitmap8::GrabFrom(const Bitmap8* large, int32_t x, int32_t y) {
    if (large == nullptr) {
        return;
    }
    ForEachSavedRow(*this, *large, x, y, [&](int64_t smallAt, int64_t largeAt, size_t n) {
        std::memmove(pixels_.get() + smallAt, large->pixels_.get() + largeAt, n);
    });
}

void Bitmap8::PutTo(Bitmap8* large, int32_t x, int32_t y) const {
    if (large == nullptr) {
        return;
    }
    ForEachSavedRow(*this, *large, x, y, [&](int64_t smallAt, int64_t largeAt, size_t n) {
        std::memmove(large->pixels_.get() + largeAt, pixels_.get() + smallAt, n);
    });
}

void Bitmap8::FillRect(int32_t x, int32_t y, int32_t w, int32_t h, uint8_t colour) {
    RowClip clip;
    if (w <= 0 || !ClipRows(*this, x, y, h, &clip)) {
        return;
    }
    const int64_t bottom = OffsetOf(*this, clip.x, clip.y + clip.rows - 1);
    if (bottom < 0) {
        return;
    }
    for (int64_t r = 0; r < clip.rows; ++r) {
        const int64_t at = bottom + r * Stride();
        const int64_t n = InBlock(at, w, PixelBytes());
        if (n <= 0) {
            return;
        }
        std::memset(pixels_.get() + at, colour, static_cast<size_t>(n));
    }
}

void Bitmap8::ReplaceColour(uint8_t oldColour, uint8_t newColour) {
    // Row padding belongs to no pixel and is left alone.
    const int32_t width = width_;  // a local, as byte stores may alias the member
    for (int32_t y = 0; y < height_; ++y) {
        uint8_t* row = PixelAddress(0, y);
        // Written back unconditionally so the compiler can vectorise the row.
        for (int32_t x = 0; x < width; ++x) {
            row[x] = row[x] == oldColour ? newColour : row[x];
        }
    }
}

}  // namespace vantrell
