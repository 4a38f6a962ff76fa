// The five built-in stages as generated from their design files are the stages every stored
// record and shared run was set on: their course digests and pictures must never change. A
// change to a design file, to the generator or to the files' writing shows here first.
#include <gtest/gtest.h>

#include <span>
#include <string>

#include "io/sha256.h"
#include "race/course_digest.h"
#include "support/scratch_dir.h"

namespace vantrell {
namespace {

struct BuiltIn {
    const char* course;   // CourseDigest
    const char* picture;  // SHA-256 of MAP<n>_8.BMP
};

constexpr BuiltIn kStages[] = {
    {"aebb0104766ecc245f723b847993aebc2d2b5dbfd7f45819bab2313bed1cc32e",
     "3800e93d3d8e94a7727a3ca661b09cc78277ec5f00bce70ecb4bd35f218ddaa0"},
    {"03634d27b39a6726bf612f8b271a31537232b6509ab65dd36c3ef392d92f5e45",
     "241f296f9cc2f2b2a51877beccbb5ec03377fbee2de93af2ffe7bdf4a44fc7e6"},
    {"73d9282ba8d9683130bf123643abc19c99380cc640c4cf40db5569fcf98f02cd",
     "2feb37b5e3252ea24a9ebf10940f9a8795ecad93f014390add0dbc061bdd9517"},
    {"d5a82f6b522f69463243e3312f9c537d7c96c9ef6e9b37d19b701a2c55b1f060",
     "29bfc551261b0e74fb464136c4658a1b8e916c34850bf0b7a1a4b70f31eb7803"},
    {"13c961fbc01a031e8d3e24c76ce4b18396c9f1693abeb26732eeacee7b3f7b5a",
     "514d449b3c95474685421b8beb24967b1af67b4a1f96c8b03e55a9eee1a8efd9"},
};

TEST(BuiltInStages, DesignFilesMakeTheSameStagesAsEver) {
    for (int32_t n = 0; n < 5; ++n) {
        std::string why;
        const std::optional<Sha256Digest> course = CourseDigest(test::GameDir(), n, &why);
        ASSERT_TRUE(course) << why;
        EXPECT_EQ(HexDigest(*course), kStages[n].course) << "stage " << n;
        const std::string picture =
            test::ReadBytes(test::GameDir() / ("MAP" + std::to_string(n) + "_8.BMP"));
        EXPECT_EQ(HexDigest(Sha256Of(
                      std::span(reinterpret_cast<const uint8_t*>(picture.data()), picture.size()))),
                  kStages[n].picture)
            << "stage " << n;
    }
}

}  // namespace
}  // namespace vantrell
