// The save of a set of files as one, under a journal that names every file of the set with its
// size and checksum; internal to io/ (SaveFiles and RecoverSave are the way in).
#pragma once

#include <filesystem>
#include <optional>
#include <span>

#include "io/atomic_save.h"

namespace vantrell {

std::optional<SaveFailure> SaveUnderJournal(std::span<const FileToSave> files,
                                            const std::filesystem::path& journal,
                                            const SaveStepHook& hook);

}  // namespace vantrell
