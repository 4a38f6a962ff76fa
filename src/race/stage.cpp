#include "race/stage.h"

#include "gfx/palette.h"

namespace vantrell {

StageBytes ReadStageBytes(int32_t n, const std::filesystem::path& dir) {
    const std::string index = std::to_string(n);
    auto read = [&](const std::string& name) {
        std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(dir / name);
        return bytes ? std::move(*bytes) : std::vector<uint8_t>();
    };
    return {read("MAP" + index + "_8.BMP"),
            read("MAP" + index + ".DAT"),
            read("TYPE_" + index + ".DAT"),
            read("CHR" + index + "_8.BMP"),
            read("CHR_H0.DAT"),
            read("OBJ" + index + ".COD"),
            read("CHK" + index + ".COD")};
}

void Stage::Load(int32_t n, const std::filesystem::path& dir) {
    Load(n, ReadStageBytes(n, dir));
}

void Stage::Load(int32_t n, const StageBytes& files) {
    index_ = n;
    // A picture that does not load leaves the previous one; its colours are still adopted.
    picture_.LoadBmp(files.picture);
    picture_.ReplaceColour(kTransparent, kFirstStageColour);

    terrain_.LoadCornerHeights(files.cornerHeights);
    terrain_.LoadCellTypes(files.cellTypes);
    terrain_.BuildHeightField();

    sprites_.LoadBmp(files.sprites);
    LoadHeightProfiles(files.profiles, profiles_);
    ReadCourseObjects(files.objects, course_);
    ReadCheckpoints(files.checkpoints, course_);
    StampCourseObjects(course_, terrain_, sprites_, profiles_, picture_);
}

}  // namespace vantrell
