// A stage pack: one stage shared as one zip file (.vstage). It holds the stage's files as stage
// 0 of a game folder would, its ten records, and a manifest with its names, author, version and
// the course digest that identifies it, so that records and shared runs never mix between two
// versions of a course. Reading and writing work on bytes in memory; files are the caller's.
// The layout and the reader's refusals are in docs/make-a-stage.md.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
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

// Refuses anything but an intact zip archive holding exactly the pack's files, each a plain
// file under its own name once (no links, folders, paths or other files), within the limits
// above, whose stage passes the stage check, whose records read without a fault and whose
// manifest names the course its files make, with texts of one line within their lengths.
PackRead ReadStagePack(std::span<const uint8_t> bytes);

// The archive's bytes: the same pack always gives the same bytes. The manifest's course is
// written as given; MakePackManifest fills it.
std::vector<uint8_t> WriteStagePack(const StagePack& pack);

// The files as a game folder holds them for stage 0, name and bytes, manifest left out.
std::vector<std::pair<std::string, const std::vector<uint8_t>*>> PackGameFiles(
    const StagePack& pack);

// A text the manifest may hold: 1..maxBytes bytes, no control characters. Empty when it may,
// else what is wrong.
std::string CheckPackText(const std::string& text, std::size_t maxBytes);

// The manifest as TOML text, and read back (a problem line when it is not one).
std::string WritePackManifest(const PackManifest& manifest);
std::optional<PackManifest> ReadPackManifest(std::string_view text, std::string* problem);

}  // namespace vantrell
