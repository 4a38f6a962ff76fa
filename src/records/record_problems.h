// What a load found wrong with a stage's record and recording files, as facts: the file, the
// line and the fault. The shell words them for the player, the tool for its user.
#pragma once

#include <cstdint>
#include <string>

namespace vantrell {

enum class RecordFault {
    LineTooLong,          // a line longer than a name's 15 bytes
    NulInName,            // a NUL byte inside a name
    TimeNoDigits,         // a time line without digits
    TimeNegative,         // a time below zero
    TimeOtherCharacters,  // a time line with more than the number
    TimeTooLarge,         // a time beyond 32 bits
    TimeNotAligned,       // a time not right-aligned in five columns as written
    TooFewLines,          // the record file ended early; `count` lines were read
    RecordingShort,       // a recording file of `count` bytes, under 2400
    RecordingLong,        // a recording file over 2400 bytes
    SaveNotFinished,      // a save stopped part-way could not be finished or undone
};

struct RecordProblem {
    std::string file;  // the file's name in the game folder, e.g. "VANREC0.DAT" or "S0N3.JOY"
    RecordFault fault = RecordFault::TooFewLines;
    int32_t line = 0;    // the record file's line (1 first) the fault is on; 0 for none
    int64_t count = 0;   // lines read, or a short recording's bytes
    std::string reason{};  // the system's words, for SaveNotFinished

    bool operator==(const RecordProblem&) const = default;
};

}  // namespace vantrell
