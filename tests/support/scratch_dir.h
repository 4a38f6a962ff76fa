// A scratch game folder per test: made fresh under the system's temporary folder, removed with
// everything in it when the test is done, so parallel runs never share files. It can start as a
// copy of the game folder the build generated.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vantrell::test {

// The game folder the build generated (VANTRELL_GAME_DIR, set by the test support library).
inline const std::filesystem::path& GameDir() {
    static const std::filesystem::path dir = VANTRELL_GAME_DIR;
    return dir;
}

class ScratchDir {
  public:
    ScratchDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vantrell-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

    // Copies the generated game folder into this one (or into its subfolder `sub`); false when
    // the build has made none yet.
    bool CopyGameContent(const std::string& sub = "") const {
        std::error_code error;
        if (!std::filesystem::is_directory(GameDir(), error)) {
            return false;
        }
        const std::filesystem::path to = sub.empty() ? path_ : path_ / sub;
        std::filesystem::copy(GameDir(), to, std::filesystem::copy_options::recursive, error);
        return !error;
    }

  private:
    std::filesystem::path path_;
};

// A whole file as bytes; empty when it cannot be read.
inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace vantrell::test
