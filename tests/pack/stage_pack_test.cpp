// The stage pack reader against archives made here with libzip from the build's example pack:
// the pack itself reads and writes back byte for byte, and every hostile or broken variant
// (paths out of the folder, links, a zip bomb, a name twice, a cut central directory, files
// that are not a pack's, a manifest that lies) is refused with its reason.
#include <gtest/gtest.h>
#include <zip.h>

#include <algorithm>
#include <string>
#include <vector>

#include "pack/stage_pack.h"
#include "race/course_digest.h"
#include "support/scratch_dir.h"

namespace vantrell {
namespace {

using Bytes = std::vector<uint8_t>;

struct Entry {
    std::string name;
    Bytes bytes;
    uint32_t unixMode = 0100644;  // a plain file
};

Bytes ToBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// A zip archive of the entries, in order, as libzip writes it.
Bytes Zip(const std::vector<Entry>& entries) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(target);
    zip_t* archive = zip_open_from_source(target, ZIP_CREATE | ZIP_TRUNCATE, &error);
    EXPECT_NE(archive, nullptr);
    for (const Entry& e : entries) {
        zip_source_t* source = zip_source_buffer(archive, e.bytes.data(), e.bytes.size(), 0);
        const zip_int64_t index = zip_file_add(archive, e.name.c_str(), source, ZIP_FL_ENC_UTF_8);
        EXPECT_GE(index, 0) << e.name;
        zip_file_set_external_attributes(archive, static_cast<zip_uint64_t>(index), 0,
                                         ZIP_OPSYS_UNIX, e.unixMode << 16);
    }
    EXPECT_EQ(zip_close(archive), 0);
    zip_stat_t stat;
    zip_stat_init(&stat);
    zip_source_stat(target, &stat);
    Bytes out(static_cast<size_t>(stat.size));
    zip_source_open(target);
    zip_source_read(target, out.data(), out.size());
    zip_source_close(target);
    zip_source_free(target);
    zip_error_fini(&error);
    return out;
}

const Bytes& ExamplePackBytes() {
    static const Bytes bytes = [] {
        const std::string text =
            test::ReadBytes(std::filesystem::path(VANTRELL_PACK_DIR) / "lakeside.vstage");
        return Bytes(text.begin(), text.end());
    }();
    return bytes;
}

// The example pack's entries, manifest first, as a variant starts from.
std::vector<Entry> ExampleEntries() {
    const PackRead read = ReadStagePack(ExamplePackBytes());
    EXPECT_TRUE(read.pack) << read.problem;
    std::vector<Entry> entries = {
        {"manifest.toml", ToBytes(WritePackManifest(read.pack->manifest))}};
    for (const auto& [name, bytes] : PackGameFiles(*read.pack)) {
        entries.push_back({name, *bytes});
    }
    return entries;
}

Entry& Named(std::vector<Entry>& entries, const std::string& name) {
    return *std::find_if(entries.begin(), entries.end(),
                         [&](const Entry& e) { return e.name == name; });
}

void Replace(Bytes& bytes, const std::string& from, const std::string& to) {
    for (auto at = std::search(bytes.begin(), bytes.end(), from.begin(), from.end());
         at != bytes.end(); at = std::search(at, bytes.end(), from.begin(), from.end())) {
        std::copy(to.begin(), to.end(), at);
    }
}

std::string Refusal(const Bytes& bytes) {
    const PackRead read = ReadStagePack(bytes);
    EXPECT_FALSE(read.pack);
    EXPECT_EQ(read.problem.find('\n'), std::string::npos) << read.problem;
    return read.problem;
}

TEST(StagePack, ExamplePackReadsAndWritesBackByteForByte) {
    const PackRead read = ReadStagePack(ExamplePackBytes());
    ASSERT_TRUE(read.pack) << read.problem;
    const StagePack& pack = *read.pack;
    EXPECT_EQ(pack.manifest.nameEn, "Lakeside Loop");
    EXPECT_EQ(pack.manifest.nameJa, "湖畔の周回路");
    EXPECT_EQ(pack.manifest.version, "1.0");
    EXPECT_EQ(CourseDigest(pack.stage), pack.manifest.course);
    EXPECT_EQ(pack.stage.picture.size(), 329078u);
    EXPECT_EQ(WriteStagePack(pack), ExamplePackBytes());
    // The same entries in another archive read as the same pack.
    const PackRead again = ReadStagePack(Zip(ExampleEntries()));
    ASSERT_TRUE(again.pack) << again.problem;
    EXPECT_EQ(WriteStagePack(*again.pack), ExamplePackBytes());
}

TEST(StagePack, RefusesNamesThatLeaveTheFolderLinksAndFolders) {
    for (const std::string name : {"../MAP0.DAT", "x/../../MAP0.DAT", ".."}) {
        std::vector<Entry> entries = ExampleEntries();
        entries.push_back({name, {1, 2, 3}});
        EXPECT_NE(Refusal(Zip(entries)).find("'..'"), std::string::npos) << name;
    }
    for (const std::string name : {"/etc/passwd", "maps/MAP0.DAT", "C:\\MAP0.DAT", "maps/"}) {
        std::vector<Entry> entries = ExampleEntries();
        entries.push_back({name, {}});
        EXPECT_NE(Refusal(Zip(entries)).find("a path"), std::string::npos) << name;
    }
    std::vector<Entry> link = ExampleEntries();
    Named(link, "MAP0.DAT") = {"MAP0.DAT", ToBytes("/etc/passwd"), 0120777};
    EXPECT_NE(Refusal(Zip(link)).find("'MAP0.DAT' as a link"), std::string::npos);
    std::vector<Entry> folder = ExampleEntries();
    Named(folder, "CHK0.COD").unixMode = 0040755;
    EXPECT_NE(Refusal(Zip(folder)).find("as a folder"), std::string::npos);
}

TEST(StagePack, RefusesAZipBombAndAnEntryLargerThanItsHeader) {
    // 32 MiB of zeros packs into about 32 KiB: refused by its size before anything unpacks.
    std::vector<Entry> bomb = ExampleEntries();
    Named(bomb, "S0N0.JOY").bytes.assign(32u << 20, 0);
    const Bytes packed = Zip(bomb);
    EXPECT_LT(packed.size(), ExamplePackBytes().size() + (64u << 10));
    EXPECT_NE(Refusal(packed).find("'S0N0.JOY' unpacks to 33554432 bytes, over the"),
              std::string::npos);

    // Headers that understate their entries: every recording's 2400 bytes claimed as 24, in the
    // central directory and the local headers alike (size 60 09 00 00 before a name of 8 bytes
    // becomes 18 00 00 00).
    std::vector<Entry> liar = ExampleEntries();
    Named(liar, "S0N0.JOY").bytes.assign(2400, 0x11);
    Bytes bytes = Zip(liar);
    Replace(bytes, std::string("\x60\x09\x00\x00\x08\x00", 6),
            std::string("\x18\x00\x00\x00\x08\x00", 6));
    EXPECT_EQ(Refusal(bytes),
              "'S0N0.JOY' cannot be unpacked: unpacks to more bytes than its header says");

    // Many entries that each fit, together over the limit.
    std::vector<Entry> many = ExampleEntries();
    for (int i = 0; i < 20; ++i) {
        many.push_back({"extra" + std::to_string(i), {}});
    }
    EXPECT_NE(Refusal(Zip(many)).find("entries, over the 32"), std::string::npos);
    EXPECT_NE(Refusal(Bytes(kPackMaxBytes + 1, 0)).find("bytes, over the"), std::string::npos);
}

TEST(StagePack, RefusesANameTwiceAndACutArchive) {
    // libzip will not write one name twice; the second is written under another name of the
    // same length and renamed in the archive's bytes.
    std::vector<Entry> twice = ExampleEntries();
    twice.push_back({"MAP0.DAX", Named(twice, "MAP0.DAT").bytes});
    Bytes bytes = Zip(twice);
    Replace(bytes, "MAP0.DAX", "MAP0.DAT");
    EXPECT_NE(Refusal(bytes).find("'MAP0.DAT' twice"), std::string::npos);

    // Cut anywhere in the central directory, or with the directory's middle taken out.
    const Bytes& whole = ExamplePackBytes();
    const std::string central("PK\x01\x02", 4);
    const auto directory = std::search(whole.begin(), whole.end(), central.begin(), central.end());
    ASSERT_NE(directory, whole.end());
    const size_t start = static_cast<size_t>(directory - whole.begin());
    for (size_t cut = start; cut < whole.size(); cut += 97) {
        EXPECT_NE(Refusal(Bytes(whole.begin(), whole.begin() + static_cast<long>(cut))), "");
    }
    Bytes gap = whole;
    gap.erase(gap.begin() + static_cast<long>(start) + 40,
              gap.begin() + static_cast<long>(start) + 400);
    EXPECT_NE(Refusal(gap).find("not a readable zip archive"), std::string::npos);
    EXPECT_NE(Refusal(ToBytes("not a zip archive at all")).find("not a readable zip archive"),
              std::string::npos);
}

TEST(StagePack, RefusesFilesThatAreNotAPacksAndMissingFiles) {
    std::vector<Entry> extra = ExampleEntries();
    extra.push_back({"readme.txt", ToBytes("hello")});
    EXPECT_NE(Refusal(Zip(extra)).find("'readme.txt', which is no stage pack file"),
              std::string::npos);
    for (const std::string name : {"CHK0.COD", "S0N9.JOY", "manifest.toml"}) {
        std::vector<Entry> entries = ExampleEntries();
        entries.erase(std::find_if(entries.begin(), entries.end(),
                                   [&](const Entry& e) { return e.name == name; }));
        EXPECT_NE(Refusal(Zip(entries)).find("has no " + name), std::string::npos) << name;
    }
}

TEST(StagePack, RefusesAManifestThatLiesAndFilesTheChecksRefuse) {
    auto withManifest = [](const std::string& from, const std::string& to) {
        std::vector<Entry> entries = ExampleEntries();
        std::string text(Named(entries, "manifest.toml").bytes.begin(),
                         Named(entries, "manifest.toml").bytes.end());
        const size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
        Named(entries, "manifest.toml").bytes = ToBytes(text);
        return Zip(entries);
    };
    EXPECT_NE(Refusal(withManifest("'Lakeside Loop'", "\"Lake\\u0007side\""))
                  .find("name_en holds a control character"),
              std::string::npos);
    EXPECT_NE(Refusal(withManifest("'Lakeside Loop'", "'" + std::string(61, 'x') + "'"))
                  .find("name_en must be 1 to 60 bytes"),
              std::string::npos);
    EXPECT_NE(Refusal(withManifest("format = 1", "format = 2")).find("format 2"),
              std::string::npos);
    EXPECT_NE(Refusal(withManifest("author", "painter")).find("unknown key 'painter'"),
              std::string::npos);
    EXPECT_NE(Refusal(withManifest("name_en = ", "name_en = [")).find("manifest.toml: line"),
              std::string::npos);

    // Another course's files under this manifest.
    std::vector<Entry> moved = ExampleEntries();
    Named(moved, "OBJ0.COD").bytes[1] ^= 1;
    EXPECT_NE(Refusal(Zip(moved)).find("not the course its manifest names"), std::string::npos);
    std::vector<Entry> shortFile = ExampleEntries();
    Named(shortFile, "CHK0.COD").bytes.resize(40);
    EXPECT_NE(Refusal(Zip(shortFile)).find("CHK0.COD: "), std::string::npos);
    std::vector<Entry> records = ExampleEntries();
    Named(records, "VANREC0.DAT").bytes = ToBytes("Ada\r\nabc\r\n");
    EXPECT_NE(Refusal(Zip(records)).find("VANREC0.DAT line 2: the pack's records do not read"),
              std::string::npos);
}

}  // namespace
}  // namespace vantrell
