#include "sound/sound_switches.h"

#include <gtest/gtest.h>

#include "sound_test_support.h"

namespace vantrell {
namespace {

using test::SoundDirTest;

SoundSwitches Parse(std::string_view text, SoundSwitches start = {}) {
    ParseSoundSwitches(text, start);
    return start;
}

::testing::AssertionResult Is(const SoundSwitches& s, int32_t effectsOn, int32_t musicOn) {
    if (s.effectsOn == effectsOn && s.musicOn == musicOn) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "SE " << s.effectsOn << " BGM " << s.musicOn
                                         << ", expected SE " << effectsOn << " BGM " << musicOn;
}

TEST(SoundSwitches, FileBytesAreTwoLinesWithABlankBeforeCrLf) {
    const std::string effectsOnly = FormatSoundSwitches({1, 0});
    EXPECT_EQ(effectsOnly, "SE = 1 \r\nBGM = 0 \r\n");
    EXPECT_EQ(effectsOnly.size(), 19u);
    EXPECT_EQ(FormatSoundSwitches({0, 1}), "SE = 0 \r\nBGM = 1 \r\n");
    // Only 0 and 1 reach the file, whatever the menu stored.
    EXPECT_EQ(FormatSoundSwitches({7, -2}), "SE = 1 \r\nBGM = 0 \r\n");
    for (const SoundSwitches s : {SoundSwitches{0, 0}, {0, 1}, {1, 0}, {1, 1}}) {
        EXPECT_TRUE(Is(Parse(FormatSoundSwitches(s), {-9, -9}), s.effectsOn, s.musicOn));
    }
}

TEST(SoundSwitches, NumbersAndSpacingAsScanfReadsThem) {
    EXPECT_TRUE(Is(Parse("SE = 0 \r\nBGM = 5 \r\n"), 0, 1));
    EXPECT_TRUE(Is(Parse("SE=1\r\nBGM=0"), 1, 0));
    EXPECT_TRUE(Is(Parse("SE =\t-3\n\n   BGM   =  +2", {1, 0}), 0, 1));
    EXPECT_TRUE(Is(Parse("SE = 1BGM = 0"), 1, 0));  // a blank also matches no space at all
    EXPECT_TRUE(Is(Parse("SE = -0 \r\nBGM = 00 \r\n"), 0, 0));
    // Beyond 32 bits the sign decides: wrapping would turn these into 0 or a negative number.
    EXPECT_TRUE(Is(Parse("SE = 2147483648\r\nBGM = 4294967296\r\n", {0, 0}), 1, 1));
    EXPECT_TRUE(Is(Parse("SE = 99999999999999999999999 BGM = -99999999999"), 1, 0));
}

TEST(SoundSwitches, WhatDoesNotMatchKeepsTheSwitch) {
    // Both keep whatever they held before: on by default, off when they started off.
    EXPECT_TRUE(Is(Parse(""), 1, 1));
    EXPECT_TRUE(Is(Parse("garbage\r\n", {0, 0}), 0, 0));
    EXPECT_TRUE(Is(Parse("se = 0\r\nbgm = 0\r\n"), 1, 1));  // letters match exactly
    EXPECT_TRUE(Is(Parse("SE : 0\r\nBGM : 0\r\n"), 1, 1));
    // A missing SE line: the first pattern stops at "B" without using it up, so BGM still reads.
    EXPECT_TRUE(Is(Parse("BGM = 0 \r\n"), 1, 0));
    // A missing BGM line or number.
    EXPECT_TRUE(Is(Parse("SE = 0 \r\n"), 0, 1));
    EXPECT_TRUE(Is(Parse("SE = 0 \r\nBGM = \r\n"), 0, 1));
    EXPECT_TRUE(Is(Parse("SE = 0 \r\nBGM = -\r\n"), 0, 1));
    // SE without a number leaves the scan on "x", where BGM cannot match either.
    EXPECT_TRUE(Is(Parse("SE = x\r\nBGM = 0\r\n"), 1, 1));
    // Text cut off inside a pattern, and bytes that are no text at all.
    EXPECT_TRUE(Is(Parse("SE = 0 \r\nBG"), 0, 1));
    EXPECT_TRUE(Is(Parse(std::string_view("SE = \0 1", 8)), 1, 1));
}

class SoundSwitchFile : public SoundDirTest {};

TEST_F(SoundSwitchFile, LoadReadsTheFileOrLeavesTheSwitches) {
    SoundSwitches s{1, 1};
    EXPECT_EQ(LoadSoundSwitches(SwitchFile(), s), -1);
    EXPECT_TRUE(Is(s, 1, 1));

    WriteSwitchFile("SE = 0 \r\nBGM = 5 \r\n");
    EXPECT_EQ(LoadSoundSwitches(SwitchFile(), s), 1);
    EXPECT_TRUE(Is(s, 0, 1));
}

TEST_F(SoundSwitchFile, SaveReplacesTheWholeFileAndLeavesNothingBeside) {
    WriteSwitchFile("SE = 1 \r\nBGM = 1 \r\n and a much longer old tail that must go\r\n");
    EXPECT_EQ(SaveSoundSwitches(SwitchFile(), {1, 0}), 1);
    EXPECT_EQ(ReadSwitchFile(), "SE = 1 \r\nBGM = 0 \r\n");
    EXPECT_EQ(Names(), std::vector<std::string>{"SOUNDCNF.TXT"});
}

// What the file holds after a failed save is the save routine's promise; here only the answer.
TEST_F(SoundSwitchFile, SaveThatCannotWriteAnswersMinusOne) {
    EXPECT_EQ(SaveSoundSwitches(dir_ / "missing" / "SOUNDCNF.TXT", {0, 0}), -1);
    std::filesystem::create_directory(SwitchFile());  // written beside, but cannot take its place
    EXPECT_EQ(SaveSoundSwitches(SwitchFile(), {0, 0}), -1);
}

}  // namespace
}  // namespace vantrell
