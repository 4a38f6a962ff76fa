#include "io/save_journal.h"

#include <cinttypes>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "io/file_guard.h"
#include "io/save_steps.h"

namespace vantrell {

namespace fs = std::filesystem;
using save_steps::StepFailure;

namespace {

// The journal is text, so a stopped save can be looked at by hand:
//   VANTRELL SAVE JOURNAL 1
//   <file count>
//   <size> <checksum, 16 hex digits> <file name>   (one per file, in the order of the renames)
constexpr std::string_view kJournalHeader = "VANTRELL SAVE JOURNAL 1";
constexpr std::size_t kJournalFilesMax = 1000;  // far above any set the game saves

struct JournalEntry {
    std::string name;  // file name only: every file lies in the journal's folder
    uint64_t size = 0;
    uint64_t checksum = 0;
};

// FNV-1a: enough to tell a whole file from a cut or stale one; nobody forges these files.
uint64_t Checksum(std::span<const uint8_t> bytes) {
    uint64_t hash = 14695981039346656037ull;
    for (const uint8_t byte : bytes) {
        hash = (hash ^ byte) * 1099511628211ull;
    }
    return hash;
}

std::string JournalText(const std::vector<JournalEntry>& entries) {
    std::string text(kJournalHeader);
    text += '\n';
    text += std::to_string(entries.size());
    text += '\n';
    for (const JournalEntry& entry : entries) {
        char numbers[64];
        std::snprintf(numbers, sizeof numbers, "%" PRIu64 " %016" PRIx64 " ", entry.size,
                      entry.checksum);
        text += numbers;
        text += entry.name;
        text += '\n';
    }
    return text;
}

std::optional<std::string> ReadSmallFile(const fs::path& path, std::size_t limit) {
    const FileGuard file = OpenFile(path, "rb");
    if (!file) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        bytes.append(buffer, got);
        if (bytes.size() > limit) {
            return std::nullopt;
        }
    }
    if (std::ferror(file.get())) {
        return std::nullopt;
    }
    return bytes;
}

bool NextLine(std::string_view& text, std::string_view& line) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) {
        return false;
    }
    line = text.substr(0, end);
    text.remove_prefix(end + 1);
    return true;
}

// Nothing unless the text is a whole journal: the header, the count, every entry, no more.
std::optional<std::vector<JournalEntry>> ParseJournal(std::string_view text) {
    std::string_view line;
    if (!NextLine(text, line) || line != kJournalHeader || !NextLine(text, line)) {
        return std::nullopt;
    }
    std::size_t count = 0;
    char tail = 0;
    if (std::sscanf(std::string(line).c_str(), "%zu%c", &count, &tail) != 1 ||
        count > kJournalFilesMax) {
        return std::nullopt;
    }
    std::vector<JournalEntry> entries;
    for (std::size_t i = 0; i < count; ++i) {
        if (!NextLine(text, line)) {
            return std::nullopt;
        }
        const std::string copy(line);
        JournalEntry entry;
        int nameAt = 0;
        if (std::sscanf(copy.c_str(), "%" SCNu64 " %16" SCNx64 " %n", &entry.size, &entry.checksum,
                        &nameAt) != 2 ||
            nameAt <= 0) {
            return std::nullopt;
        }
        entry.name = copy.substr(static_cast<std::size_t>(nameAt));
        if (entry.name.empty() || entry.name.find('/') != std::string::npos || entry.name == "." ||
            entry.name == "..") {
            return std::nullopt;
        }
        entries.push_back(std::move(entry));
    }
    if (!text.empty()) {
        return std::nullopt;
    }
    return entries;
}

// Whether the file at `path` is the one the journal names, whole.
bool IsWhole(const fs::path& path, const JournalEntry& entry) {
    std::error_code error;
    if (!fs::is_regular_file(fs::symlink_status(path, error)) ||
        fs::file_size(path, error) != entry.size || error) {
        return false;
    }
    const std::optional<std::string> bytes = ReadSmallFile(path, entry.size);
    return bytes && bytes->size() == entry.size && Checksum(BytesOf(*bytes)) == entry.checksum;
}

SaveFailure FailureOf(std::size_t file, const StepFailure& step, const fs::path& path) {
    return SaveFailure{file, step.step, step.error, path};
}

std::vector<fs::path> TemporariesOf(std::span<const fs::path> targets) {
    std::vector<fs::path> temporaries;
    for (const fs::path& target : targets) {
        temporaries.push_back(TemporaryBeside(target));
    }
    return temporaries;
}

// Removes the journal, asking the hook first; the files beside are gone already.
std::optional<SaveFailure> RemoveJournal(const fs::path& journal, std::size_t count,
                                         const SaveStepHook& hook) {
    if (!save_steps::Allowed(hook, SaveStep::RemoveJournal, journal)) {
        return FailureOf(count, {SaveStep::RemoveJournal, save_steps::Refused()}, journal);
    }
    std::error_code error;
    fs::remove(journal, error);
    if (error) {
        return FailureOf(count, {SaveStep::RemoveJournal, error}, journal);
    }
    return std::nullopt;
}

}  // namespace

