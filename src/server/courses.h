// The courses a world table accepts: every stage of one game folder, known by its course
// digest, and the drive that checks a run on them. A drive needs a race of its own: each course
// keeps the races its drives have used, to lend to the next.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "io/sha256.h"
#include "race/headless_race.h"
#include "race/stage.h"

namespace vantrell::server {

struct Course {
    Sha256Digest digest{};
    int32_t stage = 0;  // 0-based, as a run file holds it
    StageBytes files;

    struct Races;  // the idle races of this course
    std::shared_ptr<Races> races;
};

// What driving a recording came to, and a digest of exactly the controls the race read: two
// recordings that drive alike up to the goal have the same digest, whatever follows it.
struct Drive {
    RaceOutcome outcome;
    Sha256Digest inputs{};
};

class Courses {
  public:
    // Every stage of `dir`. Throws std::runtime_error naming the file when a stage is not one
    // the game could race.
    static Courses FromGameFolder(const std::filesystem::path& dir);

    const std::vector<Course>& All() const { return courses_; }
    const Course* Find(const Sha256Digest& digest) const;

    // Drives `recording` on `course` without drawing; safe to call from any number of threads.
    Drive DriveOn(const Course& course, const Recording& recording) const;

  private:
    std::vector<Course> courses_;
};

}  // namespace vantrell::server
