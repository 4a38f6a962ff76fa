// Animated PNG: every frame a full true-colour picture of one size, all shown for the same
// time, looping forever. Viewers without animation support show the first frame.
#pragma once

#include <cstdint>
#include <vector>

#include "common/png_writer.h"

namespace vantrell::cli {

class ApngWriter {
  public:
    // Each frame stays delayMs milliseconds on screen.
    ApngWriter(int32_t width, int32_t height, int32_t delayMs);

    // Adds a frame; it must have the writer's size.
    void AddFrame(const tools::RgbImage& frame);
    int32_t FrameCount() const { return static_cast<int32_t>(frames_.size()); }

    // The whole file. Throws when there is no frame: an APNG needs at least one.
    std::vector<uint8_t> Encode() const;

  private:
    int32_t width_;
    int32_t height_;
    int32_t delayMs_;
    std::vector<std::vector<uint8_t>> frames_;  // each frame's compressed rows
};

}  // namespace vantrell::cli
