// Writes the generated content to disk: the game directory, the embedded resources, and the
// review pictures for the documentation.
#pragma once

#include <string>

namespace vantrell::contentgen {

// Every stage file, CHR_H0.DAT, the two MIDI pieces and overview/STAGE<n>.png.
void WriteGameDirectory(const std::string& dir);

// WAVDAT0..3.wav, VANTRICO.png (64 x 64) and VANTRICO32.png (32 x 32).
void WriteResources(const std::string& dir);

// The program's icon at the sizes desktops ask for: vantrell-<n>.png for n 16, 32, 48, 64, 128
// and 256, drawn at each size rather than scaled.
void WriteIcons(const std::string& dir);

// Overviews and driver's-eye views for the README.
void WriteDocPictures(const std::string& dir);

}  // namespace vantrell::contentgen
