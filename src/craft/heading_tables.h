// Thrust directions for the 64 headings, in 1/256 units: trunc(256 * cos/sin(k * 0.09817475)).
// The angle step is a little under 2*pi/64, which is why HeadingSin[16] is 255, not 256.
#pragma once

#include <array>
#include <cstdint>

namespace vantrell {

constexpr int32_t kHeadingCount = 64;
constexpr double kHeadingStep = 0.09817475;

struct HeadingTables {
    std::array<int32_t, kHeadingCount> cos{};
    std::array<int32_t, kHeadingCount> sin{};
};

// Computes both tables.
HeadingTables BuildHeadingTables();

// The tables the craft steer by, built on first use.
const HeadingTables& Headings();

}  // namespace vantrell
