// Colour plan of every stage picture (indices 10..245 are the stage's own colours):
//   10..73   a block shared by all stages, used by the sprites (craft, marker, objects);
//   74..233  ten terrain materials of 16 shades each, chosen per stage;
//   234..245 per-stage accents (kerbs, start line, markings).
// Entries 0..9 and 246..255 belong to the system; the pictures never use them (nor 255).
#pragma once

#include <array>
#include <cstdint>

namespace vantrell::contentgen {

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
};

using Palette = std::array<Rgb, 256>;

// Shared sprite colours.
constexpr uint8_t kOutline = 10;
constexpr uint8_t kRedRamp = 11;   // 8 shades, dark to light
constexpr uint8_t kBlueRamp = 19;  // 8 shades
constexpr uint8_t kGreyRamp = 27;  // 8 shades
constexpr uint8_t kBeacon = 35;    // 4: dark orange, orange, yellow, pale yellow
constexpr uint8_t kWhite = 39;
constexpr uint8_t kGreenRamp = 40;  // 10 shades
constexpr uint8_t kBarkRamp = 50;   // 4 shades
constexpr uint8_t kStoneRamp = 54;  // 6 shades, warm grey
constexpr uint8_t kRoofRamp = 60;   // 4 shades, terracotta
constexpr uint8_t kGlassRamp = 64;  // 4 shades, cyan glass
constexpr uint8_t kIceRamp = 68;    // 4 shades, bluish white
constexpr uint8_t kLavaRamp = 72;   // 2 shades: ember, glow

constexpr int32_t kMaterialCount = 10;
constexpr int32_t kShades = 16;
constexpr uint8_t kMaterialBase = 74;
constexpr uint8_t kAccentBase = 234;
constexpr int32_t kAccentCount = 12;

// Terrain materials (their colours differ per stage).
enum Material : int32_t {
    kTrack = 0,
    kTrackAlt = 1,
    kGroundLow = 2,
    kGroundHigh = 3,
    kRock = 4,
    kSpecial = 5,  // sand, snow, ice, ash: what the high or flat ground turns into
    kOutside = 6,  // the plain or water beyond the ramps
    kOutsideAlt = 7,
    kCliff = 8,   // the ramps falling away from the course
    kDetail = 9,  // flowers, stones, cracks
};

// Accents, per stage.
enum Accent : int32_t {
    kKerbA = 0,
    kKerbB = 1,
    kLineLight = 2,
    kLineDark = 3,
    kArrow = 4,
    kShadow = 5,
};

constexpr uint8_t MaterialColour(int32_t material, int32_t shade) {
    return static_cast<uint8_t>(kMaterialBase + material * kShades +
                                (shade < 0 ? 0 : (shade > 15 ? 15 : shade)));
}
constexpr uint8_t AccentColour(int32_t accent) {
    return static_cast<uint8_t>(kAccentBase + accent);
}

// The full colour table of stage 0..4 (system entries filled with the usual static colours).
Palette StagePalette(int32_t stage);

}  // namespace vantrell::contentgen
