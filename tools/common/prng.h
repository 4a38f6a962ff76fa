// SplitMix64: a tiny fixed-seed generator, so generated content is byte-identical on every build.
#pragma once

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

}  // namespace vantrell::tools
