// Reading a stage pack's archive (.vstage) with every check, whoever reads the zip format: the
// desktop game and the tool through libzip (stage_pack.h), the browser through the page's zip
// library. This part needs no zip library, so both builds compile it and each rule lives here
// once: names, links and folders, counts and sizes, duplicates, the manifest, the stage check,
// the course digest and the records. The refusals are listed in docs/make-a-stage.md.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "race/pack_contents.h"

namespace vantrell {

// What an entry is, by the Unix mode in its external attributes (a plain file when the archive
// was made elsewhere and says nothing).
enum class PackEntryType { File, Link, Folder, Special };

// What the archive's central directory says of one entry.
struct PackEntryHead {
    std::string name;
    PackEntryType type = PackEntryType::File;
    uint64_t size = 0;  // unpacked, as declared
    bool encrypted = false;
};

// An opened zip archive as the checks see it.
class PackArchive {
  public:
    virtual ~PackArchive() = default;
    // The entries the central directory lists, duplicates included (below 0: unknown).
    virtual int64_t Count() = 0;
    // The head of entry `index`, or nothing with why it cannot be read.
    virtual std::optional<PackEntryHead> Head(std::size_t index, std::string* problem) = 0;
    // Entry `index` unpacked, but never past `size` + 1 bytes, so that one holding more than
    // its head says is found without unpacking it whole; nothing with why when it cannot be.
    virtual std::optional<std::vector<uint8_t>> Unpack(std::size_t index, uint64_t size,
                                                       std::string* problem) = 0;
};

// Opens the bytes as an archive, or gives nothing with why they are none.
using PackOpener =
    std::function<std::unique_ptr<PackArchive>(std::span<const uint8_t>, std::string* problem)>;

// Refuses anything but an intact zip archive holding exactly the pack's files, each a plain
// file under its own name once (no links, folders, paths or other files), within the limits
// of race/pack_contents.h, whose stage passes the stage check, whose records read without a
// fault and whose manifest names the course its files make, with texts of one line within
// their lengths. Nothing is unpacked before its head passed, nor past its declared size.
PackRead ReadPackArchive(std::span<const uint8_t> bytes, const PackOpener& open);

// The name the manifest has in a pack.
inline constexpr char kPackManifestName[] = "manifest.toml";

// The manifest as TOML text, and read back (a problem line when it is not one).
std::string WritePackManifest(const PackManifest& manifest);
std::optional<PackManifest> ReadPackManifest(std::string_view text, std::string* problem);

}  // namespace vantrell
