// Writes the generated content to disk: the game directory, the embedded resources, and the
// review pictures for the documentation.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "sprites.h"
#include "view_shots.h"

namespace vantrell::contentgen {

// Every stage file, CHR_H0.DAT, the two MIDI pieces and overview/STAGE<n>.png; the stages from
// the design files stage<n>.toml in `designs`.
void WriteGameDirectory(const std::string& dir, const std::filesystem::path& designs);

// The sprite height profiles CHR_H0.DAT, shared by every stage.
void WriteProfiles(const std::string& dir, const SpriteSheet& sheet);
// A built stage's six files as stage `slot` of a game folder: MAP<n>.DAT, TYPE_<n>.DAT,
// OBJ<n>.COD, CHK<n>.COD, MAP<n>_8.BMP and CHR<n>_8.BMP.
void WriteStageFiles(const std::string& dir, int32_t slot, const BuiltStage& b,
                     const SpriteSheet& sheet);

// WAVDAT0..3.wav, VANTRICO.png (64 x 64) and VANTRICO32.png (32 x 32).
void WriteResources(const std::string& dir);

// The program's icon at the sizes desktops ask for: vantrell-<n>.png for n 16, 32, 48, 64, 128
// and 256, drawn at each size rather than scaled.
void WriteIcons(const std::string& dir);

// Overviews and driver's-eye views for the README.
void WriteDocPictures(const std::string& dir, const std::filesystem::path& designs);

}  // namespace vantrell::contentgen
