// One digest for the stage files that decide how a recording drives: the corner heights, the
// cell types, the course objects, the checkpoints, the sprite sheet (objects are stamped from
// it) and the sprite height profiles. The stage picture only shows the course and is left out,
// so repainting it never makes a shared run foreign.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "io/sha256.h"
#include "race/stage.h"

namespace vantrell {

// The files in the order they are digested, e.g. "MAP0.DAT" first for stage 0.
std::vector<std::string> CourseFileNames(int32_t stage);

// SHA-256 over each file in that order: its size as 8 bytes, high byte first, then its bytes.
// Nothing when a file cannot be read, with `reason` saying which and why.
std::optional<Sha256Digest> CourseDigest(const std::filesystem::path& dir, int32_t stage,
                                         std::string* reason = nullptr);
// The same digest of a stage's files already read (a stage pack's).
Sha256Digest CourseDigest(const StageBytes& files);

}  // namespace vantrell
