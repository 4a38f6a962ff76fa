#include "sprites.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

#include "common/prng.h"
#include "palette.h"
#include "sprite_shapes.h"

namespace vantrell::contentgen {

namespace {

// Evaluated at the centre of each pixel, with (dx, dy) measured from the frame's centre.
using Shape = std::function<Pixel(double dx, double dy)>;

void DrawFrame(SpriteSheet& sheet, int32_t frame, const Shape& shape) {
    for (int32_t r = 0; r < kFrameSize; ++r) {
        for (int32_t c = 0; c < kFrameSize; ++c) {
            const Pixel p = shape(c - 7.5, r - 7.5);
            const bool opaque = p.colour != kTransparent;
            sheet.colour[frame][r][c] = p.colour;
            // Every opaque cell stands at least one unit up; transparent cells have no height.
            sheet.height[frame][r][c] = opaque ? std::max(p.height, 1) : 0;
        }
    }
}

// ---- Craft ---------------------------------------------------------------------------------

Pixel CraftPixel(double dx, double dy, double angle, uint8_t ramp) {
    const double cs = std::cos(angle);
    const double sn = std::sin(angle);
    // Local frame: u forward along the heading, v to the right.
    const double u = dx * cs + dy * sn;
    const double v = -dx * sn + dy * cs;
    const double body = std::pow(std::abs(u) / 7.2, 2.4) + std::pow(std::abs(v) / 4.9, 2.4);
    const bool fin = u < -3.5 && u > -7.6 && std::abs(v) > 3.0 && std::abs(v) < 6.2;
    if (body > 1.0 && !fin) {
        return {};
    }
    if (fin) {
        return {static_cast<uint8_t>(ramp + 1), 2};
    }
    if (body > 0.62) {
        return {kOutline, 2};  // the air skirt
    }
    const double cockpit = std::pow((u - 1.6) / 2.7, 2.0) + std::pow(v / 2.0, 2.0);
    if (cockpit <= 1.0) {
        const double lit = Light(dx / 3.0, dy / 3.0);
        return {Shade(kGlassRamp, 4, lit * 0.9 + (cockpit < 0.3 ? 0.3 : 0.0)), 4};
    }
    if (std::abs(v) < 0.8 && u < -0.6) {
        return {kWhite, 3};  // racing stripe
    }
    const double lit = Light(dx / 7.0, dy / 7.0);
    return {Shade(ramp, 8, 0.25 + 0.6 * lit), 3};
}

// ---- Marker --------------------------------------------------------------------------------

Pixel MarkerPixel(double dx, double dy) {
    const double r = std::hypot(dx, dy);
    if (r > 7.6) {
        return {};
    }
    if (r < 2.6) {
        return {static_cast<uint8_t>(r < 1.3 ? kWhite : kBeacon + 3), 46};
    }
    if (r > 6.6) {
        return {kOutline, 10};
    }
    // Four bright quarters and four orange ones, like a rotating lamp seen from above.
    const double a = std::atan2(dy, dx) + std::numbers::pi;
    const int quarter = static_cast<int>(a / (std::numbers::pi / 4.0)) % 2;
    const int32_t h = static_cast<int32_t>(std::lround(34.0 - (r - 2.6) * 5.0));
    return {static_cast<uint8_t>(quarter == 0 ? kBeacon + 2 : kBeacon + 1), h};
}

}  // namespace

SpriteSheet DrawSpriteSheet() {
    using namespace shapes;
    SpriteSheet sheet{};
    for (auto& frame : sheet.colour) {
        for (auto& row : frame) {
            row.fill(kTransparent);
        }
    }
    // Craft: frame f points along heading 2f, i.e. angle f * 2 pi / 32 from +x towards +y (down).
    for (int32_t f = 0; f < 32; ++f) {
        const double angle = f * 2.0 * std::numbers::pi / 32.0;
        DrawFrame(sheet, f,
                  [angle](double dx, double dy) { return CraftPixel(dx, dy, angle, kRedRamp); });
        DrawFrame(sheet, kBlueCraftFrame + f,
                  [angle](double dx, double dy) { return CraftPixel(dx, dy, angle, kBlueRamp); });
    }
    DrawFrame(sheet, kMarkerFrame, MarkerPixel);
    DrawFrame(sheet, kConifer, [](double dx, double dy) { return Conifer(dx, dy, false); });
    DrawFrame(sheet, kBroadleaf, Broadleaf);
    DrawFrame(sheet, kSnowConifer, [](double dx, double dy) { return Conifer(dx, dy, true); });
    DrawFrame(sheet, kCactus, Cactus);
    DrawFrame(sheet, kPylon, Pylon);
    DrawFrame(sheet, kHouse, House);
    DrawFrame(sheet, kBlockBuilding, BlockBuilding);
    DrawFrame(sheet, kSilo, Silo);
    DrawFrame(sheet, kCrates, Crates);
    DrawFrame(sheet, kMonolith, Monolith);
    DrawFrame(sheet, kIceSpire, IceSpire);
    DrawFrame(sheet, kLightMast, LightMast);
    DrawFrame(sheet, kDeadTree, DeadTree);
    DrawFrame(sheet, kRockSpire, RockSpire);
    DrawFrame(sheet, kPalm, Palm);
    DrawFrame(sheet, kContainer, Container);
    DrawFrame(sheet, kBoulder, [](double dx, double dy) { return Boulder(dx, dy, 5.6, 9); });
    DrawFrame(sheet, kStones, Stones);
    DrawFrame(sheet, kMound, Mound);
    DrawFrame(sheet, kDune, Dune);
    DrawFrame(sheet, kIceBlock, IceBlock);
    DrawFrame(sheet, kLavaRock, LavaRock);
    DrawFrame(sheet, kLogs, Logs);
    DrawFrame(sheet, kSnowDrift, SnowDrift);
    DrawFrame(sheet, kHayBale, HayBale);
    DrawFrame(sheet, kBarrels, Barrels);
    DrawFrame(sheet, kHump, Hump);
    DrawFrame(sheet, kBigBoulder, [](double dx, double dy) { return Boulder(dx, dy, 7.4, 16); });
    DrawFrame(sheet, kBush, Bush);
    DrawFrame(sheet, kTyres, Tyres);
    DrawFrame(sheet, kCrater, Crater);
    return sheet;
}

}  // namespace vantrell::contentgen
