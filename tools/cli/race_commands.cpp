// verify, trace and autopilot: solo races driven headless, by a recording or by our driver.
#include <cstdio>
#include <string>

#include "autopilot/autopilot.h"
#include "cli/commands.h"
#include "cli/pack_folder.h"
#include "common/file_bytes.h"
#include "race/headless_race.h"

namespace vantrell::cli {

namespace {

void PrintOutcome(const RaceOutcome& outcome) {
    if (outcome.goal) {
        std::printf("goal %d\n", outcome.time);
    } else {
        std::printf("timeup\n");
    }
}

const AutopilotStyle& StyleArgument(const CliOptions& options) {
    if (options.style.empty()) {
        return AutopilotStyles().front();
    }
    const AutopilotStyle* style = FindAutopilotStyle(options.style);
    if (style == nullptr) {
        std::string names;
        for (const AutopilotStyle& s : AutopilotStyles()) {
            names += (names.empty() ? "" : ", ") + s.name;
        }
        throw CliError("--style " + options.style + ": no such driving style; choose one of " +
                       names);
    }
    return *style;
}

}  // namespace

int RunVerify(const CliOptions& options) {
    AcceptOnly(options, {"--stage", "--dir", "--pack", "--ladder"}, 1);
    if (options.positional.empty()) {
        return RunVerifyTables(options);
    }
    if (options.ladder) {
        throw CliError(
            "verify: --ladder checks the stored tables, not a recording; give no "
            "FILE.JOY with it");
    }
    const StagePlace place = RaceableStage(options);
    const Recording recording = ReadRecordingFile(RecordingArgument(options, false));
    HeadlessRace race(place.dir, place.stage);
    race.SetDrawing(Drawing::None);  // only the outcome counts
    PrintOutcome(race.Run(recording));
    return 0;
}

int RunTrace(const CliOptions& options) {
    AcceptOnly(options, {"--stage", "--dir", "--out", "--pack"}, 1);
    const StagePlace place = RaceableStage(options);
    const Recording recording = ReadRecordingFile(RecordingArgument(options, false));
    HeadlessRace race(place.dir, place.stage);
    race.SetDrawing(Drawing::None);  // only the outcome counts
    // The same text whether printed or written, so a trace file is the printed trace exactly.
    std::string csv = "tick,phase,x,y,posX,posY,velX,velY,heading,nextCheckpoint\n";
    race.Run(recording, [&csv](RacePhase phase, const GameState& game) {
        const CraftState& c = game.Crafts().first;
        char line[160];
        std::snprintf(line, sizeof line, "%d,%s,%d,%d,%d,%d,%d,%d,%d,%d\n",
                      game.Progress().RaceTicks(), RacePhaseName(phase), c.x, c.y, c.posX, c.posY,
                      c.velX, c.velY, c.heading, game.Progress().NextCheckpoint());
        csv += line;
    });
    if (options.out.empty()) {
        std::fwrite(csv.data(), 1, csv.size(), stdout);
    } else {
        tools::WriteFileBytes(options.out, tools::Bytes(csv.begin(), csv.end()));
    }
    return 0;
}

int RunAutopilot(const CliOptions& options) {
    AcceptOnly(options, {"--stage", "--dir", "--out", "--style", "--pack"});
    const AutopilotStyle& style = StyleArgument(options);
    if (options.out.empty()) {
        throw CliError("autopilot: no output file given; add --out FILE.JOY");
    }
    const StagePlace place = RaceableStage(options);
    HeadlessRace race(place.dir, place.stage);
    race.SetDrawing(Drawing::None);  // only the outcome counts
    const AutopilotRun run = DriveAutopilot(race, style);
    tools::WriteFileBytes(options.out, tools::Bytes(run.recording.begin(), run.recording.end()));
    PrintOutcome(run.outcome);
    return 0;
}

}  // namespace vantrell::cli