RecoveryResult RecoverSave(const fs::path& journal, std::span<const fs::path> targets,
                           const SaveStepHook& hook) {
    const fs::path journalBeside = TemporaryBeside(journal);
    std::vector<fs::path> leftovers = TemporariesOf(targets);
    leftovers.push_back(journalBeside);
    std::error_code error;
    if (!fs::exists(fs::symlink_status(journal, error))) {
        // Stopped before its journal was in place: no target was touched.
        save_steps::RemoveQuietly(leftovers);
        return {Recovery::Nothing, std::nullopt};
    }

    const fs::path folder = journal.parent_path();
    const std::optional<std::string> text = ReadSmallFile(journal, 64 * 1024);
    const std::optional<std::vector<JournalEntry>> entries =
        text ? ParseJournal(*text) : std::nullopt;
    std::vector<fs::path> named;
    bool complete = entries.has_value();
    if (entries) {
        for (const JournalEntry& entry : *entries) {
            const fs::path target = folder / entry.name;
            named.push_back(target);
            // Each file is either still beside its target or already renamed over it.
            complete =
                complete && (IsWhole(TemporaryBeside(target), entry) || IsWhole(target, entry));
        }
    }
    const std::size_t count = named.size();
    if (!complete) {
        const std::vector<fs::path> beside = TemporariesOf(named);
        save_steps::RemoveQuietly(beside);
        save_steps::RemoveQuietly(leftovers);
        return {Recovery::RolledBack, RemoveJournal(journal, count, hook)};
    }
    for (std::size_t i = 0; i < count; ++i) {
        const fs::path beside = TemporaryBeside(named[i]);
        if (!IsWhole(beside, (*entries)[i])) {
            continue;  // renamed before the stop
        }
        if (const auto failed = save_steps::Replace(beside, named[i], hook)) {
            return {Recovery::RolledForward, FailureOf(i, *failed, named[i])};
        }
    }
    if (const auto failed = save_steps::SyncFolder(folder, hook)) {
        return {Recovery::RolledForward, FailureOf(count, *failed, folder)};
    }
    save_steps::RemoveQuietly(std::span(&journalBeside, 1));
    return {Recovery::RolledForward, RemoveJournal(journal, count, hook)};
}

std::optional<SaveFailure> SaveUnderJournal(std::span<const FileToSave> files,
                                            const fs::path& journal, const SaveStepHook& hook) {
    const std::size_t count = files.size();
    const fs::path folder = journal.parent_path();
    std::vector<fs::path> targets;
    std::vector<JournalEntry> entries;
    for (std::size_t i = 0; i < count; ++i) {
        const fs::path& target = files[i].target;
        if (target.parent_path() != folder || !target.has_filename()) {
            return FailureOf(
                i, {SaveStep::Create, std::make_error_code(std::errc::invalid_argument)}, target);
        }
        targets.push_back(target);
        entries.push_back(
            {target.filename().string(), files[i].bytes.size(), Checksum(files[i].bytes)});
    }
    // A save that an earlier run left between its renames is finished first, so the files
    // beside it hold are never mistaken for this save's. Files beside without a journal are
    // simply written over.
    RecoverSave(journal, {}, hook);

    const std::vector<fs::path> temporaries = TemporariesOf(targets);
    const fs::path journalBeside = TemporaryBeside(journal);
    auto undo = [&](bool journalInPlace) {
        save_steps::RemoveQuietly(temporaries);
        save_steps::RemoveQuietly(std::span(&journalBeside, 1));
        if (journalInPlace) {
            save_steps::RemoveQuietly(std::span(&journal, 1));
        }
    };
    for (std::size_t i = 0; i < count; ++i) {
        if (const auto failed = save_steps::WriteWhole(temporaries[i], files[i].bytes, hook)) {
            undo(false);
            return FailureOf(i, *failed, targets[i]);
        }
    }
    // A folder in the way could never be replaced, and would stop the renames half-way.
    for (std::size_t i = 0; i < count; ++i) {
        std::error_code error;
        if (fs::is_directory(fs::symlink_status(targets[i], error))) {
            undo(false);
            return FailureOf(i, {SaveStep::Rename, std::make_error_code(std::errc::is_a_directory)},
                             targets[i]);
        }
    }

    const std::string text = JournalText(entries);
    std::optional<StepFailure> failed = save_steps::WriteWhole(journalBeside, BytesOf(text), hook);
    if (!failed) {
        failed = save_steps::Replace(journalBeside, journal, hook);
    }
    if (failed) {
        undo(false);
        return FailureOf(count, *failed, journal);
    }
    // The journal must be on disk before any target changes.
    if (const auto unsynced = save_steps::SyncFolder(folder, hook)) {
        undo(true);
        return FailureOf(count, *unsynced, folder);
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (const auto notRenamed = save_steps::Replace(temporaries[i], targets[i], hook)) {
            if (i == 0) {
                undo(true);  // nothing replaced yet: the set stays old
            }
            // Otherwise the journal stays, and RecoverSave finishes the set.
            return FailureOf(i, *notRenamed, targets[i]);
        }
    }
    // The renames must be on disk before the journal that would finish them goes.
    if (const auto unsynced = save_steps::SyncFolder(folder, hook)) {
        return FailureOf(count, *unsynced, folder);
    }
    RemoveJournal(journal, count, hook);
    return std::nullopt;
}

}  // namespace vantrell
