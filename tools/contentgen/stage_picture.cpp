#include "stage_picture.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "common/prng.h"
#include "gfx/bitmap8.h"
#include "palette.h"
#include "world/course_files.h"

namespace vantrell::contentgen {

namespace {

constexpr double kBayer[4][4] = {{0.0 / 16, 8.0 / 16, 2.0 / 16, 10.0 / 16},
                                 {12.0 / 16, 4.0 / 16, 14.0 / 16, 6.0 / 16},
                                 {3.0 / 16, 11.0 / 16, 1.0 / 16, 9.0 / 16},
                                 {15.0 / 16, 7.0 / 16, 13.0 / 16, 5.0 / 16}};

int32_t Wrap(int32_t x) {
    return ((x % kPictureWidth) + kPictureWidth) % kPictureWidth;
}

int32_t HeightOf(const Terrain& t, int32_t x, int32_t y) {
    if (y < kFieldLowestY || y > kFieldTopY) {
        return 0;
    }
    return t.Field()[FieldIndex(Wrap(x), y)];
}

double Noise(double x, double y, double cell, uint64_t seed) {
    return tools::PeriodicNoise(x, y, cell, kPictureWidth, seed);
}

double Fractal(double x, double y, uint64_t seed) {
    return 0.5 * Noise(x, y, 40.0, seed) + 0.3 * Noise(x, y, 16.0, seed + 1) +
           0.2 * Noise(x, y, 5.0, seed + 2);
}

struct Painter {
    const Stage& stage;
    const Terrain& terrain;
    int32_t index;
    uint64_t seed;
    double lapLength;

    // Light from the upper left; level ground in full light gives shade 9.
    // The course surface without the integer truncation of the game's build, so shading shows
    // the true slopes instead of one-unit contour steps.
    double SmoothHeight(double x, double y) const {
        if (y < 0.0 || y >= 400.0) {
            return HeightOf(terrain, static_cast<int32_t>(std::floor(x)),
                            static_cast<int32_t>(std::floor(y)));
        }
        x = std::fmod(std::fmod(x, 400.0) + 400.0, 400.0);
        const int32_t j = std::min(39, static_cast<int32_t>(x / 10.0));
        const int32_t i = std::min(39, static_cast<int32_t>(y / 10.0));
        const double kx = x - 10.0 * j;
        const double ky = y - 10.0 * i;
        const double a = stage.corners[i][j];
        const double b = stage.corners[i][j + 1];
        const double c = stage.corners[i + 1][j];
        const double d = stage.corners[i + 1][j + 1];
        switch (stage.types[i][j]) {
            case 1:
                return kx + ky < 10.0 ? (10 * a + kx * (b - a) + ky * (c - a)) / 10.0
                                      : (10 * (b + c - d) + kx * (d - c) + ky * (d - b)) / 10.0;
            case 2:
                return kx > ky ? (10 * a + kx * (b - a) + ky * (d - b)) / 10.0
                               : (10 * a + kx * (d - c) + ky * (c - a)) / 10.0;
            default:
                return (kx * ((10 - ky) * b + ky * d) + (10 - kx) * ((10 - ky) * a + ky * c)) /
                       100.0;
        }
    }

    double Lighting(int32_t x, int32_t y) const {
        const double gx = (SmoothHeight(x + 1.5, y + 0.5) - SmoothHeight(x - 0.5, y + 0.5)) * 0.5;
        const double gy = (SmoothHeight(x + 0.5, y + 1.5) - SmoothHeight(x + 0.5, y - 0.5)) * 0.5;
        const double nl = std::sqrt(gx * gx + gy * gy + 1.0);
        const double intensity = (gx + gy + 1.4) / (nl * std::sqrt(3.96));
        return std::clamp(9.0 + (intensity - 0.7035) * 12.0, 2.5, 15.0);
    }

    uint8_t Shaded(int32_t material, double shade, int32_t x, int32_t row) const {
        const int32_t s = static_cast<int32_t>(std::floor(shade + kBayer[row & 3][x & 3]));
        return MaterialColour(material, s);
    }

    uint8_t CoursePixel(int32_t x, int32_t y, int32_t row) const {
        const StageDesign& design = stage.design;
        const double d = stage.DistanceAt(x, y);
        const double s = stage.AlongAt(x, y);
        const double light = Lighting(x, y);
        const double grain = Fractal(x, y, seed);
        if (d < design.halfWidth - 3.0) {
            // Start line: a chequered band across the road just ahead of the start point.
            if (s > 10.0 && s < 16.0 && std::fmod(s, lapLength) < 16.0) {
                const bool check = ((x / 3) + (y / 3)) % 2 == 0;
                return AccentColour(check ? kLineLight : kLineDark);
            }
            return TrackPixel(x, y, row, d, s, light, grain);
        }
        if (d < design.halfWidth) {
            const bool stripe = static_cast<int32_t>(s / 7.0) % 2 == 0;
            return AccentColour(stripe ? kKerbA : kKerbB);
        }
        return GroundPixel(x, y, row, d, light, grain);
    }

