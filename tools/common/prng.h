// SplitMix64: a tiny fixed-seed generator, so generated content is byte-identical on every build.
#pragma once

#include <cmath>
#include <cstdint>

namespace vantrell::tools {

class SplitMix64 {
  public:
    explicit SplitMix64(uint64_t seed) : state_(seed) {}

    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // Uniform in 0..n-1 (n > 0); the tiny modulo bias does not matter for content.
    int32_t Below(int32_t n) { return static_cast<int32_t>(Next() % static_cast<uint64_t>(n)); }
    // Uniform in [0, 1).
    double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
    double Range(double lo, double hi) { return lo + (hi - lo) * Unit(); }

  private:
    uint64_t state_;
};

// A hash of integer coordinates to [0, 1), for noise that needs no stored state.
inline double HashUnit(int64_t a, int64_t b, uint64_t seed) {
    SplitMix64 g(seed ^ (static_cast<uint64_t>(a) * 0x9E3779B97F4A7C15ULL) ^
                 (static_cast<uint64_t>(b) * 0xC2B2AE3D27D4EB4FULL));
    return g.Unit();
}

// Smooth value noise in 0..1 with a lattice every `cell` units, seamless across x = 0 / `width`
// (the course wraps in x).
inline double PeriodicNoise(double x, double y, double cell, double width, uint64_t seed) {
    const int32_t period = static_cast<int32_t>(width / cell);
    const double gx = x / cell;
    const double gy = y / cell;
    const int32_t ix = static_cast<int32_t>(std::floor(gx));
    const int32_t iy = static_cast<int32_t>(std::floor(gy));
    const double fx = gx - ix;
    const double fy = gy - iy;
    auto at = [&](int32_t a, int32_t b) {
        return HashUnit(((a % period) + period) % period, b, seed);
    };
    const double sx = fx * fx * (3.0 - 2.0 * fx);
    const double sy = fy * fy * (3.0 - 2.0 * fy);
    const double top = at(ix, iy) + (at(ix + 1, iy) - at(ix, iy)) * sx;
    const double bottom = at(ix, iy + 1) + (at(ix + 1, iy + 1) - at(ix, iy + 1)) * sx;
    return top + (bottom - top) * sy;
}

}  // namespace vantrell::tools
