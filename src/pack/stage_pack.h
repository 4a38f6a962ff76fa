// A stage pack as a file: the zip archive (.vstage) that carries a pack's contents
// (race/pack_contents.h) and its manifest. Reading and writing work on bytes in memory; files
// are the caller's. The layout and the reader's refusals are in docs/make-a-stage.md.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "race/pack_contents.h"

namespace vantrell {

// Refuses anything but an intact zip archive holding exactly the pack's files, each a plain
// file under its own name once (no links, folders, paths or other files), within the limits
// of race/pack_contents.h, whose stage passes the stage check, whose records read without a fault
// and whose manifest names the course its files make, with texts of one line within their lengths.
PackRead ReadStagePack(std::span<const uint8_t> bytes);

// The archive's bytes: the same pack always gives the same bytes. The manifest's course is
// written as given; MakePackManifest fills it.
std::vector<uint8_t> WriteStagePack(const StagePack& pack);

// The manifest as TOML text, and read back (a problem line when it is not one).
std::string WritePackManifest(const PackManifest& manifest);
std::optional<PackManifest> ReadPackManifest(std::string_view text, std::string* problem);

}  // namespace vantrell
