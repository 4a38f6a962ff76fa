#include "race/stage_check.h"

#include <algorithm>
#include <cstdio>

#include "craft/craft.h"
#include "gfx/bmp_reader.h"
#include "io/file_guard.h"
#include "race/view.h"
#include "world/course_files.h"
#include "world/terrain.h"

namespace vantrell {

namespace {

constexpr int64_t kCornerFileBytes = int64_t{kCornerCount} * kCornerCount * 2;
constexpr int64_t kCellFileBytes = int64_t{kCellCount} * kCellCount * 2;
constexpr int64_t kObjectFileBytes = int64_t{kCourseObjectCount} * 6;
constexpr int64_t kCheckpointFileBytes = int64_t{kCheckpointCount} * 4;
constexpr int64_t kProfileFileBytes = int64_t{kSpriteFrames} * kProfileCells * 2;
constexpr int32_t kSheetMinHeight = kSpriteFrames * kSpriteSize;
// The stamped footprint of a course object must lie in the height field: world y runs from
// the field's top row down through its 820 rows, x over its 400 columns without wrapping.
constexpr int32_t kFieldBottomY = kFieldTopY - kFieldRows + 1;
constexpr int32_t kLastObjectX = kFieldWidth - kSpriteSize;

int32_t BigEndianI16(const uint8_t* p) {
    return static_cast<int16_t>(static_cast<uint16_t>(p[0] << 8 | p[1]));
}

// The stage's files by name, with one path buffer reused for all of them.
class StageFiles {
  public:
    StageFiles(const std::filesystem::path& dir, int32_t stage) : path_(dir.string()) {
        if (!path_.empty() && path_.back() != '/') {
            path_ += '/';
        }
        folderLength_ = path_.size();
        std::snprintf(index_, sizeof index_, "%d", stage);
    }

    // The file's name: prefix, stage number, suffix ("MAP", "_8.BMP" gives "MAP0_8.BMP").
    const char* Name(const char* prefix, const char* suffix) {
        std::snprintf(name_, sizeof name_, "%s%s%s", prefix, index_, suffix);
        return name_;
    }
    const char* FixedName(const char* name) {
        std::snprintf(name_, sizeof name_, "%s", name);
        return name_;
    }
    const std::string& Path() {
        path_.resize(folderLength_);
        path_ += name_;
        return path_;
    }
    void Problem(std::string reason) { problems.push_back({name_, std::move(reason)}); }

    std::vector<StageProblem> problems;

