// Record and recording files that are not well-formed: each fault is told, a slot whose lines
// are no run reads as an empty entry, random bytes never give a run to race against, and the
// files are kept aside before a save replaces them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "app/record_problems.h"
#include "hosts/headless/scripted_dialogs.h"
#include "records/hiscore_dialogs.h"
#include "records/hiscore_table.h"
#include "records_test_support.h"

namespace vantrell {
namespace {

using test::AsBytes;
using test::Pattern;
using test::ReadBytes;
using test::SlotOf;
using test::TempGameDir;
using test::WriteBytes;

// The problems as the player reads them.
std::string Told(const std::vector<RecordProblem>& problems) {
    return DescribeRecordProblems(problems);
}

// The record file of a table whose slot k holds "P<k>" at 1000 + k.
std::vector<std::string> GoodLines() {
    std::vector<std::string> lines;
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        lines.push_back(test::Numbered("P", k));
        lines.push_back(test::Numbered(" ", 1000 + k));
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

bool IsEmptyEntry(const test::SlotRun& entry) {
    return entry.name == kEmptyName && entry.time == kEmptyTime && entry.recording == Recording{};
}

TEST(LoadProblems, EachFaultIsToldAndOnlyItsSlotIsLost) {
    struct Case {
        std::string what;
        int32_t line;  // 0-based line of the record file to replace
        std::string text;
        std::string told;  // a part of the problem text
        bool slotKept;     // the slot's run survives (with its name cut)
    };
    const std::vector<Case> cases = {
        {"a name longer than 15 bytes", 4, "abcdefghijklmnopq", "5行目", true},
        {"a NUL in a name", 4, std::string("ab\0cd", 5), "5行目", true},
        {"a time without digits", 5, "abc", "6行目", false},
        {"a negative time", 5, "   -5", "6行目", false},
        {"a time with other characters", 5, "  +42xyz", "6行目", false},
        {"a time too large to be one", 5, "99999999999", "6行目", false},
        {"a time line longer than 15 bytes", 5, std::string(20, ' ') + "12", "6行目", false},
        {"a time not aligned as written", 5, "12", "6行目", false},
    };
    for (const Case& c : cases) {
        TempGameDir dir;
        std::vector<std::string> lines = GoodLines();
        lines[c.line] = c.text;
        WriteBytes(dir / "VANREC1.DAT", Joined(lines));
        for (int32_t k = 0; k < kHiScoreSlots; ++k) {
            WriteBytes(dir / HiScoreTable::RecordingFileName(1, k),
                       AsBytes(Pattern(static_cast<uint8_t>(k))));
        }
        HiScoreTable table(dir.path());
        const std::string told = Told(table.Load(1));
        EXPECT_NE(told.find("VANREC1.DAT: " + c.told), std::string::npos) << c.what << ": " << told;
        EXPECT_EQ(IsEmptyEntry(SlotOf(table, 2)), !c.slotKept) << c.what;
        if (c.slotKept) {
            EXPECT_EQ(SlotOf(table, 2).recording, Pattern(2)) << c.what;
            EXPECT_LE(SlotOf(table, 2).name.size(), kNameBytes) << c.what;
        }
        for (int32_t k : {0, 1, 3, 9}) {
            EXPECT_EQ(SlotOf(table, k).name, test::Numbered("P", k)) << c.what;
            EXPECT_EQ(SlotOf(table, k).time, 1000 + k) << c.what;
        }
    }

    // The file ends after four and a half slots: the rest are empty entries.
    TempGameDir dir;
    std::vector<std::string> lines = GoodLines();
    lines.resize(9);
    WriteBytes(dir / "VANREC0.DAT", Joined(lines));
    HiScoreTable table(dir.path());
    std::vector<RecordProblem> problems = table.Load(0);
    EXPECT_EQ(problems,
              (std::vector<RecordProblem>{
                  {.file = "VANREC0.DAT", .fault = RecordFault::TooFewLines, .count = 9}}));
    EXPECT_EQ(Told(problems), "VANREC0.DAT: 9行しかありません（20行のはず）");
    EXPECT_EQ(SlotOf(table, 3).name, "P3");
    for (int32_t k = 4; k < kHiScoreSlots; ++k) {
        EXPECT_TRUE(IsEmptyEntry(SlotOf(table, k))) << k;
    }

    // A recording shorter than a race.
    WriteBytes(dir / "VANREC0.DAT", Joined(GoodLines()));
    WriteBytes(dir / "S0N5.JOY", std::string(100, '\x11'));
    EXPECT_EQ(Told(table.Load(0)), "S0N5.JOY: 100バイトしかありません（2400バイトのはず）");
    EXPECT_EQ(SlotOf(table, 5).time, 1005);
    EXPECT_EQ(table.Write(0).keptAside, std::vector<std::string>{"S0N5.JOY.broken"});

    // Well-formed files, a missing recording, and no files at all are no problem.
    std::filesystem::remove(dir / "S0N5.JOY");
    EXPECT_TRUE(table.Load(0).empty());
    EXPECT_TRUE(table.Load(4).empty());
}

// Uniform random bytes: lines of any length and no number in sight. No slot may come out as a
// run, with a garbage name and a time that would make it everyone's first opponent.
TEST(LoadProblems, RandomBytesGiveOnlyEmptyEntries) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 40; ++round) {
        TempGameDir dir;
        const std::size_t size = 1 + random() % 4000;
        std::string bytes;
        for (std::size_t i = 0; i < size; ++i) {
            // Every fourth round is rich in line ends, so there are many short lines.
            const uint32_t value = random();
            bytes += (round % 4 == 0 && value % 7 == 0) ? '\n' : static_cast<char>(value >> 8);
        }
        WriteBytes(dir / "VANREC0.DAT", bytes);
        for (int32_t k = 0; k < kHiScoreSlots; ++k) {
            WriteBytes(dir / HiScoreTable::RecordingFileName(0, k), AsBytes(Pattern(1)));
        }
        HiScoreTable table(dir.path());
        const std::vector<RecordProblem> problems = table.Load(0);
        EXPECT_FALSE(problems.empty()) << round;
        // The player reads the first six faults and how many more there are.
        const std::string told = Told(problems);
        EXPECT_LE(std::count(told.begin(), told.end(), '\n'), 7) << told;
        for (int32_t k = 0; k < kHiScoreSlots; ++k) {
            EXPECT_TRUE(IsEmptyEntry(SlotOf(table, k))) << "round " << round << " slot " << k;
        }
        ScriptedDialogs dialogs;
        SelectOpponent(dialogs, table);
        const uint8_t* opponent = table.RecordingAt(table.SelectedOpponent());
        EXPECT_TRUE(std::all_of(opponent, opponent + kRecordingBytes, [](uint8_t b) {
            return b == 0;
        })) << round;
    }
}

TEST(LoadProblems, FilesNotWellFormedAreKeptAsideBeforeASaveReplacesThem) {
    TempGameDir dir;
    std::vector<std::string> lines = GoodLines();
    lines[7] = "seven";  // slot 3 has no time, so its recording belongs to no run
    const std::string record = Joined(lines);
    WriteBytes(dir / "VANREC0.DAT", record);
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        WriteBytes(dir / HiScoreTable::RecordingFileName(0, k),
                   AsBytes(Pattern(static_cast<uint8_t>(k))));
    }
    WriteBytes(dir / "S0N1.JOY", "short");
    WriteBytes(dir / "VANREC0.DAT.broken", "kept from before");

