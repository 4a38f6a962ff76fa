// Small helpers for the record tests; the scratch game folder and file helpers are shared.
#pragma once

#include <cstdint>
#include <string>

#include "records/hiscore_table.h"
#include "support/scratch_dir.h"

namespace vantrell::test {

// The record tests' name for the shared scratch game folder.
using TempGameDir = ScratchDir;

// prefix followed by the number; appended, since GCC 12 warns falsely on "literal" + string.
inline std::string Numbered(const std::string& prefix, int number) {
    std::string out = prefix;
    out += std::to_string(number);
    return out;
}

inline std::string AsBytes(const Recording& recording) {
    return std::string(reinterpret_cast<const char*>(recording.data()), recording.size());
}

// A recording whose bytes tell where they came from: byte i is (seed + i) mod 256.
inline Recording Pattern(uint8_t seed) {
    Recording recording{};
    for (std::size_t i = 0; i < recording.size(); ++i) {
        recording[i] = static_cast<uint8_t>(seed + i);
    }
    return recording;
}

}  // namespace vantrell::test
