// Stage design files: the TOML a person writes to describe a stage (names, author, version,
// colours, route, ground and furniture), read into the StageDesign the layout works from. The
// five built-in stages are such files (tools/contentgen/stages/); docs/make-a-stage.md
// describes the keys.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "course.h"

namespace vantrell::contentgen {

// A design that cannot be used. The text is "SOURCE:LINE: what is wrong", one line, where
// SOURCE is the file's name as given.
struct DesignError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Reads and checks a design. Every value is checked for its range, every key for being known,
// and the route for closing on itself and staying on the course; the first fault is thrown.
StageDesign ParseDesign(std::string_view text, const std::string& source);
StageDesign ReadDesignFile(const std::filesystem::path& path);

// The design file of built-in stage n: stage<n>.toml in `dir`.
std::filesystem::path BuiltInDesignPath(const std::filesystem::path& dir, int32_t n);
// Where the generator finds the built-in designs unless told (the source tree's stages/).
std::filesystem::path DefaultDesignFolder();

}  // namespace vantrell::contentgen
