#include "cli/pack_folder.h"

#include <stdlib.h>

#include <system_error>

#include "common/file_bytes.h"
#include "io/atomic_save.h"
#include "io/file_bytes.h"

namespace vantrell::cli {

PackFolder::PackFolder(const std::filesystem::path& file) : file_(file) {
    std::string why;
    std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(file, &why);
    if (!bytes) {
        throw CliError(file.string() + ": " + why + "; give a .vstage file that make-stage made");
    }
    PackRead read = ReadStagePack(*bytes);
    if (!read.pack) {
        throw CliError(file.string() + ": " + read.problem + "; not used");
    }
    pack_ = std::move(*read.pack);
    std::string pattern =
        (std::filesystem::temp_directory_path() / "vantrell-pack-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw CliError(pattern + ": cannot make a folder to unpack the pack into (" +
                       std::error_code(errno, std::generic_category()).message() +
                       "); set TMPDIR to a writable folder");
    }
    folder_ = pattern;
    try {
        for (const auto& [name, data] : PackGameFiles(pack_)) {
            tools::WriteFileBytes((folder_ / name).string(), *data);
        }
    } catch (...) {
        // No destructor runs for a constructor that throws: the folder goes here.
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
        throw;
    }
}

PackFolder::~PackFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

void PackFolder::SaveRecords() {
    StagePack updated = pack_;
    updated.records = ReadRecordBytes(kPackStage, folder_);
    const std::vector<uint8_t> bytes = WriteStagePack(updated);
    if (bytes.empty()) {
        throw CliError(file_.string() +
                       ": the pack could not be put together again; nothing "
                       "changed");
    }
    if (const std::optional<SaveFailure> failure = SaveFile(file_, bytes)) {
        throw CliError(file_.string() + ": cannot be saved (" + failure->error.message() +
                       "); the pack is as it was, check the folder is writable");
    }
    pack_ = std::move(updated);
}

bool PackGiven(const CliOptions& options) {
    return !options.pack.empty();
}

void RefuseStageWithPack(const CliOptions& options) {
    if (options.stage) {
        throw CliError(options.command + ": give --stage N or --pack FILE, not both");
    }
    if (!options.dir.empty()) {
        throw CliError(options.command +
                       ": a pack holds its own stage; --dir is not used with "
                       "--pack");
    }
}

void CheckStageChoice(const CliOptions& options) {
    if (PackGiven(options)) {
        RefuseStageWithPack(options);
    } else {
        RequireStage(options);
    }
}

StagePlace RaceableStage(const CliOptions& options) {
    StagePlace place;
    if (!PackGiven(options)) {
        place.stage = RequireStage(options);
        place.dir = GameDirectory(options, place.stage);
        return place;
    }
    RefuseStageWithPack(options);
    place.pack = std::make_unique<PackFolder>(options.pack);
    place.dir = place.pack->Folder();
    place.stage = kPackStage;
    return place;
}

}  // namespace vantrell::cli
