#include "io/atomic_save.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "io/file_guard.h"
#include "io/save_journal.h"
#include "io/save_steps.h"

namespace vantrell {

namespace fs = std::filesystem;

namespace save_steps {

namespace {

std::error_code SystemError() {
    return {errno, std::system_category()};
}

}  // namespace

bool Allowed(const SaveStepHook& hook, SaveStep step, const fs::path& path) {
    return !hook || hook(step, path);
}

std::error_code Refused() {
    return std::make_error_code(std::errc::io_error);
}

std::optional<StepFailure> WriteWhole(const fs::path& path, std::span<const uint8_t> bytes,
                                      const SaveStepHook& hook) {
    if (!Allowed(hook, SaveStep::Create, path)) {
        return StepFailure{SaveStep::Create, Refused()};
    }
    FileGuard file = OpenFile(path, "wb");
    if (!file) {
        return StepFailure{SaveStep::Create, SystemError()};
    }
    std::optional<StepFailure> failure;
    auto check = [&failure](SaveStep step, bool allowed, bool done, std::error_code error) {
        if (!failure && (!allowed || !done)) {
            failure = StepFailure{step, allowed ? error : Refused()};
        }
    };

    const bool writeAllowed = Allowed(hook, SaveStep::Write, path);
    // A refused write stores only part of the data, as a full disk does.
    const std::size_t part = writeAllowed ? bytes.size() : bytes.size() / 2;
    const bool wrote = part == 0 || std::fwrite(bytes.data(), 1, part, file.get()) == part;
    check(SaveStep::Write, writeAllowed, wrote, SystemError());

    const bool flushAllowed = Allowed(hook, SaveStep::Flush, path);
    bool flushed = std::fflush(file.get()) == 0;
    std::error_code flushError = SystemError();
    // On disk before the rename shows it, or a crash could leave the target empty.
    if (flushed && fsync(fileno(file.get())) != 0) {
        flushed = false;
        flushError = SystemError();
    }
    check(SaveStep::Flush, flushAllowed, flushed, flushError);

    const bool closeAllowed = Allowed(hook, SaveStep::Close, path);
    const bool closed = std::fclose(file.release()) == 0;
    check(SaveStep::Close, closeAllowed, closed, SystemError());
    return failure;
}

std::optional<StepFailure> Replace(const fs::path& temporary, const fs::path& target,
                                   const SaveStepHook& hook) {
    if (!Allowed(hook, SaveStep::Rename, temporary)) {
        return StepFailure{SaveStep::Rename, Refused()};
    }
    // filesystem::rename replaces an existing file on every platform, unlike std::rename.
    std::error_code error;
    fs::rename(temporary, target, error);
    if (error) {
        return StepFailure{SaveStep::Rename, error};
    }
    return std::nullopt;
}

std::optional<StepFailure> SyncFolder(const fs::path& folder, const SaveStepHook& hook) {
    if (!Allowed(hook, SaveStep::SyncFolder, folder)) {
        return StepFailure{SaveStep::SyncFolder, Refused()};
    }
    const fs::path opened = folder.empty() ? fs::path(".") : folder;
    const int descriptor = open(opened.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) {
        return StepFailure{SaveStep::SyncFolder, SystemError()};
    }
    std::optional<StepFailure> failure;
    if (fsync(descriptor) != 0) {
        failure = StepFailure{SaveStep::SyncFolder, SystemError()};
    }
    close(descriptor);
    return failure;
}

void RemoveQuietly(std::span<const fs::path> paths) {
    for (const fs::path& path : paths) {
        std::error_code ignored;
        if (!fs::is_directory(fs::symlink_status(path, ignored))) {
            fs::remove(path, ignored);
        }
    }
}

}  // namespace save_steps

using save_steps::StepFailure;

fs::path TemporaryBeside(const fs::path& target) {
    fs::path temporary = target;
    temporary += ".tmp";
    return temporary;
}

std::optional<SaveFailure> SaveFiles(std::span<const FileToSave> files,
                                     const SaveOptions& options) {
    if (!options.journal.empty()) {
        return SaveUnderJournal(files, options.journal, options.hook);
    }
    const SaveStepHook& hook = options.hook;
    std::vector<fs::path> temporaries;
    for (const FileToSave& file : files) {
        temporaries.push_back(TemporaryBeside(file.target));
    }
    std::optional<SaveFailure> failure;
    auto note = [&](std::size_t index, const std::optional<StepFailure>& step) {
        if (step && !failure) {
            failure = SaveFailure{index, step->step, step->error, files[index].target};
        }
    };
    for (std::size_t i = 0; i < files.size() && !failure; ++i) {
        note(i, save_steps::WriteWhole(temporaries[i], files[i].bytes, hook));
    }
    if (!failure && !files.empty()) {
        note(0, save_steps::Replace(temporaries[0], files[0].target, hook));
        // Once the first is new, every further file that can be replaced is, so as few as
        // possible stay older than it.
        const bool firstReplaced = !failure;
        for (std::size_t i = 1; i < files.size() && firstReplaced; ++i) {
            note(i, save_steps::Replace(temporaries[i], files[i].target, hook));
        }
    }
    if (failure) {
        save_steps::RemoveQuietly(temporaries);
    }
    return failure;
}

std::optional<SaveFailure> SaveFile(const fs::path& target, std::span<const uint8_t> bytes) {
    const FileToSave file{target, bytes};
    return SaveFiles(std::span(&file, 1));
}

}  // namespace vantrell
