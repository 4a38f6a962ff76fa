// The courses a world table accepts: every stage of one game folder, known by its course
// digest, and the drive that checks a run on them. A drive needs a race of its own: each course
// keeps the races its drives have used, to lend to the next.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "io/sha256.h"
#include "race/headless_race.h"
#include "race/stage.h"
#include "records/hiscore_table.h"

namespace vantrell::server {

// A player-made stage the server was given as a stage pack, which it also hands out.
struct CoursePack {
    std::string nameEn;
    std::string nameJa;
    std::string author;
    std::string version;
    Sha256Digest digest{};  // of the whole archive
    std::string fileName;   // e.g. "lakeside.vstage"
    std::vector<uint8_t> bytes;
};

struct Course {
    Sha256Digest digest{};
    int32_t stage = 0;  // 0-based, as a run file holds it (a pack's stage is 0)
    StageBytes files;
    RecordBytes records;  // the staff runs its board starts with
    std::optional<CoursePack> pack;

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
    // Adds every stage pack (*.vstage) of `dir`, in name order. Throws std::runtime_error naming
    // a pack the reader refuses; a pack of a course already known is left out, with a line on
    // standard error.
    void AddPacks(const std::filesystem::path& dir);
    // The pack whose archive has this digest, if any.
    const Course* FindPack(const Sha256Digest& packDigest) const;

    const std::vector<Course>& All() const { return courses_; }
    const Course* Find(const Sha256Digest& digest) const;

    // Drives `recording` on `course` without drawing; safe to call from any number of threads.
    Drive DriveOn(const Course& course, const Recording& recording) const;

  private:
    std::vector<Course> courses_;
};

}  // namespace vantrell::server
