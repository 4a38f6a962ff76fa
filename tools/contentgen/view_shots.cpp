#include "view_shots.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <string>

#include "common/file_bytes.h"
#include "gfx/bitmap8.h"
#include "gfx/frame_layout.h"
#include "race/view.h"
#include "race/view_tables.h"
#include "stage_picture.h"

namespace vantrell::contentgen {

namespace {

constexpr int32_t kShotScale = 3;
constexpr int32_t kBandRows = kBandHeight;
constexpr int32_t kFrameRows = kFrameHeight;

const ViewTables& Tables() {
    static const ViewTables tables = [] {
        ViewTables t;
        t.BuildGroundTable();
        t.BuildLiftTable();
        return t;
    }();
    return tables;
}

RoutePoint RouteAt(const Stage& stage, double s) {
    const auto it = std::lower_bound(stage.route.begin(), stage.route.end(), s,
                                     [](const RoutePoint& p, double v) { return p.s < v; });
    return it == stage.route.end() ? stage.route.back() : *it;
}

}  // namespace

tools::RgbImage RenderShot(const BuiltStage& b, const SpriteSheet& sheet,
                           const std::vector<uint8_t>& stamped, double s) {
    const RoutePoint p = RouteAt(b.stage, s);
    const RoutePoint ahead = RouteAt(b.stage, s + 6.0);
    const int32_t x = ((static_cast<int32_t>(std::floor(p.x)) % 400) + 400) % 400;
    const int32_t y = static_cast<int32_t>(std::floor(p.y));
    const double angle = std::atan2(ahead.y - p.y, ahead.x - p.x);
    const int32_t heading =
        ((static_cast<int32_t>(std::lround(angle / (2.0 * std::numbers::pi / 64.0))) % 64) + 64) %
        64;

    Terrain terrain;
    std::memcpy(terrain.Field(), b.terrain->Field(), sizeof(int32_t) * kFieldWidth * kFieldRows);
    Bitmap8 picture;
    picture.Resize(kPictureWidth, kPictureHeight);
    for (int32_t row = 0; row < kPictureHeight; ++row) {
        std::memcpy(picture.PixelAddress(0, row),
                    &stamped[static_cast<size_t>(row) * kPictureWidth], kPictureWidth);
    }
    // The craft as the race stamps it: its hull on the ground it stands on.
    const int32_t ground = terrain.HeightAt(x, y);
    const int32_t frame = heading / 2;
    for (int32_t r = 0; r < kFrameSize; ++r) {
        for (int32_t c = 0; c < kFrameSize; ++c) {
            const uint8_t colour = sheet.colour[frame][r][c];
            const int32_t cx = x - 8 + c;
            if (colour == kTransparent || cx < 0 || cx >= kFieldWidth) {
                continue;
            }
            terrain.Field()[FieldIndex(cx, y - 8 + r)] = sheet.height[frame][r][c] + ground;
            *picture.PixelAddress(cx, y - 8 + r + kPictureRowOffset) = colour;
        }
    }
    Bitmap8 frameBuffer;
    frameBuffer.Resize(kFrameWidth, kFrameRows);
    std::memset(frameBuffer.Pixels(), 0, static_cast<size_t>(frameBuffer.PixelBytes()));
    RenderView(Tables(), picture, terrain, frameBuffer, x, y, heading, terrain.HeightAt(x, y));

    tools::RgbImage image(kFrameWidth * kShotScale, kBandRows * kShotScale);
    for (int32_t r = 0; r < kBandRows; ++r) {
        for (int32_t c = 0; c < kFrameWidth; ++c) {
            const Rgb rgb = b.palette[frameBuffer.GetPixel(c, kBandTop + r)];
            for (int32_t a = 0; a < kShotScale; ++a) {
                for (int32_t d = 0; d < kShotScale; ++d) {
                    image.Set(c * kShotScale + a, r * kShotScale + d, rgb.r, rgb.g, rgb.b);
                }
            }
        }
    }
    return image;
}

void WriteViewShots(const BuiltStage& b, const SpriteSheet& sheet,
                    const std::vector<uint8_t>& stamped, const std::string& prefix) {
    constexpr int32_t kShots = 4;
    const double lap = b.stage.routeLength / std::max(1, b.stage.design.laps);
    tools::RgbImage strip(kFrameWidth * kShotScale * kShots + 4 * (kShots - 1),
                          kBandRows * kShotScale);
    strip.Fill(20, 20, 24);
    for (int32_t k = 0; k < kShots; ++k) {
        const tools::RgbImage shot = RenderShot(b, sheet, stamped, 5.0 + lap * k / kShots);
        const int32_t left = k * (shot.width + 4);
        for (int32_t y = 0; y < shot.height; ++y) {
            for (int32_t x = 0; x < shot.width; ++x) {
                const uint8_t* p = &shot.pixels[(static_cast<size_t>(y) * shot.width + x) * 3];
                strip.Set(left + x, y, p[0], p[1], p[2]);
            }
        }
    }
    tools::WriteFileBytes(prefix + "-strip.png", tools::EncodePng(strip));
}

}  // namespace vantrell::contentgen
