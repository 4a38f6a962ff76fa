// The course objects' shapes: trees, buildings, rocks and the low things added onto the ground.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "common/prng.h"
#include "palette.h"
#include "sprite_shapes.h"

namespace vantrell::contentgen::shapes {

Pixel Conifer(double dx, double dy, bool snowy) {
    const double r = std::hypot(dx, dy);
    const double a = std::atan2(dy, dx);
    const double edge = 5.2 + 2.2 * std::cos(a * 8.0);  // eight-pointed star of branches
    if (r > edge || r > 7.7) {
        return {};
    }
    const double lit = Light(dx / 7.0, dy / 7.0);
    const int32_t h = static_cast<int32_t>(std::lround(28.0 - r * 3.0));
    if (snowy && std::fmod(r + 0.4 * std::cos(a * 5.0), 2.6) < 1.0) {
        return {Shade(kIceRamp, 4, lit), h};
    }
    const double ring = std::fmod(r, 2.4) / 2.4;  // layered boughs
    return {Shade(kGreenRamp, 10, 0.1 + 0.5 * lit + 0.25 * (1.0 - ring) - r * 0.02), h};
}

Pixel Broadleaf(double dx, double dy) {
    // Three overlapping crowns.
    const double c1 = std::hypot(dx + 1.8, dy + 1.2) / 5.2;
    const double c2 = std::hypot(dx - 2.2, dy + 0.6) / 4.6;
    const double c3 = std::hypot(dx - 0.2, dy - 2.6) / 4.8;
    const double m = std::min({c1, c2, c3});
    if (m > 1.0) {
        return {};
    }
    const double bump = 0.5 + 0.5 * std::sin(dx * 2.1) * std::cos(dy * 1.9);
    const double lit = Light(dx / 7.0, dy / 7.0);
    const int32_t h = static_cast<int32_t>(std::lround(22.0 - m * 8.0));
    return {Shade(kGreenRamp, 10, 0.25 + 0.5 * lit + 0.2 * bump - 0.2 * m), h};
}

Pixel Cactus(double dx, double dy) {
    const bool trunk = std::hypot(dx, dy) < 2.6;
    const bool armH = std::abs(dy) < 1.3 && std::abs(dx) < 6.5;
    const bool armV = std::abs(dx) < 1.3 && dy > -6.5 && dy < 2.0;
    if (!trunk && !armH && !armV) {
        return {};
    }
    const bool spine =
        (static_cast<int>(std::floor(dx + 8)) + static_cast<int>(std::floor(dy + 8))) % 3 == 0;
    const double lit = Light(dx / 6.0, dy / 6.0);
    return {Shade(kGreenRamp, 10, 0.35 + 0.4 * lit + (spine ? 0.2 : 0.0)), trunk ? 20 : 13};
}

Pixel Pylon(double dx, double dy) {
    const double ax = std::abs(dx);
    const double ay = std::abs(dy);
    const bool frame = std::max(ax, ay) < 6.6 && std::max(ax, ay) > 5.2;
    const bool brace = std::abs(ax - ay) < 0.9 && std::max(ax, ay) < 6.6;
    const bool cap = std::max(ax, ay) < 1.6;
    if (!frame && !brace && !cap) {
        return {};
    }
    const double m = std::max(ax, ay);
    const int32_t h = static_cast<int32_t>(std::lround(44.0 - m * 4.0));
    if (cap) {
        return {static_cast<uint8_t>(kRedRamp + 5), 46};  // warning light on top
    }
    return {Shade(kGreyRamp, 8, 0.3 + 0.5 * Light(dx / 7.0, dy / 7.0)), h};
}

Pixel House(double dx, double dy) {
    if (std::abs(dx) > 6.6 || std::abs(dy) > 5.4) {
        return {};
    }
    if (std::abs(dx) > 5.9 || std::abs(dy) > 4.7) {
        return {kOutline, 10};  // eaves
    }
    // Gabled roof, ridge along x: the north slope faces the light.
    const double ridge = 1.0 - std::abs(dy) / 4.7;
    const bool tile = static_cast<int>(std::floor(dx + 8)) % 2 == 0;
    const uint8_t c =
        dy < 0 ? Shade(kRoofRamp, 4, tile ? 1.0 : 0.75) : Shade(kRoofRamp, 4, tile ? 0.25 : 0.0);
    if (std::abs(dy) < 0.6) {
        return {kRoofRamp, 16};
    }
    return {c, static_cast<int32_t>(std::lround(11.0 + 5.0 * ridge))};
}

Pixel BlockBuilding(double dx, double dy) {
    const double m = std::max(std::abs(dx), std::abs(dy));
    if (m > 7.6) {
        return {};
    }
    if (m > 6.6) {
        return {Shade(kGreyRamp, 8, 0.2), 28};  // parapet
    }
    const bool vent = std::hypot(dx - 2.5, dy - 2.5) < 1.6 || std::hypot(dx + 3.0, dy - 3.0) < 1.2;
    if (vent) {
        return {Shade(kGreyRamp, 8, 0.85), 30};
    }
    const bool skylight = std::abs(dx + 2.0) < 1.6 && std::abs(dy + 2.5) < 2.6;
    if (skylight) {
        return {Shade(kGlassRamp, 4, 0.6), 27};
    }
    return {Shade(kGreyRamp, 8, 0.5 + ((static_cast<int>(dx + 8) % 4 == 0) ? 0.08 : 0.0)), 26};
}

Pixel Silo(double dx, double dy) {
    const double r = std::hypot(dx, dy);
    if (r > 7.3) {
        return {};
    }
    if (r > 6.5) {
        return {Shade(kGreyRamp, 8, 0.15), 26};
    }
    const double lit = Light(dx / 7.0, dy / 7.0);
    const bool band = std::abs(r - 4.0) < 0.5;
    return {Shade(kGreyRamp, 8, band ? 0.3 : 0.35 + 0.6 * lit),
            static_cast<int32_t>(std::lround(32.0 - r * 0.8))};
}

Pixel Crates(double dx, double dy) {
    if (std::abs(dx) > 7.4 || std::abs(dy) > 7.4) {
        return {};
    }
    const int qx = dx < 0 ? 0 : 1;
    const int qy = dy < 0 ? 0 : 1;
    const bool tall = qx == qy;
    const double lx = dx - (qx == 0 ? -3.75 : 3.75);
    const double ly = dy - (qy == 0 ? -3.75 : 3.75);
    const bool edge = std::max(std::abs(lx), std::abs(ly)) > 2.9;
    const bool plank = std::abs(lx - ly) < 0.7 || std::abs(lx + ly) < 0.7;
    const double t = edge ? 0.1 : (plank ? 0.95 : (tall ? 0.7 : 0.45));
    return {Shade(kBarkRamp, 4, t), tall ? 14 : 8};
}

Pixel Monolith(double dx, double dy) {
    const double v = std::pow(std::abs(dx) / 3.6, 3.0) + std::pow(std::abs(dy) / 6.6, 3.0);
    if (v > 1.0) {
        return {};
    }
    const double lit = Light(dx / 4.0, dy / 7.0);
    return {Shade(kStoneRamp, 6, 0.2 + 0.7 * lit), 32};
}

Pixel IceSpire(double dx, double dy) {
    const double a = std::atan2(dy, dx);
    const double r = std::hypot(dx, dy);
    const double edge =
        6.4 / (std::cos(std::fmod(std::abs(a), std::numbers::pi / 3.0) - std::numbers::pi / 6.0) *
               1.1547);
    if (r > edge * 0.97) {
        return {};
    }
    const int facet = static_cast<int>((a + std::numbers::pi) / (std::numbers::pi / 3.0)) % 6;
    const double t = (facet == 3 || facet == 4) ? 0.95 : (facet == 0 || facet == 1 ? 0.3 : 0.6);
    return {r < 1.2 ? kWhite : Shade(kIceRamp, 4, t),
            static_cast<int32_t>(std::lround(36.0 - r * 4.2))};
}

Pixel LightMast(double dx, double dy) {
    const double r = std::hypot(dx, dy);
    if (r < 1.7) {
        return {static_cast<uint8_t>(kBeacon + 3), 38};
    }
    if (std::max(std::abs(dx), std::abs(dy)) < 3.0) {
        return {Shade(kGreyRamp, 8, 0.4), 34};
    }
    return {};
}

Pixel DeadTree(double dx, double dy) {
    const double r = std::hypot(dx, dy);
    const double a = std::atan2(dy, dx);
    // Five crooked branches.
    const double branch = std::abs(std::sin((a + 0.25 * r * 0.3) * 2.5));
    if (r < 1.8 || (r < 7.2 && branch < 0.2 + 0.25 / (r + 0.5))) {
        return {Shade(kBarkRamp, 4, r < 1.8 ? 0.7 : 0.35),
                static_cast<int32_t>(std::lround(18.0 - r * 1.8))};
    }
    return {};
}

Pixel RockSpire(double dx, double dy) {
    const double a = std::atan2(dy, dx);
    const double r = std::hypot(dx, dy);
    const double edge = 6.3 + 0.9 * std::sin(a * 3.0 + 0.7) + 0.5 * std::cos(a * 5.0);
    if (r > edge) {
        return {};
    }
    const double lit = Light(dx / 7.0, dy / 7.0);
    const double crack = std::abs(std::sin(a * 7.0)) < 0.12 ? -0.25 : 0.0;
    return {Shade(kStoneRamp, 6, 0.15 + 0.75 * lit + crack),
            static_cast<int32_t>(std::lround(38.0 - r * 4.0))};
}

Pixel Palm(double dx, double dy) {
    const double r = std::hypot(dx, dy);
    const double a = std::atan2(dy, dx);
    const double frond = std::abs(std::cos(a * 3.5));
    if (r < 1.4) {
        return {Shade(kBarkRamp, 4, 0.8), 20};
    }
    if (r < 7.4 && frond > 0.55 + r * 0.03) {
        return {Shade(kGreenRamp, 10, 0.3 + 0.5 * frond * Light(dx / 7.0, dy / 7.0) + 0.2),
                static_cast<int32_t>(std::lround(20.0 - r * 1.6))};
    }
    return {};
}

Pixel Container(double dx, double dy) {
    if (std::abs(dx) > 7.4 || std::abs(dy) > 3.4) {
        return {};
    }
    const bool rib = static_cast<int>(std::floor(dx + 8.0)) % 2 == 0;
    const bool end = std::abs(dx) > 6.6;
    return {end ? kOutline : Shade(kBlueRamp, 8, rib ? 0.55 : 0.4), 13};
}

Pixel Boulder(double dx, double dy, double size, int32_t top) {
    const double a = std::atan2(dy, dx);
    const double r = std::hypot(dx, dy);
    const double edge = size * (1.0 + 0.12 * std::sin(a * 3.0 + 1.1) + 0.08 * std::cos(a * 5.0));
    if (r > edge) {
        return {};
    }
    const double lit = Light(dx / size, dy / size);
    const double q = r / edge;
    return {Shade(kStoneRamp, 6, 0.15 + 0.75 * lit * (1.0 - 0.3 * q)),
            static_cast<int32_t>(std::lround(top * std::sqrt(std::max(0.0, 1.0 - q * q)) + 1.0))};
}

Pixel Stones(double dx, double dy) {
    const double centres[4][3] = {
        {-3.5, -3.0, 2.6}, {3.0, -2.5, 2.2}, {-1.0, 3.5, 2.9}, {4.2, 3.8, 1.6}};
    for (const auto& c : centres) {
        const double x = dx - c[0];
        const double y = dy - c[1];
        const double q = std::hypot(x, y) / c[2];
        if (q <= 1.0) {
            return {Shade(kStoneRamp, 6, 0.2 + 0.7 * Light(x / c[2], y / c[2])),
                    static_cast<int32_t>(std::lround(6.0 * std::sqrt(1.0 - q * q) + 1.0))};
        }
    }
    return {};
}

Pixel Mound(double dx, double dy) {
    const double q = std::hypot(dx, dy) / 7.6;
    if (q > 1.0) {
        return {};
    }
    const double lit = Light(dx / 7.6, dy / 7.6);
    const bool tuft = (static_cast<int>(std::floor((dx + 8.0) * 1.7)) * 7 +
                       static_cast<int>(std::floor((dy + 8.0) * 1.3)) * 3) %
                          5 ==
                      0;
    return {Shade(kGreenRamp, 10, 0.2 + 0.6 * lit + (tuft ? 0.15 : 0.0)),
            static_cast<int32_t>(std::lround(8.0 * (1.0 - q * q) + 1.0))};
}

Pixel Dune(double dx, double dy) {
    const double q = std::pow(std::abs(dx) / 7.6, 2.0) + std::pow(std::abs(dy) / 5.0, 2.0);
    if (q > 1.0) {
        return {};
    }
    const double ripple = std::sin(dx * 1.6) * 0.15;
    return {Shade(kStoneRamp, 6, 0.75 + 0.25 * Light(dx / 7.6, dy / 5.0) - 0.1 + ripple),
            static_cast<int32_t>(std::lround(6.0 * (1.0 - q) + 1.0))};
}

Pixel IceBlock(double dx, double dy) {
    const double m = std::max(std::abs(dx + 0.3 * dy), std::abs(dy - 0.3 * dx));
    if (m > 6.2) {
        return {};
    }
    const double t = m > 5.2 ? 0.2 : 0.55 + 0.4 * Light(dx / 6.0, dy / 6.0);
    return {Shade(kIceRamp, 4, t), 10};
}

Pixel LavaRock(double dx, double dy) {
    Pixel p = Boulder(dx, dy, 6.6, 12);
    if (p.colour == kTransparent) {
        return p;
    }
    const double crack = std::abs(std::sin(dx * 1.3 + dy * 0.7) * std::cos(dy * 1.1 - dx * 0.4));
    if (crack < 0.12) {
        p.colour = kLavaRamp + 1;
    } else if (crack < 0.22) {
        p.colour = kLavaRamp;
    } else {
        p.colour = Shade(kGreyRamp, 8, 0.05 + 0.25 * Light(dx / 6.6, dy / 6.6));
    }
    return p;
}

Pixel Logs(double dx, double dy) {
    for (int k = 0; k < 3; ++k) {
        const double cy = -4.4 + 4.4 * k;
        if (std::abs(dy - cy) < 2.0 && std::abs(dx) < 7.0) {
            const bool endGrain = std::abs(dx) > 6.0;
            return {Shade(kBarkRamp, 4, endGrain ? 1.0 : 0.3 + 0.4 * (cy - dy + 2.0) / 4.0),
                    k == 1 ? 8 : 5};
        }
    }
    return {};
}

Pixel SnowDrift(double dx, double dy) {
    const double q =
        std::pow(std::abs(dx) / 7.6, 2.0) + std::pow(std::abs(dy + 0.3 * dx) / 4.6, 2.0);
    if (q > 1.0) {
        return {};
    }
    return {Shade(kIceRamp, 4, 0.4 + 0.6 * Light(dx / 7.6, dy / 4.6)),
            static_cast<int32_t>(std::lround(7.0 * (1.0 - q) + 1.0))};
}

Pixel HayBale(double dx, double dy) {
    const double r = std::hypot(dx, dy);
    if (r > 6.0) {
        return {};
    }
    const bool ring = std::fmod(r, 1.6) < 0.6;
    return {Shade(kBeacon, 4, ring ? 0.35 : 0.6), 9};
}

Pixel Barrels(double dx, double dy) {
    const double centres[3][2] = {{-3.0, -2.5}, {3.2, -2.2}, {0.0, 3.4}};
    for (const auto& c : centres) {
        const double r = std::hypot(dx - c[0], dy - c[1]);
        if (r < 3.2) {
            const bool rim = r > 2.5;
            return {
                rim ? static_cast<uint8_t>(kRedRamp + 1)
                    : Shade(kRedRamp, 8, 0.4 + 0.5 * Light((dx - c[0]) / 3.0, (dy - c[1]) / 3.0)),
                8};
        }
    }
    return {};
}

Pixel Hump(double dx, double dy) {
    if (std::abs(dx) > 3.0 || std::abs(dy) > 7.6) {
        return {};
    }
    const bool stripe = static_cast<int>(std::floor(dy + 8.0)) % 4 < 2;
    return {stripe ? kWhite : static_cast<uint8_t>(kBeacon + 2),
            static_cast<int32_t>(std::lround(4.0 * (1.0 - std::abs(dx) / 3.0) + 1.0))};
}

Pixel Bush(double dx, double dy) {
    const double a = std::atan2(dy, dx);
    const double r = std::hypot(dx, dy);
    if (r > 5.6 + 1.2 * std::sin(a * 6.0)) {
        return {};
    }
    const double lit = Light(dx / 6.0, dy / 6.0);
    return {Shade(kGreenRamp, 10, 0.15 + 0.55 * lit + 0.1 * std::sin(dx * 3.0 + dy * 2.0)),
            static_cast<int32_t>(std::lround(6.0 - r * 0.6))};
}

Pixel Tyres(double dx, double dy) {
    const double centres[4][2] = {{-3.4, -3.4}, {3.4, -3.4}, {-3.4, 3.4}, {3.4, 3.4}};
    for (const auto& c : centres) {
        const double r = std::hypot(dx - c[0], dy - c[1]);
        if (r < 3.6) {
            if (r < 1.3) {
                return {kOutline, 3};
            }
            return {Shade(kGreyRamp, 8, r > 3.0 ? 0.0 : 0.15), 7};
        }
    }
    return {};
}

Pixel Crater(double dx, double dy) {
    const double r = std::hypot(dx, dy);
    if (r > 7.6 || r < 3.2) {
        return {};
    }
    const double lit = Light(dx / r, dy / r);
    return {Shade(kStoneRamp, 6, 0.1 + 0.8 * lit),
            static_cast<int32_t>(std::lround(7.0 - std::abs(r - 5.4) * 2.6))};
}

}  // namespace vantrell::contentgen::shapes
