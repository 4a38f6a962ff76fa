#include "craft/heading_tables.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace vantrell {
namespace {

constexpr std::array<int32_t, 64> kExpectedCos = {
    256,  254,  251,  244,  236,  225,  212,  197,  181,  162,  142,  120,  97,   74,   49,   25,
    0,    -25,  -49,  -74,  -97,  -120, -142, -162, -181, -197, -212, -225, -236, -244, -251, -254,
    -255, -254, -251, -244, -236, -225, -212, -197, -181, -162, -142, -120, -97,  -74,  -49,  -25,
    0,    25,   49,   74,   97,   120,  142,  162,  181,  197,  212,  225,  236,  244,  251,  254};

constexpr std::array<int32_t, 64> kExpectedSin = {
    0,    25,   49,   74,   97,   120,  142,  162,  181,  197,  212,  225,  236,  244,  251,  254,
    255,  254,  251,  244,  236,  225,  212,  197,  181,  162,  142,  120,  97,   74,   49,   25,
    0,    -25,  -49,  -74,  -97,  -120, -142, -162, -181, -197, -212, -225, -236, -244, -251, -254,
    -255, -254, -251, -244, -236, -225, -212, -197, -181, -162, -142, -120, -97,  -74,  -49,  -25};

TEST(HeadingTables, MatchTheTruncatedShortStepTables) {
    const HeadingTables tables = BuildHeadingTables();
    for (int k = 0; k < kHeadingCount; ++k) {
        EXPECT_EQ(tables.cos[k], kExpectedCos[k]) << "cos k=" << k;
        EXPECT_EQ(tables.sin[k], kExpectedSin[k]) << "sin k=" << k;
    }
}

TEST(HeadingTables, SharedTablesAreBuiltOnceAndComplete) {
    const HeadingTables& a = Headings();
    const HeadingTables& b = Headings();
    EXPECT_EQ(&a, &b);
    EXPECT_EQ(a.cos, kExpectedCos);
    EXPECT_EQ(a.sin, kExpectedSin);
}

}  // namespace
}  // namespace vantrell
