// check-stage: the stage check as a command, for the build (every generated stage) and for
// anyone preparing a game folder by hand.
#include <cstdio>

#include "cli/commands.h"
#include "cli/pack_folder.h"
#include "io/file_bytes.h"
#include "race/stage_check.h"

namespace vantrell::cli {

int RunCheckStage(const CliOptions& options) {
    AcceptOnly(options, {"--stage", "--dir", "--pack"});
    if (PackGiven(options)) {
        // The pack reader checks the stage with everything else; whatever it refuses is the
        // problem this check found.
        RefuseStageWithPack(options);
        std::string why;
        const std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(options.pack, &why);
        if (!bytes) {
            throw CliError(options.pack + ": " + why + "; give a .vstage file");
        }
        const PackRead read = ReadStagePack(*bytes);
        if (!read.pack) {
            std::printf("%s: %s\n", options.pack.c_str(), read.problem.c_str());
            return 1;
        }
        std::printf("ok\n");
        return 0;
    }
    const int32_t stage = RequireStage(options);
    const std::vector<StageProblem> problems = CheckStage(GameFolder(options), stage);
    for (const StageProblem& problem : problems) {
        std::printf("%s: %s\n", problem.file.c_str(), problem.reason.c_str());
    }
    if (problems.empty()) {
        std::printf("ok\n");
        return 0;
    }
    return 1;
}

}  // namespace vantrell::cli
