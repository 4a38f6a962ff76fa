// Bitmap8::LoadBmp and ReadBmpLayout: uncompressed 8-bit BMP pictures with any of the usual info
// headers (40, 52, 56, 108 or 124 bytes; the fields past the first 40 say nothing an 8-bit
// picture needs), rows stored bottom-up or top-down, pixels where the data offset says. Whatever
// else a file holds is refused with its reason before the bitmap is touched.
#include "gfx/bmp_reader.h"

#include <cstring>
#include <optional>
#include <vector>

#include "gfx/bitmap8.h"
#include "io/file_bytes.h"

namespace vantrell {

namespace {

constexpr int64_t kFileHeaderBytes = 14;
constexpr int64_t kLongestInfoHeader = 124;
constexpr int64_t kInfoSizeField = 4;  // the first field of every info header is its size

uint32_t ReadLe32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint16_t ReadLe16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

bool Refuse(std::string* reason, const std::string& why) {
    if (reason != nullptr) {
        *reason = why;
    }
    return false;
}

bool KnownInfoHeader(uint32_t bytes) {
    return bytes == 40 || bytes == 52 || bytes == 56 || bytes == 108 || bytes == 124;
}

// Checks the headers against what can be drawn and against the file's size; fills `layout`
// only for a picture LoadBmp can take whole.
bool ParseLayout(ByteSpan file, BmpLayout& layout, std::string* reason) {
    const auto fileSize = static_cast<int64_t>(file.size());
    uint8_t h[kFileHeaderBytes + kLongestInfoHeader] = {};
    // The texts are built only for a refusal, so a good picture costs no allocation here.
    auto size = [&] { return std::to_string(fileSize); };
    if (fileSize < kFileHeaderBytes + kInfoSizeField) {
        return Refuse(reason, "is " + size() + " bytes, too short for a BMP picture");
    }
    std::memcpy(h, file.data(), kFileHeaderBytes + kInfoSizeField);
    if (h[0] != 'B' || h[1] != 'M') {
        return Refuse(reason, "is not a BMP picture (it does not begin with \"BM\")");
    }
    const uint32_t infoBytes = ReadLe32(h + kFileHeaderBytes);
    if (!KnownInfoHeader(infoBytes)) {
        return Refuse(reason, "has a BMP info header of " + std::to_string(infoBytes) +
                                  " bytes; only headers of 40, 52, 56, 108 or 124 bytes are read");
    }
    const int64_t colourOffset = kFileHeaderBytes + infoBytes;
    if (fileSize < colourOffset) {
        return Refuse(reason, "is " + size() + " bytes and ends inside its BMP header");
    }
    std::memcpy(h + kFileHeaderBytes + kInfoSizeField,
                file.data() + kFileHeaderBytes + kInfoSizeField, infoBytes - kInfoSizeField);

    const uint16_t bitCount = ReadLe16(h + 28);
    const uint32_t compression = ReadLe32(h + 30);
    const uint32_t coloursUsed = ReadLe32(h + 46);
    if (bitCount != 8) {
        return Refuse(reason, "has " + std::to_string(bitCount) +
                                  " bits per pixel; only 8-bit pictures can be drawn");
    }
    if (compression != 0) {
        return Refuse(reason, "is compressed (method " + std::to_string(compression) +
                                  "); only uncompressed pictures can be drawn");
    }
    if (coloursUsed > 256) {
        return Refuse(reason, "declares " + std::to_string(coloursUsed) +
                                  " colours; an 8-bit picture has at most 256");
    }

    // A negative height stores the top row first. The size is taken in 64 bits, so even the
    // most negative height cannot overflow on its way to the limit check.
    const auto width = static_cast<int32_t>(ReadLe32(h + 18));
    const auto storedHeight = static_cast<int32_t>(ReadLe32(h + 22));
    const int64_t height = storedHeight < 0 ? -int64_t{storedHeight} : storedHeight;
    auto shape = [&] { return std::to_string(width) + " x " + std::to_string(storedHeight); };
    if (width <= 0 || height == 0 || width > kMaxBmpDimension || height > kMaxBmpDimension) {
        return Refuse(reason, "is " + shape() + " pixels; a picture is 1 to " +
                                  std::to_string(kMaxBmpDimension) + " pixels each way");
    }
    const int64_t pixelBytes = int64_t{StrideFor(width)} * height;
    if (pixelBytes > kMaxBmpPixelBytes) {
        return Refuse(reason, "is " + shape() + " pixels, more than the " +
                                  std::to_string(kMaxBmpPixelBytes) + " bytes a picture may hold");
    }

    const int32_t colourCount = coloursUsed == 0 ? 256 : static_cast<int32_t>(coloursUsed);
    const int64_t tableEnd = colourOffset + 4 * int64_t{colourCount};
    const int64_t pixelOffset = ReadLe32(h + 10);
    if (pixelOffset < tableEnd) {
        return Refuse(reason, "has its pixels at byte " + std::to_string(pixelOffset) +
                                  ", inside its headers and colour table, which end at byte " +
                                  std::to_string(tableEnd));
    }
    if (pixelOffset + pixelBytes > fileSize) {
        return Refuse(reason, "is " + size() + " bytes, but its pixels run to byte " +
                                  std::to_string(pixelOffset + pixelBytes) +
                                  ": the file is cut short");
    }
    layout.width = width;
    layout.height = static_cast<int32_t>(height);
    layout.topDown = storedHeight < 0;
    layout.colourCount = colourCount;
    layout.colourOffset = colourOffset;
    layout.pixelOffset = pixelOffset;
    return true;
}

}  // namespace

bool ReadBmpLayout(ByteSpan file, BmpLayout& layout, std::string* reason) {
    return ParseLayout(file, layout, reason);
}

bool ReadBmpLayout(const std::string& path, BmpLayout& layout, std::string* reason) {
    const std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(path, reason);
    return bytes && ParseLayout(*bytes, layout, reason);
}

int Bitmap8::LoadBmp(const std::string& path, std::string* reason) {
    const std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(path, reason);
    return bytes ? LoadBmp(*bytes, reason) : -1;
}

int Bitmap8::LoadBmp(ByteSpan file, std::string* reason) {
    BmpLayout layout;
    if (!ParseLayout(file, layout, reason)) {
        return -1;
    }
    const int64_t stride = StrideFor(layout.width);
    const int64_t pixelBytes = stride * layout.height;

    Resize(layout.width, layout.height);
    // Colour entries: blue, green, red, then a reserved byte that is dropped, so the table's own
    // reserved byte keeps whatever it held. Entries past the count keep their colours.
    for (int32_t i = 0; i < layout.colourCount; ++i) {
        const uint8_t* e = file.data() + layout.colourOffset + 4 * i;
        RgbQuad& c = info_->colours[i];
        c.blue = e[0];
        c.green = e[1];
        c.red = e[2];
    }
    // Rows and their padding as stored; the block is bottom-up, so a top-down file is turned.
    const uint8_t* rows = file.data() + layout.pixelOffset;
    if (!layout.topDown) {
        std::memcpy(pixels_.get(), rows, static_cast<size_t>(pixelBytes));
    } else {
        for (int64_t r = 0; r < layout.height; ++r) {
            std::memcpy(pixels_.get() + r * stride, rows + (layout.height - 1 - r) * stride,
                        static_cast<size_t>(stride));
        }
    }
    return 1;
}

}  // namespace vantrell
