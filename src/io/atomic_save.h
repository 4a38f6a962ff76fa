// Saving files so that no failure, and no crash part-way, leaves a target half-written: the
// bytes go to a file beside the target, are flushed to disk and closed, and only then is that
// file renamed over the target. Files that belong together can be saved as one under a journal,
// so that a crash between their renames is finished or undone at the next start.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <system_error>

namespace vantrell {

// The steps of a save, in the order they happen: each file beside its target is created,
// written, flushed to disk and closed; then renamed over its target. A save under a journal
// writes the journal the same way, makes the folder's entries durable (SyncFolder) before and
// after the renames of the files, and removes the journal last.
enum class SaveStep { Create, Write, Flush, Close, Rename, SyncFolder, RemoveJournal };

// Asked before every step with the file the step acts on (the file beside for Rename, the
// folder for SyncFolder); false makes that step fail as the system would, a refused write
// storing half its bytes as a full disk does. Only tests set one, to fail or stop a save at a
// chosen step.
using SaveStepHook = std::function<bool(SaveStep, const std::filesystem::path&)>;

struct FileToSave {
    std::filesystem::path target;
    std::span<const uint8_t> bytes;
};

struct SaveOptions {
    // Empty for files saved one by one. Otherwise where the journal of a set saved as one is
    // kept; it must lie in the one folder that holds every target.
    std::filesystem::path journal;
    SaveStepHook hook;
};

// The first thing that went wrong in a save.
struct SaveFailure {
    std::size_t file = 0;  // index of the file it happened to; the count of files for a step
                           // of the journal or the folder
    SaveStep step = SaveStep::Create;
    std::error_code error;       // the system's reason; io_error for a step the hook refused
    std::filesystem::path path;  // the target it happened to, or the journal, or the folder
};

inline std::span<const uint8_t> BytesOf(std::string_view text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// Where a save writes before it renames: the target's name with ".tmp" added.
std::filesystem::path TemporaryBeside(const std::filesystem::path& target);

// Saves a set of files. Every file is written whole beside its target before any target is
// replaced, so a full disk or a missing folder changes nothing.
//
// Without a journal, the first file is then replaced; if that fails, no other is. The others
// follow in order, and one that cannot be replaced keeps its old file while the rest are still
// replaced. On any failure no file beside is left behind.
//
// With a journal, the set is replaced as one. A journal an earlier save left is settled first
// (RecoverSave). Once every file beside is on disk, the journal naming them is written beside
// and renamed into place, the files are renamed over their targets in order, and the journal is
// removed. A failure before the first rename leaves every target old and nothing beside; a
// rename failing after it leaves the journal and the files not yet renamed, and RecoverSave
// finishes them. A journal that cannot be removed at the end is no failure: the targets are
// all new, and RecoverSave removes it.
//
// Returns the first failure; nothing on success.
std::optional<SaveFailure> SaveFiles(std::span<const FileToSave> files,
                                     const SaveOptions& options = {});

// One file: the target is the complete new file, or on failure the old one as it was.
std::optional<SaveFailure> SaveFile(const std::filesystem::path& target,
                                    std::span<const uint8_t> bytes);

enum class Recovery {
    Nothing,        // no journal: no save was stopped between its renames
    RolledForward,  // the stopped save was finished: every target of the set is new
    RolledBack,     // the stopped save was undone: every target of the set is as it was
};

struct RecoveryResult {
    Recovery outcome = Recovery::Nothing;
    std::optional<SaveFailure> failure;  // a step that failed; the journal then stays
};

// Settles a save under `journal` that stopped part-way, so its targets are all old or all new.
// When every file the journal names is whole, beside its target or already renamed over it,
// the renames are finished; otherwise the files beside and the journal are removed. Without a
// journal, what a save left beside `targets` and the journal had not yet been committed and is
// removed. Safe to run again after being stopped itself.
RecoveryResult RecoverSave(const std::filesystem::path& journal,
                           std::span<const std::filesystem::path> targets,
                           const SaveStepHook& hook = {});

}  // namespace vantrell
