// The single steps every save is made of, shared by the plain save of files one by one and the
// save of a set under a journal. Each asks the step hook first; internal to io/.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <system_error>

#include "io/atomic_save.h"

namespace vantrell::save_steps {

struct StepFailure {
    SaveStep step;
    std::error_code error;
};

bool Allowed(const SaveStepHook& hook, SaveStep step, const std::filesystem::path& path);

// The error a step refused by the hook reports.
std::error_code Refused();

// Creates `path` with the bytes, flushes them to disk and closes it (Create, Write, Flush,
// Close). Every step runs even after one failed, so the file is always closed; the first
// failure is the one reported.
std::optional<StepFailure> WriteWhole(const std::filesystem::path& path,
                                      std::span<const uint8_t> bytes, const SaveStepHook& hook);

// Renames `temporary` over `target` (Rename).
std::optional<StepFailure> Replace(const std::filesystem::path& temporary,
                                   const std::filesystem::path& target, const SaveStepHook& hook);

// Flushes the folder's entries to disk (SyncFolder), so renames done in it survive a crash.
std::optional<StepFailure> SyncFolder(const std::filesystem::path& folder,
                                      const SaveStepHook& hook);

// Removes whatever of these files exists; a folder in the way is left alone.
void RemoveQuietly(std::span<const std::filesystem::path> paths);

}  // namespace vantrell::save_steps
