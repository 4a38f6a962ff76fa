// The tool's subcommands. Each prints its result on standard output and returns the exit
// status; faults the user can fix are thrown as CliError.
#pragma once

#include "cli/cli_options.h"

namespace vantrell::cli {

int RunVerify(const CliOptions& options);
int RunTrace(const CliOptions& options);
int RunAutopilot(const CliOptions& options);
int RunRender(const CliOptions& options);
int RunReplay(const CliOptions& options);
int RunMakeRecords(const CliOptions& options);

}  // namespace vantrell::cli
