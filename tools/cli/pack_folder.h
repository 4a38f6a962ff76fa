// The tool's door to stage packs: --pack FILE in place of --stage N. The pack is read by the
// game's checked reader and unpacked into a private folder as stage 0 of a game folder, so every
// command drives it exactly as a built-in stage; the folder is removed when the command ends.
// An import puts the folder's records back into the pack file with one atomic save.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>

#include "cli/cli_options.h"
#include "pack/stage_pack.h"

namespace vantrell::cli {

class PackFolder {
  public:
    // Reads and unpacks the pack; a pack the reader refuses is a CliError naming why.
    explicit PackFolder(const std::filesystem::path& file);
    ~PackFolder();
    PackFolder(const PackFolder&) = delete;
    PackFolder& operator=(const PackFolder&) = delete;

    const std::filesystem::path& File() const { return file_; }
    const std::filesystem::path& Folder() const { return folder_; }
    const StagePack& Pack() const { return pack_; }

    // Replaces the pack's records by the folder's record files and saves the pack whole over
    // its file (the old file stays on any failure, which throws).
    void SaveRecords();

  private:
    std::filesystem::path file_;
    std::filesystem::path folder_;
    StagePack pack_;
};

// Where a command finds its stage: --stage N in the game folder (checked by CheckStage), or
// --pack FILE unpacked (the reader checked it). Giving both, or --pack with --dir, is refused.
struct StagePlace {
    std::filesystem::path dir;
    int32_t stage = 0;
    std::unique_ptr<PackFolder> pack;  // set for --pack
};
StagePlace RaceableStage(const CliOptions& options);
bool PackGiven(const CliOptions& options);
// Refuses --stage or --dir beside --pack.
void RefuseStageWithPack(const CliOptions& options);
// Checks --stage N or --pack FILE is given well before a command reads anything else.
void CheckStageChoice(const CliOptions& options);

}  // namespace vantrell::cli
