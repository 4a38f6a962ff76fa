// The world table on a socket: cpp-httplib hands every request to WorldApi (under /api, and
// /healthz and /metrics) or to the browser build's files.
#pragma once

#include <filesystem>
#include <string>

#include "server/world_api.h"

namespace vantrell::server {

struct ListenOptions {
    std::string host = "127.0.0.1";
    int port = 8080;
    std::filesystem::path www;  // empty: no page served
    int threads = 64;           // one a connection kept open
};

// Serves until the process is stopped; false, with `error`, when the address cannot be bound.
bool Serve(WorldApi& api, const ListenOptions& options, std::string& error);

}  // namespace vantrell::server
