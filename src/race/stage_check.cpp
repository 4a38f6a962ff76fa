#include "race/stage_check.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "craft/craft.h"
#include "gfx/bmp_reader.h"
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

// One file of the stage as read: its name, its bytes, and why it could not be read if it could
// not; the problems found are noted against its name.
class StageFile {
  public:
    StageFile(const StageBytes& files, std::string name, const std::vector<uint8_t>& bytes,
              std::vector<StageProblem>& problems)
        : name_(std::move(name)), bytes_(bytes), problems_(problems) {
        for (const auto& [unread, why] : files.unreadable) {
            if (unread == name_) {
                Problem(why);
                read_ = false;
            }
        }
    }
    bool Read() const { return read_; }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    void Problem(std::string reason) { problems_.push_back({name_, std::move(reason)}); }

  private:
    std::string name_;
    const std::vector<uint8_t>& bytes_;
    std::vector<StageProblem>& problems_;
    bool read_ = true;
};

// Checks the file holds at least `bytes`, which `holds` describes. False (and the problem noted)
// otherwise.
bool HoldsAtLeast(StageFile& file, int64_t bytes, const char* holds) {
    if (!file.Read()) {
        return false;
    }
    const auto size = static_cast<int64_t>(file.Bytes().size());
    if (size < bytes) {
        file.Problem("is " + std::to_string(size) + " bytes, but " + holds + " need " +
                     std::to_string(bytes));
        return false;
    }
    return true;
}

std::string Size(const BmpLayout& layout) {
    return std::to_string(layout.width) + " x " + std::to_string(layout.height);
}

// The stage picture's height when it can be drawn and covers the course, else 0.
int32_t CheckStagePicture(StageFile& files) {
    BmpLayout layout;
    std::string why;
    if (!files.Read()) {
        return 0;
    }
    if (!ReadBmpLayout(files.Bytes(), layout, &why)) {
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

void CheckSpriteSheet(StageFile& files) {
    BmpLayout layout;
    std::string why;
    if (!files.Read()) {
        return;
    }
    if (!ReadBmpLayout(files.Bytes(), layout, &why)) {
        files.Problem(why);
    } else if (layout.width < kSpriteSize || layout.height < kSheetMinHeight) {
        files.Problem("is " + Size(layout) + "; the sprite sheet must hold " +
                      std::to_string(kSpriteFrames) + " frames of 16 x 16, at least 16 x " +
                      std::to_string(kSheetMinHeight));
    }
}

// Objects naming no frame stand nothing up (that is how a slot is left empty); the others
// must be stamped wholly inside the height field and, when it could be checked, the picture.
void CheckCourseObjects(StageFile& files, int32_t pictureHeight) {
    if (!HoldsAtLeast(files, kObjectFileBytes, "the 48 course objects")) {
        return;
    }
    const uint8_t* bytes = files.Bytes().data();
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

void CheckCheckpoints(StageFile& files) {
    if (!HoldsAtLeast(files, kCheckpointFileBytes, "the 20 checkpoints")) {
        return;
    }
    const uint8_t* bytes = files.Bytes().data();
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

std::vector<StageProblem> CheckStage(const StageBytes& files, int32_t stage) {
    std::vector<StageProblem> problems;
    const std::string n = std::to_string(stage);
    StageFile picture(files, "MAP" + n + "_8.BMP", files.picture, problems);
    const int32_t pictureHeight = CheckStagePicture(picture);
    StageFile corners(files, "MAP" + n + ".DAT", files.cornerHeights, problems);
    HoldsAtLeast(corners, kCornerFileBytes, "the 41 x 41 corner heights");
    StageFile cells(files, "TYPE_" + n + ".DAT", files.cellTypes, problems);
    HoldsAtLeast(cells, kCellFileBytes, "the 40 x 40 cell types");
    StageFile sprites(files, "CHR" + n + "_8.BMP", files.sprites, problems);
    CheckSpriteSheet(sprites);
    StageFile profiles(files, "CHR_H0.DAT", files.profiles, problems);
    HoldsAtLeast(profiles, kProfileFileBytes, "the 96 height profiles of 16 x 16");
    StageFile objects(files, "OBJ" + n + ".COD", files.objects, problems);
    CheckCourseObjects(objects, pictureHeight);
    StageFile checkpoints(files, "CHK" + n + ".COD", files.checkpoints, problems);
    CheckCheckpoints(checkpoints);
    return problems;
}

std::vector<StageProblem> CheckStage(const std::filesystem::path& dir, int32_t stage) {
    return CheckStage(ReadStageBytes(stage, dir), stage);
}

}  // namespace vantrell
