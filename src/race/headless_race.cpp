#include "race/headless_race.h"

#include <system_error>

#include "input/control_code.h"

namespace vantrell {

namespace {

GameServices ServicesFor(const std::filesystem::path& dataDir) {
    GameServices services;
    services.dataDir = dataDir;
    return services;
}

}  // namespace

const char* RacePhaseName(RacePhase phase) {
    switch (phase) {
        case RacePhase::Countdown:
            return "countdown";
        case RacePhase::Running:
            return "running";
        case RacePhase::Finish:
            return "finish";
    }
    return "running";
}

HeadlessRace::HeadlessRace(const std::filesystem::path& dataDir, int32_t stage)
    : game_(ServicesFor(dataDir)) {
    game_.Create();
    game_.SelectStage(stage);
}

HeadlessRace::HeadlessRace(int32_t stage, const StageBytes& files) : game_(ServicesFor({})) {
    game_.Create(files, stage);
    game_.SelectStage(stage, files);  // the demonstration, as choosing the stage starts it
}

bool HeadlessRace::StageFilesPresent(const std::filesystem::path& dataDir, int32_t stage,
                                     std::string* missing) {
    const std::string n = std::to_string(stage);
    for (const std::string& name :
         {"MAP" + n + "_8.BMP", "MAP" + n + ".DAT", "TYPE_" + n + ".DAT", "CHR" + n + "_8.BMP",
          std::string("CHR_H0.DAT"), "OBJ" + n + ".COD", "CHK" + n + ".COD"}) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(dataDir / name, error)) {
            if (missing != nullptr) {
                *missing = (dataDir / name).string();
            }
            return false;
        }
    }
    return true;
}

void HeadlessRace::StartSolo() {
    game_.StartSolo();
    over_ = false;
}

RacePhase NextPhaseOf(const RaceProgress& progress) {
    if (progress.Countdown() > 0) {
        return RacePhase::Countdown;
    }
    if (progress.FinishCounter() > 0) {
        return RacePhase::Finish;
    }
    return RacePhase::Running;
}

uint8_t RecordedByteForNextTick(const RaceProgress& progress, const Recording& recording) {
    // Tick 2400 (time-up) has no byte.
    const int32_t tick = progress.RaceTicks() + 1;
    return NextPhaseOf(progress) == RacePhase::Running && tick < kRaceTickLimit
               ? recording[static_cast<size_t>(tick)]
               : 0;
}

RacePhase HeadlessRace::NextPhase() const {
    return NextPhaseOf(game_.Progress());
}

int32_t HeadlessRace::Step(uint8_t byte) {
    // Player 2 has no device, so no input.
    const int32_t result = game_.RaceStep(TickInput{RecordedControls(byte), 0}, drawing_);
    if (result > 0) {
        over_ = true;
    }
    return result;
}

RaceOutcome HeadlessRace::Outcome() const {
    RaceOutcome outcome;
    outcome.goal = game_.Progress().NextCheckpoint() >= kCheckpointCount;
    outcome.time = game_.Progress().RaceTicks();
    return outcome;
}

RaceOutcome HeadlessRace::Run(const Recording& recording,
                              const std::function<void(RacePhase, const GameState&)>& afterStep) {
    StartSolo();
    // A race lasts at most the countdown, the time limit and the finish; the bound only guards
    // against a game that never reports the end.
    constexpr int32_t kMaxSteps = kCountdownStart + kRaceTickLimit + kFinishLast + 8;
    for (int32_t i = 0; i < kMaxSteps && !over_; ++i) {
        const RacePhase phase = NextPhase();
        Step(RecordedByteForNextTick(game_.Progress(), recording));
        if (afterStep) {
            afterStep(phase, game_);
        }
    }
    return Outcome();
}

}  // namespace vantrell