    uint8_t TrackPixel(int32_t x, int32_t y, int32_t row, double d, double s, double light,
                       double grain) const {
        const double fine = tools::HashUnit(x, y, seed + 9);
        double shade = light + (grain - 0.5) * 1.6 + (fine - 0.5) * 0.8;
        int32_t material = kTrack;
        switch (index) {
            case 0:  // packed sand road with darker wheel ruts
                if (std::abs(d - stage.design.halfWidth * 0.45) < 2.5) {
                    material = kTrackAlt;
                }
                break;
            case 1:  // asphalt with a dashed centre line
            case 3:
                if (d < 1.0 && static_cast<int32_t>(s / 9.0) % 2 == 0) {
                    return AccentColour(kLineLight);
                }
                if (index == 3 && (x % 20 == 0 || y % 20 == 0)) {
                    material = kTrackAlt;  // joints between concrete slabs
                }
                break;
            case 2:  // polished ice with long scratches
                if (std::abs(std::sin(x * 0.21 + y * 0.05 + grain * 3.0)) < 0.08) {
                    material = kTrackAlt;
                    shade += 2.0;
                }
                break;
            default:  // basalt flags
                if (Noise(x, y, 7.0, seed + 5) < 0.18) {
                    material = kTrackAlt;
                    shade -= 1.5;
                }
                break;
        }
        return Shaded(material, shade, x, row);
    }

    uint8_t GroundPixel(int32_t x, int32_t y, int32_t row, double d, double light,
                        double grain) const {
        const StageDesign& design = stage.design;
        const int32_t h = HeightOf(terrain, x, y);
        const double gx = HeightOf(terrain, x + 1, y) - HeightOf(terrain, x - 1, y);
        const double gy = HeightOf(terrain, x, y + 1) - HeightOf(terrain, x, y - 1);
        const double steep = std::sqrt(gx * gx + gy * gy) * 0.5;
        const double rise =
            (h - design.floorBase) / std::max(1.0, design.wallHeight) + (grain - 0.5) * 0.5;
        double shade = light + (grain - 0.5) * 2.0 + (tools::HashUnit(x, y, seed + 3) - 0.5) * 1.0;
        int32_t material = kGroundLow;
        if (steep > 1.1 + grain * 0.6) {
            material = kRock;
        } else if (rise > 0.95) {
            material = kSpecial;
        } else if (rise > 0.45) {
            material = kGroundHigh;
        }
        if (d < design.halfWidth + 4.0 && material != kRock) {
            material = kGroundLow;  // a verge along the kerbs
            shade -= 0.5;
        }
        const double speck = tools::HashUnit(x, y, seed + 11);
        if (material != kRock && speck > 0.985) {
            material = kDetail;
        }
        return Shaded(material, shade, x, row);
    }

