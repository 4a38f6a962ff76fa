#include "overview.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <string>

#include "stage_picture.h"

namespace vantrell::contentgen {

namespace {

// 3 x 5 glyphs, one row per 3-bit group, top row first.
uint16_t Glyph(char ch) {
    switch (ch) {
        case '0':
            return 0b111101101101111;
        case '1':
            return 0b010110010010111;
        case '2':
            return 0b111001111100111;
        case '3':
            return 0b111001111001111;
        case '4':
            return 0b101101111001001;
        case '5':
            return 0b111100111001111;
        case '6':
            return 0b111100111101111;
        case '7':
            return 0b111001010010010;
        case '8':
            return 0b111101111101111;
        case '9':
            return 0b111101111001111;
        case 'S':
            return 0b111100111001111;
        case 'T':
            return 0b111010010010010;
        case 'A':
            return 0b010101111101101;
        case 'R':
            return 0b110101110101101;
        default:
            return 0;
    }
}

constexpr int32_t kMarginRows = 24;

}  // namespace

void DrawLabel(tools::RgbImage& image, int32_t x, int32_t y, const char* text, int32_t scale,
               Rgb ink) {
    const int32_t n = static_cast<int32_t>(std::strlen(text));
    for (int pass = 0; pass < 2; ++pass) {
        for (int32_t k = 0; k < n; ++k) {
            const uint16_t g = Glyph(text[k]);
            for (int32_t gy = 0; gy < 5; ++gy) {
                for (int32_t gx = 0; gx < 3; ++gx) {
                    if (((g >> (14 - (gy * 3 + gx))) & 1) == 0) {
                        continue;
                    }
                    const int32_t px = x + (k * 4 + gx) * scale;
                    const int32_t py = y + gy * scale;
                    for (int32_t a = -1; a <= scale; ++a) {
                        for (int32_t b = -1; b <= scale; ++b) {
                            const bool core = a >= 0 && b >= 0 && a < scale && b < scale;
                            if (pass == 0 && !core) {
                                image.Set(px + a, py + b, 0, 0, 0);
                            } else if (pass == 1 && core) {
                                image.Set(px + a, py + b, ink.r, ink.g, ink.b);
                            }
                        }
                    }
                }
            }
        }
    }
}

tools::RgbImage DrawOverview(const Stage& stage, const std::vector<uint8_t>& picture,
                             const Palette& palette, int32_t scale) {
    const int32_t rows = 400 + 2 * kMarginRows;
    tools::RgbImage image(kPictureWidth * scale, rows * scale);
    for (int32_t r = 0; r < rows; ++r) {
        const int32_t pictureRow = r - kMarginRows + kPictureRowOffset;
        for (int32_t x = 0; x < kPictureWidth; ++x) {
            const Rgb c = palette[picture[static_cast<size_t>(pictureRow) * kPictureWidth + x]];
            for (int32_t a = 0; a < scale; ++a) {
                for (int32_t b = 0; b < scale; ++b) {
                    image.Set(x * scale + a, r * scale + b, c.r, c.g, c.b);
                }
            }
        }
    }
    // The route, as a faint dotted line.
    for (size_t i = 0; i < stage.route.size(); i += 3) {
        const RoutePoint& p = stage.route[i];
        const int32_t x = ((static_cast<int32_t>(std::floor(p.x)) % 400) + 400) % 400;
        const int32_t y = static_cast<int32_t>(std::floor(p.y)) + kMarginRows;
        image.Set(x * scale + scale / 2, y * scale + scale / 2, 255, 255, 255);
    }
    for (int32_t k = 0; k < kCheckpointCount; ++k) {
        const Checkpoint& c = stage.checkpoints[static_cast<size_t>(k)];
        const int32_t x0 = c.x * scale;
        const int32_t y0 = (c.y + kMarginRows) * scale;
        const int32_t w = 16 * scale;
        for (int32_t t = 0; t < w; ++t) {
            for (int32_t line = 0; line < std::max(1, scale / 2); ++line) {
                image.Set(x0 + t, y0 + line, 255, 230, 40);
                image.Set(x0 + t, y0 + w - 1 - line, 255, 230, 40);
                image.Set(x0 + line, y0 + t, 255, 230, 40);
                image.Set(x0 + w - 1 - line, y0 + t, 255, 230, 40);
            }
        }
        const std::string label = std::to_string(k + 1);
        DrawLabel(image, x0 + 2 * scale, y0 + 5 * scale, label.c_str(), std::max(1, scale),
                  Rgb{255, 255, 255});
    }
    DrawLabel(image, (kStartX - 6) * scale, (kStartY + kMarginRows - 16) * scale, "START",
              std::max(1, scale / 2 + 1), Rgb{120, 255, 120});
    return image;
}

std::vector<uint8_t> DrawIcon(int32_t size) {
    // A red craft banking over a green hill under a dusk sky, on a rounded badge.
    const Palette pal = StagePalette(0);
    std::vector<uint8_t> rgba(static_cast<size_t>(size) * size * 4, 0);
    const double scale = size / 64.0;
    for (int32_t y = 0; y < size; ++y) {
        for (int32_t x = 0; x < size; ++x) {
            const double u = (x + 0.5) / scale;
            const double v = (y + 0.5) / scale;
            // Rounded square mask.
            const double qx = std::max(0.0, std::abs(u - 32.0) - 22.0);
            const double qy = std::max(0.0, std::abs(v - 32.0) - 22.0);
            const double corner = std::hypot(qx, qy);
            if (corner > 9.5) {
                continue;
            }
            double r;
            double g;
            double b;
            const double hill = 40.0 + 6.0 * std::sin(u * 0.11 + 0.5) + 3.0 * std::cos(u * 0.23);
            if (v < hill) {
                const double t = v / hill;
                r = 40 + 190 * t;
                g = 50 + 110 * t;
                b = 120 + 20 * t;
            } else {
                const double t = (v - hill) / (64.0 - hill);
                r = 60 - 30 * t;
                g = 150 - 60 * t;
                b = 60 - 30 * t;
                if (std::abs(u - 32.0 - (v - hill) * 0.6) < 5.0 - t * 2.0) {
                    r = 200;
                    g = 176;
                    b = 120;  // the track
                }
            }
            if (corner > 8.0) {
                r *= 0.5;
                g *= 0.5;
                b *= 0.5;  // rim
            }
            // The craft, drawn with the sprite shapes at four times their size.
            const double angle = -0.45;
            const double dx = (u - 30.0) / 3.2;
            const double dy = (v - 34.0) / 3.2;
            const double cs = std::cos(angle);
            const double sn = std::sin(angle);
            const double cu = dx * cs + dy * sn;
            const double cv = -dx * sn + dy * cs;
            const double body =
                std::pow(std::abs(cu) / 7.2, 2.4) + std::pow(std::abs(cv) / 4.9, 2.4);
            if (body <= 1.0) {
                Rgb c = pal[kRedRamp + 5];
                if (body > 0.62) {
                    c = pal[kOutline];
                } else if (std::pow((cu - 1.6) / 2.7, 2.0) + std::pow(cv / 2.0, 2.0) <= 1.0) {
                    c = pal[kGlassRamp + 2];
                } else if (std::abs(cv) < 0.8 && cu < -0.6) {
                    c = pal[kWhite];
                } else if (dx + dy < -2.0) {
                    c = pal[kRedRamp + 6];
                }
                r = c.r;
                g = c.g;
                b = c.b;
            }
            uint8_t* p = &rgba[(static_cast<size_t>(y) * size + x) * 4];
            p[0] = static_cast<uint8_t>(std::clamp(r, 0.0, 255.0));
            p[1] = static_cast<uint8_t>(std::clamp(g, 0.0, 255.0));
            p[2] = static_cast<uint8_t>(std::clamp(b, 0.0, 255.0));
            p[3] = static_cast<uint8_t>(corner > 9.0 ? 128 : 255);
        }
    }
    return tools::EncodePngRgba(size, size, rgba);
}

}  // namespace vantrell::contentgen
