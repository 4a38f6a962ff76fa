#include "gfx/bmp_writer.h"

#include <vector>

#include "io/atomic_save.h"

namespace vantrell {

namespace {

constexpr uint32_t kColourTableBytes = 256 * 4;
constexpr uint32_t kPixelOffset = 14 + 40 + kColourTableBytes;

// Little-endian byte by byte, so the file is the same whatever the host's byte order.
void PutLe16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutLe32(std::vector<uint8_t>& out, uint32_t v) {
    PutLe16(out, v & 0xFFFF);
    PutLe16(out, v >> 16);
}

std::vector<uint8_t> FileBytes(const Bitmap8& bitmap) {
    const auto pixelBytes = static_cast<uint32_t>(bitmap.PixelBytes());
    std::vector<uint8_t> out;
    out.reserve(kPixelOffset + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    PutLe32(out, kPixelOffset + pixelBytes);
    PutLe32(out, 0);  // two reserved words
    PutLe32(out, kPixelOffset);
    PutLe32(out, 40);
    PutLe32(out, static_cast<uint32_t>(bitmap.Width()));
    PutLe32(out, static_cast<uint32_t>(bitmap.Height()));
    PutLe16(out, 1);  // planes
    PutLe16(out, 8);  // bits per pixel
    PutLe32(out, 0);  // uncompressed
    PutLe32(out, pixelBytes);
    PutLe32(out, 0);  // pixels per metre, x and y
    PutLe32(out, 0);
    PutLe32(out, 256);  // colours used: the whole table is written
    PutLe32(out, 0);
    for (int i = 0; i < 256; ++i) {
        const RgbQuad& c = bitmap.Colours()[i];
        out.push_back(c.blue);
        out.push_back(c.green);
        out.push_back(c.red);
        out.push_back(0);
    }
    out.insert(out.end(), bitmap.Pixels(), bitmap.Pixels() + pixelBytes);
    return out;
}

}  // namespace

bool SaveBmp(const Bitmap8& bitmap, const std::string& path) {
    return !SaveFile(path, FileBytes(bitmap));
}

}  // namespace vantrell