  private:
    std::string path_;
    size_t folderLength_ = 0;
    char index_[16] = {};
    char name_[48] = {};
};

// Opens the current file and checks it holds at least `bytes`, which `holds` describes; reads
// them into `data` when given. False (and the problem noted) otherwise.
bool ReadWhole(StageFiles& files, int64_t bytes, const char* holds, uint8_t* data = nullptr) {
    std::string why;
    int64_t size = 0;
    const FileGuard file = OpenToRead(files.Path(), &size, &why);
    if (!file) {
        files.Problem(why);
        return false;
    }
    if (size < bytes) {
        files.Problem("is " + std::to_string(size) + " bytes, but " + holds + " need " +
                      std::to_string(bytes));
        return false;
    }
    if (data != nullptr &&
        std::fread(data, 1, static_cast<size_t>(bytes), file.get()) != static_cast<size_t>(bytes)) {
        files.Problem("cannot be read to its end");
        return false;
    }
    return true;
}

std::string Size(const BmpLayout& layout) {
    return std::to_string(layout.width) + " x " + std::to_string(layout.height);
}

// The stage picture's height when it can be drawn and covers the course, else 0.
int32_t CheckStagePicture(StageFiles& files) {
    BmpLayout layout;
    std::string why;
    if (!ReadBmpLayout(files.Path(), layout, &why)) {
        files.Problem(why);
        return 0;
    }
    if (layout.width != kStagePictureWidth) {
        files.Problem("is " + Size(layout) + "; the stage picture must be " +
                      std::to_string(kStagePictureWidth) + " wide, one column per course unit");
        return 0;
    }
    if (layout.height < kStagePictureMinHeight) {
        files.Problem("is " + Size(layout) + "; the stage picture must be at least " +
                      std::to_string(kStagePictureMinHeight) +
                      " tall for the view from the far edge of the course");
        return 0;
    }
    return layout.height;
}

void CheckSpriteSheet(StageFiles& files) {
    BmpLayout layout;
    std::string why;
    if (!ReadBmpLayout(files.Path(), layout, &why)) {
        files.Problem(why);
    } else if (layout.width < kSpriteSize || layout.height < kSheetMinHeight) {
        files.Problem("is " + Size(layout) + "; the sprite sheet must hold " +
                      std::to_string(kSpriteFrames) + " frames of 16 x 16, at least 16 x " +
                      std::to_string(kSheetMinHeight));
    }
}

// Objects naming no frame stand nothing up (that is how a slot is left empty); the others
// must be stamped wholly inside the height field and, when it could be checked, the picture.
void CheckCourseObjects(StageFiles& files, int32_t pictureHeight) {
    uint8_t bytes[kObjectFileBytes];
    if (!ReadWhole(files, kObjectFileBytes, "the 48 course objects", bytes)) {
        return;
    }
    int32_t lastY = kFieldTopY - (kSpriteSize - 1);
    if (pictureHeight > 0) {
        lastY = std::min(lastY, pictureHeight - kPictureRowOffset - kSpriteSize);
    }
    for (int32_t i = 0; i < kCourseObjectCount; ++i) {
        const int32_t frame = BigEndianI16(bytes + 6 * i);
        const int32_t x = BigEndianI16(bytes + 6 * i + 2);
        const int32_t y = BigEndianI16(bytes + 6 * i + 4);
        if (frame < 0 || frame >= kSpriteFrames) {
            continue;
        }
        if (x < 0 || x > kLastObjectX || y < kFieldBottomY || y > lastY) {
            files.Problem("course object " + std::to_string(i + 1) + " of 48 (frame " +
                          std::to_string(frame) + ") at (" + std::to_string(x) + ", " +
                          std::to_string(y) + ") is not wholly on the map: its 16 x 16 " +
                          "footprint must start at x 0.." + std::to_string(kLastObjectX) +
                          " and y " + std::to_string(kFieldBottomY) + ".." + std::to_string(lastY));
        }
    }
}

// A box (cx, cy) is passed when a craft's whole-unit position lies strictly inside it:
// cx < x < cx + 16 and cy < y < cy + 16.
bool Enterable(int32_t cx, int32_t cy) {
    const int32_t firstX = std::max(cx + 1, kCraftFirstX);
    const int32_t lastX = std::min(cx + kSpriteSize - 1, kCraftLastX);
    const int32_t firstY = std::max(cy + 1, kCraftFirstY);
    const int32_t lastY = std::min(cy + kSpriteSize - 1, kCraftLastY);
    return firstX <= lastX && firstY <= lastY;
}

void CheckCheckpoints(StageFiles& files) {
    uint8_t bytes[kCheckpointFileBytes];
    if (!ReadWhole(files, kCheckpointFileBytes, "the 20 checkpoints", bytes)) {
        return;
    }
    for (int32_t i = 0; i < kCheckpointCount; ++i) {
        const int32_t cx = BigEndianI16(bytes + 4 * i);
        const int32_t cy = BigEndianI16(bytes + 4 * i + 2);
        if (!Enterable(cx, cy)) {
            files.Problem("checkpoint " + std::to_string(i + 1) + " of 20 at (" +
                          std::to_string(cx) + ", " + std::to_string(cy) +
                          ") cannot be entered: no craft position (x " +
                          std::to_string(kCraftFirstX) + ".." + std::to_string(kCraftLastX) +
                          ", y " + std::to_string(kCraftFirstY) + ".." +
                          std::to_string(kCraftLastY) + ") lies strictly inside its 16 x 16 box");
        }
    }
}

}  // namespace

std::vector<StageProblem> CheckStage(const std::filesystem::path& dir, int32_t stage) {
    StageFiles files(dir, stage);
    files.Name("MAP", "_8.BMP");
    const int32_t pictureHeight = CheckStagePicture(files);
    files.Name("MAP", ".DAT");
    ReadWhole(files, kCornerFileBytes, "the 41 x 41 corner heights");
    files.Name("TYPE_", ".DAT");
    ReadWhole(files, kCellFileBytes, "the 40 x 40 cell types");
    files.Name("CHR", "_8.BMP");
    CheckSpriteSheet(files);
    files.FixedName("CHR_H0.DAT");
    ReadWhole(files, kProfileFileBytes, "the 96 height profiles of 16 x 16");
    files.Name("OBJ", ".COD");
    CheckCourseObjects(files, pictureHeight);
    files.Name("CHK", ".COD");
    CheckCheckpoints(files);
    return std::move(files.problems);
}

}  // namespace vantrell
