// Byte packing and whole-file writes for the tools.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vantrell::tools {

using Bytes = std::vector<uint8_t>;

inline void PutBe16(Bytes& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}
inline void PutLe16(Bytes& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void PutLe32(Bytes& out, uint32_t v) {
    PutLe16(out, v & 0xFFFF);
    PutLe16(out, v >> 16);
}
inline void PutBe32(Bytes& out, uint32_t v) {
    PutBe16(out, v >> 16);
    PutBe16(out, v & 0xFFFF);
}
inline void PutText(Bytes& out, const char* text) {
    while (*text != '\0') {
        out.push_back(static_cast<uint8_t>(*text++));
    }
}

// Writes the bytes beside the target and renames them into place. Throws with a one-line reason
// (file and cause) on failure, so a tool never leaves a half-written file behind.
void WriteFileBytes(const std::string& path, const Bytes& bytes);

// Creates the directory and its parents when missing; throws when that is impossible.
void MakeDirectories(const std::string& path);

}  // namespace vantrell::tools
