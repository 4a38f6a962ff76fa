// Bitmap8::LoadBmp: reads the 8-bit BMP layout our pictures use. The file is trusted for its
// layout (pixel rows follow the colour table directly; the data offset is not used), but a
// header we cannot draw safely is refused before anything is changed.
#include <algorithm>
#include <fstream>

#include "gfx/bitmap8.h"

namespace vantrell {

namespace {

constexpr int kFileHeaderBytes = 14;
constexpr int kHeaderBytes = kFileHeaderBytes + 40;

uint32_t ReadLe32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint16_t ReadLe16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

// Reads up to `count` bytes and returns how many arrived; a short file is not an error here.
int64_t ReadUpTo(std::ifstream& in, uint8_t* dest, int64_t count) {
    in.read(reinterpret_cast<char*>(dest), static_cast<std::streamsize>(count));
    return static_cast<int64_t>(in.gcount());
}

// Everything that decides whether the file may change the bitmap, taken from the 54-byte
// header. Returns false for a header we refuse.
struct BmpShape {
    int32_t width = 0;
    int32_t height = 0;
    int colourCount = 0;
};

bool ParseHeader(const uint8_t* h, BmpShape* shape) {
    if (h[0] != 0x42 || h[1] != 0x4D) {
        return false;
    }
    const auto width = static_cast<int32_t>(ReadLe32(h + 18));
    const auto height = static_cast<int32_t>(ReadLe32(h + 22));
    const uint16_t bitCount = ReadLe16(h + 28);
    const uint32_t compression = ReadLe32(h + 30);
    // Top-down (negative height), empty and oversized pictures, other bit depths and
    // compressed data would all be drawn as garbage or outside the block: refuse them.
    if (width <= 0 || height <= 0 || width > kMaxBmpDimension || height > kMaxBmpDimension) {
        return false;
    }
    if (static_cast<int64_t>(StrideFor(width)) * height > kMaxBmpPixelBytes) {
        return false;
    }
    if (bitCount != 8 || compression != 0) {
        return false;
    }
    shape->width = width;
    shape->height = height;
    // Only the lowest byte of biClrUsed counts; 0 means a full table.
    const int n = h[46];
    shape->colourCount = n == 0 ? 256 : n;
    return true;
}

}  // namespace

int Bitmap8::LoadBmp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return -1;
    }
    uint8_t header[kHeaderBytes];
    // A header cut short gives no size to trust, so it is refused like a foreign file.
    if (ReadUpTo(in, header, kHeaderBytes) != kHeaderBytes) {
        return -1;
    }
    BmpShape shape;
    if (!ParseHeader(header, &shape)) {
        return -1;
    }

    Resize(shape.width, shape.height);

    // Colour entries: blue, green, red, then a reserved byte that is read and dropped, so the
    // table's own reserved byte keeps whatever it held. Entries past the count keep their
    // colours; an entry cut off by the end of the file gets zero for its missing channels.
    uint8_t entries[256 * 4];
    const int64_t entryBytes = ReadUpTo(in, entries, shape.colourCount * 4);
    for (int i = 0; i < shape.colourCount && i * 4 < entryBytes; ++i) {
        const uint8_t* e = entries + i * 4;
        const int64_t have = entryBytes - i * 4;
        RgbQuad& c = info_->colours[i];
        c.blue = e[0];
        c.green = have > 1 ? e[1] : 0;
        c.red = have > 2 ? e[2] : 0;
    }

    // Pixel rows straight into the block, padding included; what the file does not cover is
    // cleared rather than left from the previous picture.
    const int64_t bytes = PixelBytes();
    const int64_t got = ReadUpTo(in, pixels_.get(), bytes);
    std::fill(pixels_.get() + got, pixels_.get() + bytes, uint8_t{0});
    return 1;
}

}  // namespace vantrell
