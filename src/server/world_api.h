// The world table's HTTP API as a function of a request: routing, keys, limits, checking runs
// by driving them, and the answers. No socket here: the server hands requests in, and the
// fuzz target does the same. The API is described in docs/world-api.md.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "server/courses.h"
#include "server/metrics.h"
#include "server/rate_limit.h"
#include "server/store.h"

namespace vantrell::server {

struct ApiRequest {
    std::string method;  // "GET", "POST", ...
    std::string path;    // without the query
    std::map<std::string, std::string> query;
    std::map<std::string, std::string> headers;  // names in lower case
    std::string body;
    std::string remote;  // the client's address, for the limits
};

struct ApiResponse {
    int status = 200;
    std::string contentType = "application/json";
    std::string body;
    std::vector<std::pair<std::string, std::string>> headers;
};

struct ApiLimits {
    int32_t requestsPerAddress = 600;  // a minute, every /api request; 0: no limit
    int32_t runsPerKey = 60;           // a minute, run submissions
};

// The name the staff runs stand under; nobody can register it.
inline constexpr char kStaffName[] = "Staff";

class WorldApi {
  public:
    // Seeds every course's board with the staff runs of `gameFolder`'s tables.
    WorldApi(Store& store, const Courses& courses, const std::filesystem::path& gameFolder,
             ApiLimits limits = {});

    ApiResponse Handle(const ApiRequest& request);
    Metrics& metrics() { return metrics_; }

  private:
    ApiResponse Route(const ApiRequest& request, std::string& route);
    ApiResponse RegisterPlayer(const ApiRequest& request);
    ApiResponse SubmitRun(const ApiRequest& request);
    ApiResponse ListCourses();
    ApiResponse ListRuns(const ApiRequest& request, const std::string& digestHex);
    ApiResponse RunFileOf(const std::string& idText);
    ApiResponse PackFile(const std::string& digestHex);
    ApiResponse Health();
    void SeedStaffRuns(const std::filesystem::path& gameFolder);

    Store& store_;
    const Courses& courses_;
    ApiLimits limits_;
    RateLimiter perAddress_;
    RateLimiter perKey_;
    Metrics metrics_;
};

// A new player key: 256 random bits as 64 hex digits. Only its hash is ever stored.
std::string NewPlayerKey();
Sha256Digest PlayerKeyHash(std::string_view key);

// Lower-case hexadecimal of any bytes.
std::string Hex(std::string_view bytes);

}  // namespace vantrell::server
