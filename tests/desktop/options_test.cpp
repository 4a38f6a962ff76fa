#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "desktop_test_support.h"
#include "hosts/desktop/desktop_options.h"
#include "hosts/desktop/qt_speed_store.h"

namespace vantrell::desktop {
namespace {

using Action = DesktopOptions::Action;

TEST(DesktopOptionsTest, DirHelpVersionAndQtsOwnOptions) {
    EXPECT_EQ(ParseDesktopOptions({}).action, Action::Run);
    EXPECT_EQ(ParseDesktopOptions({}).dataDir, "");
    EXPECT_EQ(ParseDesktopOptions({"--dir", "/tmp/x"}).dataDir, "/tmp/x");
    EXPECT_EQ(ParseDesktopOptions({"--dir=/tmp/y"}).dataDir, "/tmp/y");
    EXPECT_EQ(ParseDesktopOptions({"--help"}).action, Action::Help);
    EXPECT_EQ(ParseDesktopOptions({"--dir", "a", "-h"}).action, Action::Help);
    EXPECT_EQ(ParseDesktopOptions({"--version"}).action, Action::Version);
    const DesktopOptions qt = ParseDesktopOptions({"-platform", "offscreen", "--dir", "d"});
    EXPECT_EQ(qt.action, Action::Run);
    EXPECT_EQ(qt.dataDir, "d");

    const DesktopOptions missing = ParseDesktopOptions({"--dir"});
    EXPECT_EQ(missing.action, Action::Error);
    EXPECT_NE(missing.error.find("--dir"), std::string::npos);
    EXPECT_EQ(ParseDesktopOptions({"--dir="}).action, Action::Error);
    const DesktopOptions unknown = ParseDesktopOptions({"--fast"});
    EXPECT_EQ(unknown.action, Action::Error);
    EXPECT_NE(unknown.error.find("--fast"), std::string::npos);
    EXPECT_EQ(ParseDesktopOptions({"stray"}).action, Action::Error);

    EXPECT_EQ(ParseDesktopOptions({"--lang", "en", "--dir", "d"}).language, "en");
    EXPECT_EQ(ParseDesktopOptions({"--lang=ja"}).language, "ja");
    EXPECT_EQ(ParseDesktopOptions({}).language, "");
    for (const auto& bad : std::vector<std::vector<std::string>>{
             {"--lang"}, {"--lang", "fr"}, {"--lang="}, {"--lang", "--dir", "d"}}) {
        const DesktopOptions refused = ParseDesktopOptions(bad);
        EXPECT_EQ(refused.action, Action::Error);
        EXPECT_NE(refused.error.find("--lang"), std::string::npos);
    }

    EXPECT_NE(UsageText("vantrell").find("--dir DIR"), std::string::npos);
    EXPECT_EQ(VersionText().rfind("vantrell ", 0), 0u);
}

TEST(QtSpeedStoreTest, NothingStoredThenTheLastValueStored) {
    test::ScratchDir scratch;
    const QString file = QString::fromStdString((scratch.path() / "speed.ini").string());
    QtSpeedStore store(file);
    EXPECT_FALSE(store.Load().has_value());
    store.Store(40);
    store.Store(23);
    EXPECT_EQ(QtSpeedStore(file).Load(), 23);

    std::ofstream(scratch.path() / "bad.ini") << "[game]\ntickPeriod=fast\n";
    QtSpeedStore bad(QString::fromStdString((scratch.path() / "bad.ini").string()));
    EXPECT_FALSE(bad.Load().has_value());
}

}  // namespace
}  // namespace vantrell::desktop
