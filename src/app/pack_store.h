// The stage packs a player has installed: one folder each in the player's data folder, holding
// the pack's stage files and its table as stage 0 of a game folder, and a note of what the pack
// is. A pack's folder is named by its course digest, so an update of the same course (another
// picture, name or version) replaces the stage files in place and the records stay where they
// are; the whole pack's digest tells an update from the pack already installed. The archive
// itself is read by the reader the host hands in (the browser build has none).
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "io/atomic_save.h"
#include "race/pack_contents.h"

namespace vantrell {

// Reads a pack's archive with every check (ReadStagePack in src/pack).
using PackReader = std::function<PackRead(std::span<const uint8_t>)>;

struct InstalledPack {
    std::string id;             // the course digest in hex: the folder's name
    Sha256Digest packDigest{};  // of the whole archive installed
    PackManifest manifest;
    std::filesystem::path folder;
};

// What a pack offered for installing would be.
enum class PackOfferKind {
    Refused,    // the reader refused it, or packs cannot be read here: `problem` says why
    Installed,  // the very same pack is installed already
    New,        // a course not installed yet
    Update,     // another pack of an installed course: installing keeps that course's records
};

struct PackOffer {
    PackOfferKind kind = PackOfferKind::Refused;
    std::string problem;
    std::optional<StagePack> pack;
    Sha256Digest packDigest{};
    std::optional<InstalledPack> installed;  // the one of the same course, if any
};

class PackStore {
  public:
    // Packs live in folders under `root`; without a reader none can be added.
    PackStore(std::filesystem::path root, PackReader reader);

    bool CanRead() const { return static_cast<bool>(reader_); }
    // The installed packs, by English name. Settles first what a stopped install, update or
    // removal left behind; a folder whose note cannot be read is left alone and not listed.
    std::vector<InstalledPack> List();
    std::optional<InstalledPack> Find(const std::string& id);

    // Reads and checks the bytes, and says what installing them would do. Changes nothing.
    PackOffer Check(std::span<const uint8_t> bytes);
    // Installs a New pack (its folder appears whole or not at all) or an Update (the stage files
    // and the note are replaced as one, the records kept). Empty when done, else why nothing
    // changed.
    std::string Take(const PackOffer& offer);
    // Removes an installed pack with its records. Empty when done, else why not.
    std::string Remove(const std::string& id);

    const std::filesystem::path& Root() const { return root_; }
    // Handed to every save of the store's files; tests fail or stop saves with it.
    void SetSaveStepHook(SaveStepHook hook) { hook_ = std::move(hook); }

    // The note's name in a pack's folder, and the journal of an update's save.
    static constexpr char kNoteName[] = "PACK.TXT";
    static constexpr char kJournalName[] = "PACK.JNL";

  private:
    std::filesystem::path root_;
    PackReader reader_;
    SaveStepHook hook_;
};

}  // namespace vantrell
