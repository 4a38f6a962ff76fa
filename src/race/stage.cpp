#include "race/stage.h"

#include "gfx/palette.h"

namespace vantrell {

void Stage::Load(int32_t n, const std::filesystem::path& dir) {
    const std::string index = std::to_string(n);
    auto path = [&](const std::string& name) { return (dir / name).string(); };
    index_ = n;
    // A picture that does not load leaves the previous one; its colours are still adopted.
    picture_.LoadBmp(path("MAP" + index + "_8.BMP"));
    picture_.ReplaceColour(kTransparent, kFirstStageColour);

    terrain_.LoadCornerHeights(path("MAP" + index + ".DAT"));
    terrain_.LoadCellTypes(path("TYPE_" + index + ".DAT"));
    terrain_.BuildHeightField();

    sprites_.LoadBmp(path("CHR" + index + "_8.BMP"));
    LoadHeightProfiles(path("CHR_H0.DAT"), profiles_);
    LoadCourseFiles(path("OBJ" + index + ".COD"), path("CHK" + index + ".COD"), course_, terrain_,
                    sprites_, profiles_, picture_);
}

}  // namespace vantrell
