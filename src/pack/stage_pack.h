// A stage pack as a file: the zip archive (.vstage) that carries a pack's contents
// (race/pack_contents.h) and its manifest, read and written with libzip. Reading and writing
// work on bytes in memory; files are the caller's. The checks are pack_reader.h's, which the
// browser build shares; the layout and the refusals are in docs/make-a-stage.md.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "pack/pack_reader.h"
#include "race/pack_contents.h"

namespace vantrell {

// Reads the archive through libzip with every check of ReadPackArchive.
PackRead ReadStagePack(std::span<const uint8_t> bytes);

// The archive's bytes: the same pack always gives the same bytes. The manifest's course is
// written as given; MakePackManifest fills it.
std::vector<uint8_t> WriteStagePack(const StagePack& pack);

}  // namespace vantrell
