// Saving files so that no failure, and no crash part-way, leaves a target half-written: the
// bytes go to a file beside the target, are flushed to disk and closed, and only then is that
// file renamed over the target.
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

// The steps of saving one file, in the order they happen: the file beside the target is
// created, written, flushed to disk and closed; then it is renamed over the target.
enum class SaveStep { Create, Write, Flush, Close, Rename };

// Asked before every step with the file the step acts on (the file beside, for Rename too);
// false makes that step fail as the system would, a refused write storing half its bytes as a
// full disk does. Only tests set one, to fail or stop a save at a chosen step.
using SaveStepHook = std::function<bool(SaveStep, const std::filesystem::path&)>;

struct FileToSave {
    std::filesystem::path target;
    std::span<const uint8_t> bytes;
};

// The first thing that went wrong in a save.
struct SaveFailure {
    std::size_t file = 0;  // index of the file it happened to
    SaveStep step = SaveStep::Create;
    std::error_code error;  // the system's reason; io_error for a step the hook refused
};

inline std::span<const uint8_t> BytesOf(std::string_view text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// Where a save writes before it renames: the target's name with ".tmp" added.
std::filesystem::path TemporaryBeside(const std::filesystem::path& target);

// Saves a set of files that belong together. Every file is written whole beside its target
// before any target is replaced, so a full disk or a missing folder changes nothing. Then the
// first file is replaced; if that fails, no other is. The others follow in order, and one that
// cannot be replaced keeps its old file while the rest are still replaced. On any failure no
// file beside is left behind (one that was in the way, say a folder, stays) and the first
// failure is returned; nothing on success.
std::optional<SaveFailure> SaveFiles(std::span<const FileToSave> files,
                                     const SaveStepHook& hook = {});

// One file: the target is the complete new file, or on failure the old one as it was.
std::optional<SaveFailure> SaveFile(const std::filesystem::path& target,
                                    std::span<const uint8_t> bytes);

}  // namespace vantrell
