// The operator's commands: `vantrell-server admin ...`.
#pragma once

#include <string>
#include <vector>

namespace vantrell::server {

// Runs one command (its words in `args`) on the database at `db`; the exit status.
int RunAdmin(const std::string& db, const std::vector<std::string>& args);

}  // namespace vantrell::server
