// Writes 24-bit RGB pictures as PNG files (one IDAT, no filtering), for review pictures and icons.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vantrell::tools {

// An RGB picture, row-major from the top, three bytes per pixel.
struct RgbImage {
    RgbImage() = default;
    RgbImage(int32_t w, int32_t h) : width(w), height(h), pixels(static_cast<size_t>(w) * h * 3) {}

    void Set(int32_t x, int32_t y, uint8_t r, uint8_t g, uint8_t b);
    void Fill(uint8_t r, uint8_t g, uint8_t b);

    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;
};

// Encodes the picture as PNG bytes; with alpha, the RGBA bytes come from rgba (four per pixel).
std::vector<uint8_t> EncodePng(const RgbImage& image);
std::vector<uint8_t> EncodePngRgba(int32_t width, int32_t height, const std::vector<uint8_t>& rgba);

}  // namespace vantrell::tools