    HiScoreTable table(dir.path());
    ASSERT_FALSE(table.Load(0).empty());
    ScriptedDialogs dialogs;
    dialogs.QueueName("Fresh");
    EnterRun(dialogs, table, 500, Pattern(50).data());
    SaveReport report = table.Write(0);
    ASSERT_TRUE(report.written) << report.file << " " << report.reason;
    EXPECT_EQ(report.keptAside, (std::vector<std::string>{"S0N1.JOY.broken", "S0N3.JOY.broken",
                                                          "VANREC0.DAT.broken-2"}));
    EXPECT_EQ(ReadBytes(dir / "VANREC0.DAT.broken"), "kept from before");
    EXPECT_EQ(ReadBytes(dir / "VANREC0.DAT.broken-2"), record);
    EXPECT_EQ(ReadBytes(dir / "S0N1.JOY.broken"), "short");
    EXPECT_EQ(ReadBytes(dir / "S0N3.JOY.broken"), AsBytes(Pattern(3)));
    EXPECT_NE(ReadBytes(dir / "VANREC0.DAT"), record);

    // Kept once: the next write of the same table keeps nothing more, and the files it wrote
    // read back without a fault.
    report = table.Write(0);
    EXPECT_TRUE(report.written);
    EXPECT_TRUE(report.keptAside.empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "VANREC0.DAT.broken-3"));
    EXPECT_TRUE(table.Load(0).empty());
    EXPECT_EQ(SlotOf(table, 3).name, "Fresh");  // the empty slot 3 was the worst
}

}  // namespace
}  // namespace vantrell
