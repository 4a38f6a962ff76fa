// The course object file (OBJ<n>.COD) read by ReadCourseObjects and stamped into a real stage: a
// short file keeps the table, a whole one fills it, and stamping objects anywhere (frames and
// positions far outside what course data holds) stays inside the height field and the picture.
#include <cstring>
#include <vector>

#include "fuzz_support.h"
#include "gfx/bitmap8.h"
#include "world/course_files.h"
#include "world/terrain.h"

using namespace vantrell;

namespace {

struct Stage {
    Stage() {
        FUZZ_CHECK(terrain.LoadCornerHeights(fuzz::GameFile("MAP0.DAT")) == 1);
        FUZZ_CHECK(terrain.LoadCellTypes(fuzz::GameFile("TYPE_0.DAT")) == 1);
        terrain.BuildHeightField();
        FUZZ_CHECK(picture.LoadBmp(fuzz::GameFile("MAP0_8.BMP")) == 1);
        FUZZ_CHECK(sheet.LoadBmp(fuzz::GameFile("CHR0_8.BMP")) == 1);
        FUZZ_CHECK(LoadHeightProfiles(fuzz::GameFile("CHR_H0.DAT"), profiles) == 1);
        field.assign(terrain.Field(), terrain.Field() + kFieldRows * kFieldWidth);
        pixels.assign(picture.Pixels(), picture.Pixels() + picture.PixelBytes());
    }
    void Restore() {
        std::memcpy(terrain.Field(), field.data(), field.size() * sizeof(int32_t));
        std::memcpy(picture.Pixels(), pixels.data(), pixels.size());
    }

    Terrain terrain;
    Bitmap8 picture;
    Bitmap8 sheet;
    HeightProfiles profiles;
    CourseTables course;
    std::vector<int32_t> field;
    std::vector<uint8_t> pixels;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Stage stage;
    stage.Restore();
    const auto before = stage.course.courseObjects;

    FUZZ_CHECK(ReadCourseObjects(ByteSpan(data, size), stage.course) ==
               (size >= kCourseObjectCount * 6u));
    StampCourseObjects(stage.course, stage.terrain, stage.sheet, stage.profiles, stage.picture);
    if (size < kCourseObjectCount * 6u) {
        FUZZ_CHECK(std::memcmp(&stage.course.courseObjects, &before, sizeof before) == 0);
    } else {
        for (int32_t i = 0; i < kCourseObjectCount; ++i) {
            const CourseObject& object = stage.course.courseObjects[i];
            FUZZ_CHECK(object.sprite == static_cast<int16_t>(data[6 * i] << 8 | data[6 * i + 1]));
            FUZZ_CHECK(object.x == static_cast<int16_t>(data[6 * i + 2] << 8 | data[6 * i + 3]));
            FUZZ_CHECK(object.y == static_cast<int16_t>(data[6 * i + 4] << 8 | data[6 * i + 5]));
        }
    }
    FUZZ_CHECK(stage.picture.Width() == 400 && stage.picture.Height() == 820);
    // Nothing below ground: objects only stand up from it.
    FUZZ_CHECK(fuzz::AllWithin(stage.terrain.Field(), kFieldRows * kFieldWidth, 0, INT32_MAX));
    return 0;
}
