#include "pack/stage_pack.h"

#include <zip.h>

#include <memory>

namespace vantrell {

namespace {

// Every pack entry has a fixed date, so the same pack always makes the same bytes.
constexpr time_t kPackEntryTime = 946684800;  // 2000-01-01 00:00 UTC
constexpr uint32_t kUnixFileType = 0170000;
constexpr uint32_t kUnixRegular = 0100000;
constexpr uint32_t kUnixLink = 0120000;
constexpr uint32_t kUnixDirectory = 0040000;

struct ZipCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct ZipFileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

std::string ZipReason(zip_error_t* error) {
    return zip_error_strerror(error);
}

// An archive as libzip reads it.
class LibzipArchive final : public PackArchive {
  public:
    explicit LibzipArchive(zip_t* archive) : archive_(archive) {}

    int64_t Count() override { return zip_get_num_entries(archive_.get(), 0); }

    std::optional<PackEntryHead> Head(std::size_t index, std::string* problem) override {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive_.get(), index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_NAME) ||
            !(stat.valid & ZIP_STAT_SIZE)) {
            *problem = ZipReason(zip_get_error(archive_.get()));
            return std::nullopt;
        }
        PackEntryHead head{
            stat.name, PackEntryType::File, stat.size,
            (stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE};
        zip_uint8_t system = 0;
        zip_uint32_t attributes = 0;
        if (zip_file_get_external_attributes(archive_.get(), index, 0, &system, &attributes) == 0 &&
            system == ZIP_OPSYS_UNIX) {
            const uint32_t type = (attributes >> 16) & kUnixFileType;
            head.type = type == kUnixLink                     ? PackEntryType::Link
                        : type == kUnixDirectory              ? PackEntryType::Folder
                        : (type != 0 && type != kUnixRegular) ? PackEntryType::Special
                                                              : PackEntryType::File;
        }
        return head;
    }

    std::optional<std::vector<uint8_t>> Unpack(std::size_t index, uint64_t size,
                                               std::string* problem) override {
        std::unique_ptr<zip_file_t, ZipFileCloser> file(zip_fopen_index(archive_.get(), index, 0));
        if (!file) {
            *problem = ZipReason(zip_get_error(archive_.get()));
            return std::nullopt;
        }
        std::vector<uint8_t> bytes(static_cast<std::size_t>(size) + 1);
        std::size_t got = 0;
        while (got < bytes.size()) {
            const zip_int64_t n = zip_fread(file.get(), bytes.data() + got, bytes.size() - got);
            if (n < 0) {
                *problem = ZipReason(zip_file_get_error(file.get()));
                return std::nullopt;
            }
            if (n == 0) {
                break;
            }
            got += static_cast<std::size_t>(n);
        }
        bytes.resize(got);
        return bytes;
    }

  private:
    std::unique_ptr<zip_t, ZipCloser> archive_;
};

std::unique_ptr<PackArchive> OpenWithLibzip(std::span<const uint8_t> bytes, std::string* problem) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (source == nullptr) {
        *problem = "cannot be read: " + ZipReason(&error);
        zip_error_fini(&error);
        return nullptr;
    }
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (archive == nullptr) {
        zip_source_free(source);
        *problem = "is not a readable zip archive (" + ZipReason(&error) + ")";
        zip_error_fini(&error);
        return nullptr;
    }
    zip_error_fini(&error);
    return std::make_unique<LibzipArchive>(archive);
}

}  // namespace

PackRead ReadStagePack(std::span<const uint8_t> bytes) {
    return ReadPackArchive(bytes, OpenWithLibzip);
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
    add(kPackManifestName, manifest.data(), manifest.size());
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
