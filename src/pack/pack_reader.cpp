#include "pack/pack_reader.h"

#include <algorithm>
#include <set>
#include <utility>

#include "race/course_digest.h"
#include "race/stage_check.h"

namespace vantrell {

namespace {

// The names a pack holds and where the reader puts each: PackGameFiles' list, made writable.
std::vector<std::pair<std::string, std::vector<uint8_t>*>> Members(StagePack& pack) {
    pack.records.record.emplace();
    for (auto& recording : pack.records.recordings) {
        recording.emplace();
    }
    std::vector<std::pair<std::string, std::vector<uint8_t>*>> members;
    for (const auto& [name, bytes] : PackGameFiles(pack)) {
        members.emplace_back(name, const_cast<std::vector<uint8_t>*>(bytes));
    }
    return members;
}

// A name that would leave the folder it is unpacked into, or say where to put it.
bool IsPathName(const std::string& name) {
    if (name.empty() || name.front() == '/' || name.front() == '\\' ||
        name.find(':') != std::string::npos) {
        return true;
    }
    return name.find('/') != std::string::npos || name.find('\\') != std::string::npos;
}

bool HasDotDot(const std::string& name) {
    return name == ".." || name.rfind("../", 0) == 0 || name.rfind("..\\", 0) == 0 ||
           name.find("/..") != std::string::npos || name.find("\\..") != std::string::npos;
}

std::string Quoted(const std::string& name) {
    std::string shown;
    for (const unsigned char c : name.substr(0, 60)) {
        shown += (c < 0x20 || c == 0x7F) ? '?' : static_cast<char>(c);
    }
    return "'" + shown + (name.size() > 60 ? "...'" : "'");
}

// Why one entry's head keeps the pack out, checked before anything of it is unpacked; empty
// when it may be unpacked. `total` sums the declared sizes so far.
std::string RefuseHead(const PackEntryHead& head, bool known, std::set<std::string>& seen,
                       std::size_t& total) {
    const std::string& name = head.name;
    if (HasDotDot(name)) {
        return "holds " + Quoted(name) + ", a name with '..' that would leave the folder it is " +
               "unpacked into";
    }
    if (IsPathName(name)) {
        return "holds " + Quoted(name) + ", a path; a stage pack holds plain file names only";
    }
    switch (head.type) {
        case PackEntryType::File:
            break;
        case PackEntryType::Link:
            return "holds " + Quoted(name) + " as a link; a stage pack holds plain files only";
        case PackEntryType::Folder:
            return "holds " + Quoted(name) + " as a folder; a stage pack holds plain files only";
        case PackEntryType::Special:
            return "holds " + Quoted(name) +
                   " as a special file; a stage pack holds plain files only";
    }
    if (!seen.insert(name).second) {
        return "holds " + Quoted(name) + " twice; which one is meant cannot be told";
    }
    if (head.encrypted) {
        return "holds " + Quoted(name) + " encrypted; a stage pack is not";
    }
    if (!known) {
        return "holds " + Quoted(name) + ", which is no stage pack file";
    }
    if (head.size > kPackMaxEntryBytes) {
        return Quoted(name) + " unpacks to " + std::to_string(head.size) + " bytes, over the " +
               std::to_string(kPackMaxEntryBytes) + " a stage pack file may have";
    }
    total += static_cast<std::size_t>(head.size);
    if (total > kPackMaxTotalBytes) {
        return "unpacks to over " + std::to_string(kPackMaxTotalBytes) +
               " bytes, more than a stage pack may";
    }
    return {};
}

}  // namespace

PackRead ReadPackArchive(std::span<const uint8_t> bytes, const PackOpener& open) {
    auto refuse = [](std::string why) { return PackRead{std::nullopt, std::move(why)}; };
    if (bytes.size() > kPackMaxBytes) {
        return refuse("is " + std::to_string(bytes.size()) + " bytes, over the " +
                      std::to_string(kPackMaxBytes) + " a stage pack may have");
    }
    std::string why;
    const std::unique_ptr<PackArchive> archive = open(bytes, &why);
    if (!archive) {
        return refuse(why);
    }
    const int64_t count = archive->Count();
    if (count < 0 || static_cast<uint64_t>(count) > kPackMaxEntries) {
        return refuse("holds " + std::to_string(count) + " entries, over the " +
                      std::to_string(kPackMaxEntries) + " a stage pack may have");
    }
    StagePack pack;
    auto members = Members(pack);
    std::set<std::string> seen;
    std::optional<std::vector<uint8_t>> manifestBytes;
    std::size_t total = 0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
        const std::optional<PackEntryHead> head = archive->Head(i, &why);
        if (!head) {
            return refuse("entry " + std::to_string(i + 1) + " cannot be read (" + why + ")");
        }
        const bool isManifest = head->name == kPackManifestName;
        auto member = std::find_if(members.begin(), members.end(),
                                   [&](const auto& m) { return m.first == head->name; });
        const std::string refusal =
            RefuseHead(*head, isManifest || member != members.end(), seen, total);
        if (!refusal.empty()) {
            return refuse(refusal);
        }
        std::optional<std::vector<uint8_t>> data = archive->Unpack(i, head->size, &why);
        if (!data) {
            return refuse(Quoted(head->name) + " cannot be unpacked: " + why);
        }
        if (data->size() != head->size) {
            return refuse(Quoted(head->name) + " cannot be unpacked: unpacks to " +
                          (data->size() > head->size ? "more" : "fewer") +
                          " bytes than its header says");
        }
        if (isManifest) {
            manifestBytes = std::move(data);
        } else {
            *member->second = std::move(*data);
        }
    }
    if (!manifestBytes) {
        return refuse("has no manifest.toml; it is not a stage pack");
    }
    for (const auto& [name, data] : members) {
        if (!seen.contains(name)) {
            return refuse("has no " + name + "; a stage pack holds every stage and record file");
        }
    }
    std::optional<PackManifest> manifest =
        ReadPackManifest(std::string_view(reinterpret_cast<const char*>(manifestBytes->data()),
                                          manifestBytes->size()),
                         &why);
    if (!manifest) {
        return refuse("manifest.toml: " + why);
    }
    pack.manifest = std::move(*manifest);
    const std::vector<StageProblem> problems = CheckStage(pack.stage, kPackStage);
    if (!problems.empty()) {
        return refuse(problems.front().file + ": " + problems.front().reason);
    }
    if (CourseDigest(pack.stage) != pack.manifest.course) {
        return refuse(
            "its stage files are not the course its manifest names (another course "
            "digest); the pack was changed after it was made");
    }
    HiScoreTable table;
    const std::vector<RecordProblem> recordProblems = table.Load(kPackStage, pack.records);
    if (!recordProblems.empty()) {
        const RecordProblem& first = recordProblems.front();
        return refuse(first.file +
                      (first.line > 0 ? " line " + std::to_string(first.line) : std::string()) +
                      ": the pack's records do not read; make the pack again");
    }
    return {std::move(pack), {}};
}

}  // namespace vantrell