    uint8_t OutsidePixel(int32_t x, int32_t y, int32_t row) const {
        const int32_t h = HeightOf(terrain, x, y);
        const double grain = Fractal(x, y, seed + 20);
        if (h > 0) {
            // The ramps: steep falls of rock with strata.
            const double strata = std::sin(h * 0.9 + grain * 4.0) * 0.8;
            return Shaded(kCliff, Lighting(x, y) + strata + (grain - 0.5) * 2.0, x, row);
        }
        const int32_t edgeDistance = y < 0 ? -y : y - 399;
        switch (index) {
            case 0:
            case 2:
            case 3: {
                // Water (frozen in stage 2): ripples and a brighter band along the shore.
                const double ripple = std::sin(x * 0.35 + y * 0.9 + grain * 6.0);
                double shade = 8.0 + ripple * 1.2 + (grain - 0.5) * 3.0;
                if (edgeDistance < 80) {
                    shade += (80 - edgeDistance) * 0.02;
                }
                const int32_t m = ripple > 0.85 ? kOutsideAlt : kOutside;
                return Shaded(m, shade, x, row);
            }
            case 1: {
                // Dune sea: long wind ripples.
                const double dune = std::sin(x * 0.08 + y * 0.19 + grain * 5.0);
                return Shaded(dune > 0.3 ? kOutsideAlt : kOutside,
                              8.5 + dune * 2.5 + (grain - 0.5) * 2.0, x, row);
            }
            default: {
                // Lava fields: dark crust broken by glowing rivers.
                const double flow =
                    Noise(x, y, 24.0, seed + 30) * 0.7 + Noise(x, y, 9.0, seed + 31) * 0.3;
                if (std::abs(flow - 0.5) < 0.04) {
                    return Shaded(kOutsideAlt, 12.0 + grain * 3.0, x, row);
                }
                if (std::abs(flow - 0.5) < 0.09) {
                    return Shaded(kOutside, 9.0 + grain * 3.0, x, row);
                }
                return Shaded(kCliff, 4.0 + grain * 4.0, x, row);
            }
        }
    }
};

}  // namespace

std::vector<uint8_t> PaintStagePicture(const Stage& stage, const Terrain& terrain,
                                       const SpriteSheet& sheet, int32_t stageIndex) {
    const double lap = stage.routeLength / std::max(1, stage.design.laps);
    Painter painter{stage, terrain, stageIndex, stage.design.seed ^ 0xC0FFEEULL, lap};
    std::vector<uint8_t> picture(static_cast<size_t>(kPictureWidth) * kPictureHeight);
    for (int32_t row = 0; row < kPictureHeight; ++row) {
        const int32_t y = row - kPictureRowOffset;
        for (int32_t x = 0; x < kPictureWidth; ++x) {
            const uint8_t c = (y >= 0 && y < 400) ? painter.CoursePixel(x, y, row)
                                                  : painter.OutsidePixel(x, y, row);
            picture[static_cast<size_t>(row) * kPictureWidth + x] = c;
        }
    }
    // Shadows of the taller objects, cast down and to the right; the game draws the objects.
    for (const CourseObject& o : stage.objects) {
        int32_t tallest = 0;
        for (const auto& r : sheet.height[o.sprite]) {
            for (int32_t h : r) {
                tallest = std::max(tallest, h);
            }
        }
        const int32_t reach = std::clamp(tallest / 6, 1, 5);
        for (int32_t r = 0; r < kFrameSize; ++r) {
            for (int32_t c = 0; c < kFrameSize; ++c) {
                if (sheet.colour[o.sprite][r][c] == kTransparent) {
                    continue;
                }
                for (int32_t k = 1; k <= reach; ++k) {
                    const int32_t x = o.x + c + k;
                    const int32_t row = o.y + r + k + kPictureRowOffset;
                    if (x < 0 || x >= kPictureWidth || row < 0 || row >= kPictureHeight) {
                        continue;
                    }
                    uint8_t& p = picture[static_cast<size_t>(row) * kPictureWidth + x];
                    if (p >= kMaterialBase && p < kAccentBase) {
                        const int32_t m = (p - kMaterialBase) / kShades;
                        const int32_t s = (p - kMaterialBase) % kShades;
                        p = MaterialColour(m, s - 4);
                    }
                }
            }
        }
    }
    return picture;
}

void StampObjects(const Stage& stage, const SpriteSheet& sheet, Terrain& terrain,
                  std::vector<uint8_t>& picture) {
    // The game's own stamping, on the forms the game loads: the sheet as a bitmap, the heights
    // as profiles, the picture as a bitmap.
    Bitmap8 sheetBitmap;
    sheetBitmap.Resize(kFrameSize, kFrameSize * kFrameCount);
    HeightProfiles profiles;
    for (int32_t f = 0; f < kFrameCount; ++f) {
        for (int32_t r = 0; r < kFrameSize; ++r) {
            for (int32_t c = 0; c < kFrameSize; ++c) {
                *sheetBitmap.PixelAddress(c, f * kFrameSize + r) = sheet.colour[f][r][c];
                profiles.heights[f * kProfileCells + r * kFrameSize + c] = sheet.height[f][r][c];
            }
        }
    }
    CourseTables course;
    course.courseObjects = stage.objects;
    Bitmap8 stagePicture;
    stagePicture.Resize(kPictureWidth, kPictureHeight);
    for (int32_t row = 0; row < kPictureHeight; ++row) {
        std::memcpy(stagePicture.PixelAddress(0, row),
                    &picture[static_cast<size_t>(row) * kPictureWidth], kPictureWidth);
    }
    StampCourseObjects(course, terrain, sheetBitmap, profiles, stagePicture);
    for (int32_t row = 0; row < kPictureHeight; ++row) {
        std::memcpy(&picture[static_cast<size_t>(row) * kPictureWidth],
                    stagePicture.PixelAddress(0, row), kPictureWidth);
    }
}

}  // namespace vantrell::contentgen
