// The loaded stage: the course picture, the sprite sheet, the terrain with its height field, the
// sprite height profiles and the course tables. Loading changes it; a race only reads it, apart
// from the moving things the frame composer stamps in and takes out again within one frame.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "gfx/bitmap8.h"
#include "world/course_files.h"
#include "world/terrain.h"

namespace vantrell {

struct StateAccess;

class FrameComposer;

// The bytes of a stage's files; a file that could not be read is empty.
struct StageBytes {
    std::vector<uint8_t> picture;        // "MAP<n>_8.BMP"
    std::vector<uint8_t> cornerHeights;  // "MAP<n>.DAT"
    std::vector<uint8_t> cellTypes;      // "TYPE_<n>.DAT"
    std::vector<uint8_t> sprites;        // "CHR<n>_8.BMP"
    std::vector<uint8_t> profiles;       // "CHR_H0.DAT", shared by every stage
    std::vector<uint8_t> objects;        // "OBJ<n>.COD"
    std::vector<uint8_t> checkpoints;    // "CHK<n>.COD"
    // The files that could not be read, by name, each with why ("MAP0.DAT", "does not exist").
    std::vector<std::pair<std::string, std::string>> unreadable;
};

// Reads stage n's files from `dir` (empty: the current directory), each once: the game checks
// and loads a stage from the same bytes.
StageBytes ReadStageBytes(int32_t n, const std::filesystem::path& dir);

class Stage {
  public:
    // Reads stage n's files from `dir` and loads them.
    void Load(int32_t n, const std::filesystem::path& dir);
    // Loads stage n from its files' bytes. A file that does not load leaves what it would have
    // filled as it was, as the game always did.
    void Load(int32_t n, const StageBytes& files);

    int32_t Index() const { return index_; }
    const Bitmap8& Picture() const { return picture_; }
    const Bitmap8& Sprites() const { return sprites_; }
    const Terrain& Ground() const { return terrain_; }
    const HeightProfiles& Profiles() const { return profiles_; }
    const CourseTables& Course() const { return course_; }

  private:
    // The fuzz targets reach inside to set up any moment of a race; the game never does.
    friend struct StateAccess;
    // Stamps the craft and the checkpoint marker into the picture and the height field for one
    // frame and restores both before it returns.
    friend class FrameComposer;

    int32_t index_ = 0;
    Bitmap8 picture_;
    Bitmap8 sprites_;
    Terrain terrain_;
    HeightProfiles profiles_;
    CourseTables course_;
};

}  // namespace vantrell
