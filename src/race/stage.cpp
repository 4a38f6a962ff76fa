#include "race/stage.h"

#include "gfx/palette.h"

namespace vantrell {

StageBytes ReadStageBytes(int32_t n, const std::filesystem::path& dir) {
    const std::string index = std::to_string(n);
    StageBytes files;
    auto read = [&](const std::string& name, std::vector<uint8_t>& into) {
        std::string why;
        std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(dir / name, &why);
        if (bytes) {
            into = std::move(*bytes);
        } else {
            files.unreadable.emplace_back(name, std::move(why));
        }
    };
    read("MAP" + index + "_8.BMP", files.picture);
    read("MAP" + index + ".DAT", files.cornerHeights);
    read("TYPE_" + index + ".DAT", files.cellTypes);
    read("CHR" + index + "_8.BMP", files.sprites);
    read("CHR_H0.DAT", files.profiles);
    read("OBJ" + index + ".COD", files.objects);
    read("CHK" + index + ".COD", files.checkpoints);
    return files;
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
