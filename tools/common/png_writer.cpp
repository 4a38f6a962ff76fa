#include "common/png_writer.h"

#include <zlib.h>

#include <stdexcept>

namespace vantrell::tools {

void RgbImage::Set(int32_t x, int32_t y, uint8_t r, uint8_t g, uint8_t b) {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return;
    }
    uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 3];
    p[0] = r;
    p[1] = g;
    p[2] = b;
}

void RgbImage::Fill(uint8_t r, uint8_t g, uint8_t b) {
    for (size_t i = 0; i + 2 < pixels.size(); i += 3) {
        pixels[i] = r;
        pixels[i + 1] = g;
        pixels[i + 2] = b;
    }
}

namespace {

void PutBe32(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v >> 24));
    out.push_back(static_cast<uint8_t>(v >> 16));
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    PutBe32(out, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    PutBe32(out, static_cast<uint32_t>(crc32(0L, body.data(), static_cast<uInt>(body.size()))));
}

std::vector<uint8_t> Encode(int32_t width, int32_t height, int channels, const uint8_t* pixels) {
    const size_t rowBytes = static_cast<size_t>(width) * channels;
    std::vector<uint8_t> raw;
    raw.reserve((rowBytes + 1) * height);
    for (int32_t y = 0; y < height; ++y) {
        raw.push_back(0);  // filter type none
        raw.insert(raw.end(), pixels + y * rowBytes, pixels + (y + 1) * rowBytes);
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9) !=
        Z_OK) {
        throw std::runtime_error("PNG compression failed");
    }
    packed.resize(packedSize);

    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBe32(header, static_cast<uint32_t>(width));
    PutBe32(header, static_cast<uint32_t>(height));
    header.push_back(8);                      // bit depth
    header.push_back(channels == 4 ? 6 : 2);  // RGBA or RGB
    header.insert(header.end(), {0, 0, 0});   // deflate, adaptive filters, no interlace
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", packed);
    PutChunk(out, "IEND", {});
    return out;
}

}  // namespace

std::vector<uint8_t> EncodePng(const RgbImage& image) {
    return Encode(image.width, image.height, 3, image.pixels.data());
}

std::vector<uint8_t> EncodePngRgba(int32_t width, int32_t height,
                                   const std::vector<uint8_t>& rgba) {
    if (rgba.size() != static_cast<size_t>(width) * height * 4) {
        throw std::runtime_error("RGBA picture size does not match its dimensions");
    }
    return Encode(width, height, 4, rgba.data());
}

}  // namespace vantrell::tools
