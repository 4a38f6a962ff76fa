// check-stage: the stage check as a command, for the build (every generated stage) and for
// anyone preparing a game folder by hand.
#include <cstdio>

#include "cli/commands.h"
#include "race/stage_check.h"

namespace vantrell::cli {

int RunCheckStage(const CliOptions& options) {
    AcceptOnly(options, {"--stage", "--dir"});
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
