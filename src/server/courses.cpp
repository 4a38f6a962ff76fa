#include "server/courses.h"

#include <memory>
#include <mutex>
#include <stdexcept>

#include "race/course_digest.h"
#include "race/stage_check.h"
#include "world/stage_count.h"

namespace vantrell::server {

struct Course::Races {
    std::mutex mutex;
    std::vector<std::unique_ptr<HeadlessRace>> idle;
};

Courses Courses::FromGameFolder(const std::filesystem::path& dir) {
    Courses courses;
    for (int32_t stage = 0; stage < kStageCount; ++stage) {
        StageBytes files = ReadStageBytes(stage, dir);
        const std::vector<StageProblem> problems = CheckStage(files, stage);
        if (!problems.empty()) {
            throw std::runtime_error((dir / problems.front().file).string() + ": " +
                                     problems.front().reason);
        }
        std::string why;
        const std::optional<Sha256Digest> digest = CourseDigest(dir, stage, &why);
        if (!digest) {
            throw std::runtime_error(why);
        }
        courses.courses_.push_back(
            {*digest, stage, std::move(files), std::make_shared<Course::Races>()});
    }
    return courses;
}

const Course* Courses::Find(const Sha256Digest& digest) const {
    for (const Course& course : courses_) {
        if (course.digest == digest) {
            return &course;
        }
    }
    return nullptr;
}

Drive Courses::DriveOn(const Course& course, const Recording& recording) const {
    std::unique_ptr<HeadlessRace> race;
    {
        std::lock_guard lock(course.races->mutex);
        if (!course.races->idle.empty()) {
            race = std::move(course.races->idle.back());
            course.races->idle.pop_back();
        }
    }
    if (!race) {
        race = std::make_unique<HeadlessRace>(course.stage, course.files);
        race->SetDrawing(Drawing::None);
    }
    Sha256 inputs;
    race->StartSolo();
    // Countdown, time limit and finish are far fewer ticks; the bound only guards the loop.
    for (int32_t step = 0; step < 4 * kRecordingBytes && !race->Over(); ++step) {
        const uint8_t byte = RecordedByteForNextTick(race->game().Progress(), recording);
        if (race->NextPhase() == RacePhase::Running) {
            inputs.Update(std::span(&byte, 1));
        }
        race->Step(byte);
    }
    const Drive drive{race->Outcome(), inputs.Finish()};
    std::lock_guard lock(course.races->mutex);
    course.races->idle.push_back(std::move(race));
    return drive;
}

}  // namespace vantrell::server
