// The shapes the sprite sheet is drawn from: each gives a pixel's colour and height at (dx, dy)
// from the frame's centre. Shared by the craft and marker frames and the course objects.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "sprites.h"

namespace vantrell::contentgen {

struct Pixel {
    uint8_t colour = kTransparent;
    int32_t height = 0;
};

inline uint8_t Shade(uint8_t first, int32_t count, double t) {
    const int32_t i = static_cast<int32_t>(std::lround(t * (count - 1)));
    return static_cast<uint8_t>(first + std::clamp(i, 0, count - 1));
}

// Light falls from the upper left: surfaces facing that way are brighter.
inline double Light(double nx, double ny) {
    return std::clamp(0.55 - 0.35 * (nx + ny), 0.0, 1.0);
}

// Course objects, in object_sprites.cpp.
namespace shapes {

Pixel Conifer(double dx, double dy, bool snowy);
Pixel Broadleaf(double dx, double dy);
Pixel Cactus(double dx, double dy);
Pixel Pylon(double dx, double dy);
Pixel House(double dx, double dy);
Pixel BlockBuilding(double dx, double dy);
Pixel Silo(double dx, double dy);
Pixel Crates(double dx, double dy);
Pixel Monolith(double dx, double dy);
Pixel IceSpire(double dx, double dy);
Pixel LightMast(double dx, double dy);
Pixel DeadTree(double dx, double dy);
Pixel RockSpire(double dx, double dy);
Pixel Palm(double dx, double dy);
Pixel Container(double dx, double dy);
Pixel Boulder(double dx, double dy, double size, int32_t top);
Pixel Stones(double dx, double dy);
Pixel Mound(double dx, double dy);
Pixel Dune(double dx, double dy);
Pixel IceBlock(double dx, double dy);
Pixel LavaRock(double dx, double dy);
Pixel Logs(double dx, double dy);
Pixel SnowDrift(double dx, double dy);
Pixel HayBale(double dx, double dy);
Pixel Barrels(double dx, double dy);
Pixel Hump(double dx, double dy);
Pixel Bush(double dx, double dy);
Pixel Tyres(double dx, double dy);
Pixel Crater(double dx, double dy);

}  // namespace shapes

}  // namespace vantrell::contentgen
