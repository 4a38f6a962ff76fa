// Runs for the world table's tests and load: many distinct recordings that drive to the goal,
// made from a stage's best stored run with one control byte changed, each with the time it
// really drives to. Names and claimed times are the caller's to set, as a cheat would.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "race/course_digest.h"
#include "race/headless_race.h"
#include "records/hiscore_table.h"
#include "records/run_file.h"

namespace vantrell::test {

struct DrivenRun {
    Recording recording{};
    int32_t time = 0;
};

struct CourseRuns {
    int32_t stage = 0;
    Sha256Digest course{};
    Recording best{};  // the stored best run, as the board's staff run holds it
    int32_t bestTime = 0;
    std::vector<DrivenRun> runs;  // distinct, each reaches the goal in `time`
};

// Up to `count` runs of `stage` in `gameDir`, the same ones every time.
inline CourseRuns MakeCourseRuns(const std::filesystem::path& gameDir, int32_t stage,
                                 int32_t count) {
    CourseRuns made;
    made.stage = stage;
    made.course = *CourseDigest(gameDir, stage);
    HiScoreTable table(gameDir);
    table.Load(stage);
    table.Rank();
    made.best = table.AtRank(1).recording;
    made.bestTime = table.AtRank(1).time;
    HeadlessRace race(gameDir, stage);
    race.SetDrawing(Drawing::None);
    // A changed byte within a stored run changes the drive; a steer or throttle bit flipped
    // here and there keeps many runs on the course, a little slower or faster. Every stored run
    // serves as a base, so there are plenty.
    for (int32_t rank = 1; rank <= kHiScoreSlots; ++rank) {
        const HiScoreEntry& base = table.AtRank(rank);
        for (int32_t tick = 1 + rank; tick < base.time; tick += 3) {
            for (const uint8_t flip : {uint8_t{1}, uint8_t{4}, uint8_t{8}}) {
                if (static_cast<int32_t>(made.runs.size()) >= count) {
                    return made;
                }
                DrivenRun run{base.recording, 0};
                run.recording[static_cast<size_t>(tick)] ^= flip;
                const RaceOutcome outcome = race.Run(run.recording);
                if (outcome.goal) {
                    run.time = outcome.time;
                    made.runs.push_back(run);
                }
            }
        }
    }
    return made;
}

inline std::vector<uint8_t> RunFileBytes(const CourseRuns& course, const std::string& name,
                                         const Recording& recording, int32_t time) {
    return WriteRunFile({course.stage, course.course, name, time, recording});
}

}  // namespace vantrell::test
