#include "pack/stage_pack.h"

#include <zip.h>

#include <algorithm>
#include <memory>
#include <set>

#include "race/course_digest.h"
#include "race/stage_check.h"

namespace vantrell {

namespace {

// Every pack entry has a fixed date, so the same pack always makes the same bytes.
constexpr time_t kPackEntryTime = 946684800;  // 2000-01-01 00:00 UTC
constexpr uint32_t kUnixFileType = 0170000;
constexpr uint32_t kUnixRegular = 0100000;
constexpr uint32_t kUnixLink = 0120000;
constexpr uint32_t kUnixDirectory = 0040000;
constexpr char kManifestName[] = "manifest.toml";

struct ZipCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct ZipFileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

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

std::string ZipReason(zip_error_t* error) {
    return zip_error_strerror(error);
}

// One entry's bytes, read no further than `limit`; nothing when it holds more than it says.
std::optional<std::vector<uint8_t>> ReadEntry(zip_t* archive, zip_uint64_t index, zip_uint64_t size,
                                              std::string* problem) {
    std::unique_ptr<zip_file_t, ZipFileCloser> file(zip_fopen_index(archive, index, 0));
    if (!file) {
        *problem = ZipReason(zip_get_error(archive));
        return std::nullopt;
    }
    std::vector<uint8_t> bytes(static_cast<std::size_t>(size) + 1);
    zip_uint64_t got = 0;
    while (got < bytes.size()) {
        const zip_int64_t n = zip_fread(file.get(), bytes.data() + got, bytes.size() - got);
        if (n < 0) {
            *problem = ZipReason(zip_file_get_error(file.get()));
            return std::nullopt;
        }
        if (n == 0) {
            break;
        }
        got += static_cast<zip_uint64_t>(n);
    }
    if (got != size) {
        *problem = "unpacks to " + std::string(got > size ? "more" : "fewer") +
                   " bytes than its header says";
        return std::nullopt;
    }
    bytes.resize(static_cast<std::size_t>(size));
    return bytes;
}

}  // namespace

PackRead ReadStagePack(std::span<const uint8_t> bytes) {
    auto refuse = [](std::string why) { return PackRead{std::nullopt, std::move(why)}; };
    if (bytes.size() > kPackMaxBytes) {
        return refuse("is " + std::to_string(bytes.size()) + " bytes, over the " +
                      std::to_string(kPackMaxBytes) + " a stage pack may have");
    }
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (source == nullptr) {
        const std::string why = ZipReason(&error);
        zip_error_fini(&error);
        return refuse("cannot be read: " + why);
    }
    std::unique_ptr<zip_t, ZipCloser> archive(zip_open_from_source(source, ZIP_RDONLY, &error));
    if (!archive) {
        zip_source_free(source);
        const std::string why = ZipReason(&error);
        zip_error_fini(&error);
        return refuse("is not a readable zip archive (" + why + ")");
    }
    zip_error_fini(&error);

    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    if (count < 0 || static_cast<std::size_t>(count) > kPackMaxEntries) {
        return refuse("holds " + std::to_string(count) + " entries, over the " +
                      std::to_string(kPackMaxEntries) + " a stage pack may have");
    }
    StagePack pack;
    auto members = Members(pack);
    std::set<std::string> seen;
    std::optional<std::vector<uint8_t>> manifestBytes;
    std::size_t total = 0;
    for (zip_uint64_t i = 0; i < static_cast<zip_uint64_t>(count); ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive.get(), i, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_NAME) ||
            !(stat.valid & ZIP_STAT_SIZE)) {
            return refuse("entry " + std::to_string(i + 1) + " cannot be read (" +
                          ZipReason(zip_get_error(archive.get())) + ")");
        }
        const std::string name = stat.name;
        if (HasDotDot(name)) {
            return refuse("holds " + Quoted(name) +
                          ", a name with '..' that would leave the "
                          "folder it is unpacked into");
        }
        if (IsPathName(name)) {
            return refuse("holds " + Quoted(name) +
                          ", a path; a stage pack holds plain file "
                          "names only");
        }
        zip_uint8_t system = 0;
        zip_uint32_t attributes = 0;
        if (zip_file_get_external_attributes(archive.get(), i, 0, &system, &attributes) == 0 &&
            system == ZIP_OPSYS_UNIX) {
            const uint32_t type = (attributes >> 16) & kUnixFileType;
            if (type == kUnixLink) {
                return refuse("holds " + Quoted(name) +
                              " as a link; a stage pack holds plain "
                              "files only");
            }
            if (type != 0 && type != kUnixRegular) {
                return refuse("holds " + Quoted(name) +
                              (type == kUnixDirectory ? " as a folder"
                                                      : " as a special "
                                                        "file") +
                              "; a stage pack holds plain files only");
            }
        }
        if (!seen.insert(name).second) {
            return refuse("holds " + Quoted(name) + " twice; which one is meant cannot be told");
        }
        if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE) {
            return refuse("holds " + Quoted(name) + " encrypted; a stage pack is not");
        }
        const bool isManifest = name == kManifestName;
        auto member = std::find_if(members.begin(), members.end(),
                                   [&](const auto& m) { return m.first == name; });
        if (!isManifest && member == members.end()) {
            return refuse("holds " + Quoted(name) + ", which is no stage pack file");
        }
        if (stat.size > kPackMaxEntryBytes) {
            return refuse(Quoted(name) + " unpacks to " + std::to_string(stat.size) +
                          " bytes, over the " + std::to_string(kPackMaxEntryBytes) +
                          " a stage pack file may have");
        }
        total += static_cast<std::size_t>(stat.size);
        if (total > kPackMaxTotalBytes) {
            return refuse("unpacks to over " + std::to_string(kPackMaxTotalBytes) +
                          " bytes, more than a stage pack may");
        }
        std::string why;
        std::optional<std::vector<uint8_t>> data = ReadEntry(archive.get(), i, stat.size, &why);
        if (!data) {
            return refuse(Quoted(name) + " cannot be unpacked: " + why);
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
    std::string why;
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

std::vector<uint8_t> WriteStagePack(const StagePack& pack) {
    const std::string manifest = WritePackManifest(pack.manifest);
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (target == nullptr) {
        zip_error_fini(&error);
        return {};
    }
    zip_source_keep(target);
    zip_t* archive = zip_open_from_source(target, ZIP_CREATE | ZIP_TRUNCATE, &error);
    zip_error_fini(&error);
    if (archive == nullptr) {
        zip_source_free(target);
        zip_source_free(target);
        return {};
    }
    bool ok = true;
    auto add = [&](const std::string& name, const void* data, std::size_t size) {
        zip_source_t* source = zip_source_buffer(archive, data, size, 0);
        const zip_int64_t index =
            source == nullptr ? -1 : zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            ok = false;
            return;
        }
        const auto i = static_cast<zip_uint64_t>(index);
        ok = ok && zip_set_file_compression(archive, i, ZIP_CM_DEFLATE, 9) == 0 &&
             zip_file_set_mtime(archive, i, kPackEntryTime, 0) == 0 &&
             zip_file_set_external_attributes(archive, i, 0, ZIP_OPSYS_UNIX,
                                              (kUnixRegular | 0644u) << 16) == 0;
    };
    add(kManifestName, manifest.data(), manifest.size());
    for (const auto& [name, bytes] : PackGameFiles(pack)) {
        add(name, bytes->data(), bytes->size());
    }
    if (!ok || zip_close(archive) != 0) {
        zip_discard(archive);
        zip_source_free(target);
        return {};
    }
    std::vector<uint8_t> out;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(target, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) &&
        zip_source_open(target) == 0) {
        out.resize(static_cast<std::size_t>(stat.size));
        const zip_int64_t n = zip_source_read(target, out.data(), out.size());
        if (n != static_cast<zip_int64_t>(out.size())) {
            out.clear();
        }
        zip_source_close(target);
    }
    zip_source_free(target);
    return out;
}

}  // namespace vantrell
