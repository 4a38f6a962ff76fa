#include "server/courses.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <mutex>
#include <stdexcept>

#include "io/file_bytes.h"
#include "pack/stage_pack.h"
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
        courses.courses_.push_back({*digest, stage, std::move(files), ReadRecordBytes(stage, dir),
                                    std::nullopt, std::make_shared<Course::Races>()});
    }
    return courses;
}

void Courses::AddPacks(const std::filesystem::path& dir) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.is_regular_file() && entry.path().extension() == ".vstage") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    for (const std::filesystem::path& file : files) {
        std::string why;
        std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(file, &why);
        if (!bytes) {
            throw std::runtime_error(file.string() + ": " + why);
        }
        PackRead read = ReadStagePack(*bytes);
        if (!read.pack) {
            throw std::runtime_error(file.string() + ": " + read.problem);
        }
        StagePack& pack = *read.pack;
        if (Find(pack.manifest.course)) {
            std::fprintf(stderr, "vantrell-server: %s: its course is known already; left out\n",
                         file.string().c_str());
            continue;
        }
        CoursePack about{pack.manifest.nameEn,  pack.manifest.nameJa, pack.manifest.author,
                         pack.manifest.version, Sha256Of(*bytes),     file.filename().string(),
                         std::move(*bytes)};
        courses_.push_back({pack.manifest.course, kPackStage, std::move(pack.stage),
                            std::move(pack.records), std::move(about),
                            std::make_shared<Course::Races>()});
    }
}

const Course* Courses::FindPack(const Sha256Digest& packDigest) const {
    for (const Course& course : courses_) {
        if (course.pack && course.pack->digest == packDigest) {
            return &course;
        }
    }
    return nullptr;
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
