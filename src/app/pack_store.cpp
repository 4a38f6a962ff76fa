#include "app/pack_store.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "io/file_bytes.h"

namespace vantrell {

namespace {

namespace fs = std::filesystem;

constexpr char kNewSuffix[] = ".new";  // a new pack's folder while it is being filled
constexpr char kOldSuffix[] = ".old";  // a removed pack's folder while it is being deleted

bool IsId(const std::string& name) {
    return name.size() == 64 && std::all_of(name.begin(), name.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

std::optional<Sha256Digest> DigestOfHex(const std::string& hex) {
    if (!IsId(hex)) {
        return std::nullopt;
    }
    Sha256Digest digest{};
    for (std::size_t i = 0; i < digest.size(); ++i) {
        digest[i] = static_cast<uint8_t>(std::stoi(hex.substr(2 * i, 2), nullptr, 16));
    }
    return digest;
}

bool IsRecordFile(const std::string& name) {
    if (name == HiScoreTable::RecordFileName(kPackStage)) {
        return true;
    }
    for (int32_t k = 0; k < kHiScoreSlots; ++k) {
        if (name == HiScoreTable::RecordingFileName(kPackStage, k)) {
            return true;
        }
    }
    return false;
}

// The note: what the pack is, one "key=value" line each, in this order. Its texts were checked
// by the reader and are checked again when it is read back.
std::string NoteText(const PackManifest& manifest, const Sha256Digest& packDigest) {
    return "pack=" + HexDigest(packDigest) + "\ncourse=" + HexDigest(manifest.course) +
           "\nname_en=" + manifest.nameEn + "\nname_ja=" + manifest.nameJa +
           "\nauthor=" + manifest.author + "\nversion=" + manifest.version + "\n";
}

std::optional<InstalledPack> ReadNote(const fs::path& folder) {
    const std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(folder / PackStore::kNoteName);
    if (!bytes) {
        return std::nullopt;
    }
    const std::string text(bytes->begin(), bytes->end());
    std::vector<std::string> values;
    std::size_t from = 0;
    for (const char* key : {"pack", "course", "name_en", "name_ja", "author", "version"}) {
        const std::size_t end = text.find('\n', from);
        const std::string prefix = std::string(key) + "=";
        if (end == std::string::npos || text.compare(from, prefix.size(), prefix) != 0) {
            return std::nullopt;
        }
        values.push_back(text.substr(from + prefix.size(), end - from - prefix.size()));
        from = end + 1;
    }
    InstalledPack pack;
    const std::optional<Sha256Digest> packDigest = DigestOfHex(values[0]);
    const std::optional<Sha256Digest> course = DigestOfHex(values[1]);
    if (from != text.size() || !packDigest || !course || values[1] != folder.filename().string()) {
        return std::nullopt;
    }
    pack.manifest = {values[2], values[3], values[4], values[5], *course};
    for (std::size_t i = 2; i < values.size(); ++i) {
        const std::size_t limit = i == 5 ? kPackMaxVersionBytes : kPackMaxNameBytes;
        if (!CheckPackText(values[i], limit).empty()) {
            return std::nullopt;
        }
    }
    pack.id = values[1];
    pack.packDigest = *packDigest;
    pack.folder = folder;
    return pack;
}

std::vector<fs::path> UpdateTargets(const fs::path& folder) {
    std::vector<fs::path> targets;
    const StagePack none;
    for (const auto& [name, bytes] : PackGameFiles(none)) {
        if (!IsRecordFile(name)) {
            targets.push_back(folder / name);
        }
    }
    targets.push_back(folder / PackStore::kNoteName);
    return targets;
}

std::string Described(const SaveFailure& failure) {
    return failure.path.filename().string() + ": " + failure.error.message();
}

}  // namespace

PackStore::PackStore(fs::path root, PackReader reader)
    : root_(std::move(root)), reader_(std::move(reader)) {}

std::vector<InstalledPack> PackStore::List() {
    std::vector<InstalledPack> packs;
    std::error_code error;
    std::vector<fs::path> folders;
    for (const fs::directory_entry& entry : fs::directory_iterator(root_, error)) {
        folders.push_back(entry.path());
    }
    for (const fs::path& folder : folders) {
        const std::string name = folder.filename().string();
        if (name.size() == 64 + 4 && IsId(name.substr(0, 64)) &&
            (name.ends_with(kNewSuffix) || name.ends_with(kOldSuffix))) {
            fs::remove_all(folder, error);  // an install or removal that did not finish
            continue;
        }
        if (!IsId(name) || !fs::is_directory(folder, error)) {
            continue;
        }
        const std::vector<fs::path> targets = UpdateTargets(folder);
        RecoverSave(folder / kJournalName, targets, hook_);
        if (std::optional<InstalledPack> pack = ReadNote(folder)) {
            packs.push_back(std::move(*pack));
        }
    }
    std::sort(packs.begin(), packs.end(), [](const InstalledPack& a, const InstalledPack& b) {
        return a.manifest.nameEn != b.manifest.nameEn ? a.manifest.nameEn < b.manifest.nameEn
                                                      : a.id < b.id;
    });
    return packs;
}

std::optional<InstalledPack> PackStore::Find(const std::string& id) {
    for (InstalledPack& pack : List()) {
        if (pack.id == id) {
            return std::move(pack);
        }
    }
    return std::nullopt;
}

PackOffer PackStore::Check(std::span<const uint8_t> bytes) {
    PackOffer offer;
    if (!reader_) {
        offer.problem = "stage packs cannot be read here";
        return offer;
    }
    PackRead read = reader_(bytes);
    if (!read.pack) {
        offer.problem = std::move(read.problem);
        return offer;
    }
    offer.packDigest = Sha256Of(bytes);
    offer.installed = Find(HexDigest(read.pack->manifest.course));
    offer.pack = std::move(read.pack);
    if (!offer.installed) {
        offer.kind = PackOfferKind::New;
    } else if (offer.installed->packDigest == offer.packDigest) {
        offer.kind = PackOfferKind::Installed;
    } else {
        offer.kind = PackOfferKind::Update;
    }
    return offer;
}

std::string PackStore::Take(const PackOffer& offer) {
    if (!offer.pack || (offer.kind != PackOfferKind::New && offer.kind != PackOfferKind::Update)) {
        return "nothing to install";
    }
    const StagePack& pack = *offer.pack;
    const std::string id = HexDigest(pack.manifest.course);
    const std::string note = NoteText(pack.manifest, offer.packDigest);
    std::error_code error;
    if (offer.kind == PackOfferKind::Update) {
        // The stage files and the note as one set, under the journal List settles; the
        // records are not in the set and stay as they are.
        const fs::path folder = root_ / id;
        std::vector<FileToSave> files;
        for (const auto& [name, bytes] : PackGameFiles(pack)) {
            if (!IsRecordFile(name)) {
                files.push_back({folder / name, *bytes});
            }
        }
        files.push_back({folder / kNoteName, BytesOf(note)});
        if (const std::optional<SaveFailure> failure =
                SaveFiles(files, {.journal = folder / kJournalName, .hook = hook_})) {
            return Described(*failure);
        }
        return {};
    }
    // A new pack is filled in a folder of its own and renamed into place whole.
    const fs::path building = root_ / (id + kNewSuffix);
    const fs::path folder = root_ / id;
    fs::remove_all(building, error);
    if (fs::create_directories(building, error); error) {
        return building.filename().string() + ": " + error.message();
    }
    std::vector<FileToSave> files;
    for (const auto& [name, bytes] : PackGameFiles(pack)) {
        files.push_back({building / name, *bytes});
    }
    files.push_back({building / kNoteName, BytesOf(note)});
    std::string problem;
    if (const std::optional<SaveFailure> failure =
            SaveFiles(files, {.journal = {}, .hook = hook_})) {
        problem = Described(*failure);
    } else if (fs::exists(folder, error)) {
        problem = id + ": already exists";
    } else if (fs::rename(building, folder, error); error) {
        problem = folder.filename().string() + ": " + error.message();
    }
    if (!problem.empty()) {
        fs::remove_all(building, error);
    }
    return problem;
}

std::string PackStore::Remove(const std::string& id) {
    std::error_code error;
    const fs::path folder = root_ / id;
    if (!IsId(id) || !fs::is_directory(folder, error)) {
        return id + ": not installed";
    }
    // Renamed away first, so a removal stopped part-way never leaves half a pack listed.
    const fs::path going = root_ / (id + kOldSuffix);
    fs::remove_all(going, error);
    if (fs::rename(folder, going, error); error) {
        return id + ": " + error.message();
    }
    fs::remove_all(going, error);
    return {};
}

}  // namespace vantrell
