// A run file: one table entry, shared between game folders. It carries the stage, a digest of
// the stage files that decide how the run drives (so a run is only ever driven on the course it
// was set on), the name as the record file stores it, the claimed time and the whole recording,
// sealed by a checksum. Reading and writing work on bytes in memory; files are the caller's.
// The layout is described in docs/run-file.md.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "io/sha256.h"
#include "records/hiscore_table.h"

namespace vantrell {

constexpr uint16_t kRunFileVersion = 1;
constexpr size_t kRunFileBytes = 2494;  // version 1, whole

struct RunFile {
    int32_t stage = 0;
    Sha256Digest course{};  // CourseDigest of the stage's files where the run was set
    std::string name;       // Shift-JIS bytes, at most kNameBytes
    int32_t time = 0;       // race ticks the run claims
    Recording recording{};
};

// A run, or the one line that says why the bytes are none (e.g. "is damaged: ...").
struct RunFileRead {
    std::optional<RunFile> run;
    std::string problem;
};

// Refuses anything but a whole, intact version 1 file holding a stage 0..4, a name a record
// file can keep and a time of 1..2400 ticks.
RunFileRead ReadRunFile(std::span<const uint8_t> bytes);
// Whether the bytes begin as every run file does, however the rest reads: a file that does not
// is something else altogether, and a player is told so in those words.
bool BeginsAsRunFile(std::span<const uint8_t> bytes);

// The bytes of a run file. A name over kNameBytes is cut there; the time must fit 16 bits.
std::vector<uint8_t> WriteRunFile(const RunFile& run);

}  // namespace vantrell
