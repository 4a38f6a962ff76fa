#include "race/course_digest.h"

#include "io/file_bytes.h"

namespace vantrell {

namespace {

void AddFile(Sha256& sha, std::span<const uint8_t> bytes) {
    uint8_t length[8];
    for (int i = 0; i < 8; ++i) {
        length[i] = static_cast<uint8_t>(static_cast<uint64_t>(bytes.size()) >> (56 - 8 * i));
    }
    sha.Update(length);
    sha.Update(bytes);
}

}  // namespace

std::vector<std::string> CourseFileNames(int32_t stage) {
    const std::string n = std::to_string(stage);
    return {"MAP" + n + ".DAT", "TYPE_" + n + ".DAT", "OBJ" + n + ".COD",
            "CHK" + n + ".COD", "CHR" + n + "_8.BMP", "CHR_H0.DAT"};
}

std::optional<Sha256Digest> CourseDigest(const std::filesystem::path& dir, int32_t stage,
                                         std::string* reason) {
    Sha256 sha;
    for (const std::string& name : CourseFileNames(stage)) {
        const std::filesystem::path path = dir / name;
        std::string why;
        const std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(path, &why);
        if (!bytes) {
            if (reason != nullptr) {
                *reason = path.string() + ": " + why;
            }
            return std::nullopt;
        }
        AddFile(sha, *bytes);
    }
    return sha.Finish();
}

Sha256Digest CourseDigest(const StageBytes& files) {
    Sha256 sha;
    // The order of CourseFileNames.
    for (const std::vector<uint8_t>* file : {&files.cornerHeights, &files.cellTypes, &files.objects,
                                             &files.checkpoints, &files.sprites, &files.profiles}) {
        AddFile(sha, *file);
    }
    return sha.Finish();
}

}  // namespace vantrell
