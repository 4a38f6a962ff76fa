// The generator writes the same bytes every time, into whatever folder it is given, and the
// build's game directory is exactly what it writes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "content/content_files.h"
#include "support/scratch_dir.h"

namespace vantrell {
namespace {

namespace fs = std::filesystem;

TEST(ContentDeterminism, TwoRunsWriteIdenticalFiles) {
    const test::ScratchDir scratch;
    const fs::path& root = scratch.path();
    const fs::path a = root / "a";
    const fs::path b = root / "b";
    for (const fs::path& dir : {a, b}) {
        // Appended: GCC 12 warns falsely on "literal" + string chains.
        std::string command = VANTRELL_CONTENTGEN;
        command += " --game ";
        command += (dir / "game").string();
        command += " --resources ";
        command += (dir / "res").string();
        command += " > /dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    int compared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(a)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        const fs::path relative = fs::relative(entry.path(), a);
        const auto first = testing::ReadBytes(entry.path().string());
        EXPECT_EQ(first, testing::ReadBytes((b / relative).string())) << relative;
        if (relative.begin()->string() == "game") {
            const fs::path built =
                fs::path(VANTRELL_GAME_DIR) / fs::relative(entry.path(), a / "game");
            EXPECT_EQ(first, testing::ReadBytes(built.string()))
                << "build/game differs: " << relative;
        }
        EXPECT_FALSE(first.empty()) << relative;
        ++compared;
    }
    EXPECT_GE(compared, 40);
}

TEST(ContentDeterminism, RefusesToRunWithoutAnOutputFolder) {
    const std::string command = std::string(VANTRELL_CONTENTGEN) + " > /dev/null 2>&1";
    EXPECT_NE(std::system(command.c_str()), 0);
}

}  // namespace
}  // namespace vantrell
