// Finding the game directory, as the desktop game and the tool both do: the folder given wins,
// a program in its build tree uses the build's game folder, an installed one a copy of the
// installed files in the user's own folder.
#include "io/game_directory.h"

#include <gtest/gtest.h>

#include <string>

#include "records/records_test_support.h"

namespace vantrell {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempGameDir;
using test::WriteBytes;

TEST(GameDirectory, AGivenFolderWinsAndTheBuildTreeUsesItsGameFolder) {
    TempGameDir root;
    fs::create_directories(root / "build");
    fs::create_directories(root / "prefix" / "bin");
    fs::create_directories(root / "prefix" / "share" / "vantrell" / "game");
    std::string error;

    const GameDirectoryPlaces inBuild{root / "build", root / "build", root / "home"};
    EXPECT_EQ(FindGameDirectory("", inBuild, error).string(), (root / "build" / "game").string());
    // A copy of the program outside both, with nothing installed beside it: the build's folder.
    const GameDirectoryPlaces elsewhere{root.path(), root / "build", root / "home"};
    EXPECT_EQ(FindGameDirectory("", elsewhere, error).string(), (root / "build" / "game").string());
    // A folder given on the command line is taken as it is, and nothing is copied for it.
    const GameDirectoryPlaces installed{root / "prefix" / "bin", root / "build", root / "home"};
    EXPECT_EQ(FindGameDirectory("some/dir", installed, error).string(), "some/dir");
    EXPECT_FALSE(fs::exists(root / "home"));
    EXPECT_TRUE(error.empty()) << error;
}

TEST(GameDirectory, AnInstalledProgramCopiesTheFilesTheUserLacksAndRunsInTheCopy) {
    TempGameDir root;
    const fs::path share = root / "prefix" / "share" / "vantrell" / "game";
    fs::create_directories(root / "prefix" / "bin");
    fs::create_directories(share / "overview");
    WriteBytes(share / "MAP0.DAT", "new");
    WriteBytes(share / "overview" / "STAGE0.png", "picture");
    WriteBytes(share / "VANREC0.DAT", "stock");
    // The player's own table is already there and must be kept.
    const fs::path own = root / "home" / "vantrell" / "game";
    fs::create_directories(own);
    WriteBytes(own / "VANREC0.DAT", "mine");

    const GameDirectoryPlaces installed{root / "prefix" / "bin", root / "build", root / "home"};
    std::string error;
    EXPECT_EQ(FindGameDirectory("", installed, error).string(), own.string());
    EXPECT_TRUE(error.empty()) << error;
    EXPECT_EQ(ReadBytes(own / "MAP0.DAT"), "new");
    EXPECT_EQ(ReadBytes(own / "overview" / "STAGE0.png"), "picture");
    EXPECT_EQ(ReadBytes(own / "VANREC0.DAT"), "mine");

    // The user's folder cannot be made: no directory, and the reason.
    WriteBytes(root / "blocked", "a file where the data folder should be");
    const GameDirectoryPlaces blocked{root / "prefix" / "bin", root / "build", root / "blocked"};
    EXPECT_EQ(FindGameDirectory("", blocked, error), fs::path());
    EXPECT_NE(error.find("cannot create"), std::string::npos) << error;
    EXPECT_NE(error.find((root / "blocked").string()), std::string::npos) << error;
}

// This test program lives at the top of the build tree, as the game and the tool do.
TEST(GameDirectory, AProgramOfThisBuildFindsTheGeneratedGameFolder) {
    std::string error;
    const fs::path found = FindGameDirectory("", CurrentPlaces(), error);
    EXPECT_TRUE(error.empty()) << error;
    EXPECT_TRUE(fs::equivalent(found, VANTRELL_GAME_DIR)) << found;
}

}  // namespace
}  // namespace vantrell
