// A stage pack's contents: one stage shared as one file (.vstage, read and written by
// src/pack). It holds the stage's files as stage 0 of a game folder would, its ten records, and
// a manifest with its names, author, version and the course digest that identifies it, so that
// records and shared runs never mix between two versions of a course. These are the parts the
// game needs without the archive, which only the pack library reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "io/sha256.h"
#include "race/stage.h"
#include "records/hiscore_table.h"

namespace vantrell {

// The stage slot a pack's files are named for ("MAP0.DAT", "S0N3.JOY", ...).
constexpr int32_t kPackStage = 0;
constexpr int32_t kPackFormat = 1;

// What the reader takes at most: the whole archive, its entries, one entry unpacked, all of
// them unpacked. A made pack is about 0.4 MiB unpacked, 19 entries.
constexpr std::size_t kPackMaxBytes = 8u << 20;
constexpr std::size_t kPackMaxEntries = 32;
constexpr std::size_t kPackMaxEntryBytes = 1u << 20;
constexpr std::size_t kPackMaxTotalBytes = 4u << 20;
// The manifest's texts, in bytes of UTF-8.
constexpr std::size_t kPackMaxNameBytes = 60;
constexpr std::size_t kPackMaxVersionBytes = 20;

struct PackManifest {
    std::string nameEn;
    std::string nameJa;
    std::string author;
    std::string version;
    Sha256Digest course{};  // CourseDigest of the pack's stage files
};

struct StagePack {
    PackManifest manifest;
    StageBytes stage;     // every file present; `unreadable` stays empty
    RecordBytes records;  // the record file and all ten recordings
};

// A pack, or the one line that says why the bytes are none (e.g. "holds '../x': ...").
struct PackRead {
    std::optional<StagePack> pack;
    std::string problem;
};

// The files as a game folder holds them for stage 0, name and bytes, manifest left out.
std::vector<std::pair<std::string, const std::vector<uint8_t>*>> PackGameFiles(
    const StagePack& pack);

// A text the manifest may hold: 1..maxBytes bytes, no control characters. Empty when it may,
// else what is wrong.
std::string CheckPackText(const std::string& text, std::size_t maxBytes);

}  // namespace vantrell
