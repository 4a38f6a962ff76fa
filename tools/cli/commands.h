// The tool's subcommands. Each prints its result on standard output and returns the exit
// status: 0 done, 1 a check that ran and found a problem; input it cannot use is thrown as
// CliError (exit status 2).
#pragma once

#include <string>
#include <vector>

#include "cli/cli_options.h"

namespace vantrell::cli {

int RunVerify(const CliOptions& options);
// verify without a recording file: the stored runs of stage --stage, or of every stage.
int RunVerifyTables(const CliOptions& options);
int RunTable(const CliOptions& options);
int RunExport(const CliOptions& options);
int RunImport(const CliOptions& options);
int RunTrace(const CliOptions& options);
int RunAutopilot(const CliOptions& options);
int RunRender(const CliOptions& options);
int RunReplay(const CliOptions& options);
int RunMakeRecords(const CliOptions& options);
int RunCheckStage(const CliOptions& options);
int RunDigest(const CliOptions& options);
int RunMakeStage(const CliOptions& options);
// world register|send|table|ghost: the tool as a world table client; its own options.
int RunWorld(const std::vector<std::string>& args);

}  // namespace vantrell::cli
