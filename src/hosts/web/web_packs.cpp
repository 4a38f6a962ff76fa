#include "hosts/web/web_packs.h"

#include <memory>

#include "hosts/web/web_bridge.h"
#include "pack/pack_reader.h"

namespace vantrell::web {

namespace {

// The archive the page holds open, entry by entry as the checks ask.
class PageArchive final : public PackArchive {
  public:
    explicit PageArchive(int64_t count) : count_(count) {}
    ~PageArchive() override { page::CloseArchive(); }
    PageArchive(const PageArchive&) = delete;
    PageArchive& operator=(const PageArchive&) = delete;

    int64_t Count() override { return count_; }

    std::optional<PackEntryHead> Head(std::size_t index, std::string* /*problem*/) override {
        const page::ArchiveHead head = page::ArchiveEntryHead(static_cast<int64_t>(index));
        const PackEntryType type = head.type == "file"     ? PackEntryType::File
                                   : head.type == "link"   ? PackEntryType::Link
                                   : head.type == "folder" ? PackEntryType::Folder
                                                           : PackEntryType::Special;
        // The page's zip library refuses an encrypted archive when it opens it.
        return PackEntryHead{head.name, type, head.size, false};
    }

    std::optional<std::vector<uint8_t>> Unpack(std::size_t index, uint64_t size,
                                               std::string* problem) override {
        return page::UnpackArchiveEntry(static_cast<int64_t>(index), size, problem);
    }

  private:
    int64_t count_;
};

std::unique_ptr<PackArchive> OpenOnPage(std::span<const uint8_t> bytes, std::string* problem) {
    const std::optional<int64_t> count = page::OpenArchive(bytes, problem);
    if (!count) {
        return nullptr;
    }
    return std::make_unique<PageArchive>(*count);
}

}  // namespace

PackReader PagePackReader() {
    return [](std::span<const uint8_t> bytes) { return ReadPackArchive(bytes, OpenOnPage); };
}

}  // namespace vantrell::web
