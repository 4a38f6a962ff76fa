// The sound tests in a scratch folder of their own, with its switch file at hand.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/scratch_dir.h"

namespace vantrell::test {

class SoundDirTest : public ::testing::Test {
  protected:
    std::filesystem::path SwitchFile() const { return dir_ / "SOUNDCNF.TXT"; }

    void WriteSwitchFile(const std::string& bytes) const { WriteBytes(SwitchFile(), bytes); }
    std::string ReadSwitchFile() const { return ReadBytes(SwitchFile()); }
    // Every name in the directory, to catch stray temporary files.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    ScratchDir scratch_;
    std::filesystem::path dir_ = scratch_.path();
};

}  // namespace vantrell::test
