// Driver's-eye pictures of a stage, rendered with the game's own view renderer, for review.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/png_writer.h"
#include "course.h"
#include "palette.h"
#include "sprites.h"
#include "world/terrain.h"

namespace vantrell::contentgen {

// A stage laid out, its terrain built and its picture painted (objects not yet stamped).
struct BuiltStage {
    Stage stage;
    Palette palette;
    std::unique_ptr<Terrain> terrain;
    std::vector<uint8_t> picture;
};

// Lays out, builds and paints the stage a design describes.
BuiltStage BuildStage(const StageDesign& design, const SpriteSheet& sheet);

// The view from route distance s, looking along the route, with the red craft stamped in as
// the race does; the shown band is scaled three times.
tools::RgbImage RenderShot(const BuiltStage& b, const SpriteSheet& sheet,
                           const std::vector<uint8_t>& stamped, double s);

// Writes <prefix>-<k>.png for a few points along the route, and <prefix>-strip.png with them side
// by side.
void WriteViewShots(const BuiltStage& b, const SpriteSheet& sheet,
                    const std::vector<uint8_t>& stamped, const std::string& prefix);

}  // namespace vantrell::contentgen
