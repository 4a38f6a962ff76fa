// The world table's request handler with no socket: any route, key and body, answered from a
// SQLite database in memory on the generated game's courses. Every answer must be a known
// status with a body the client can read (JSON under /api), and nothing may throw out of it.
// Input: byte 0 picks the route (bits 0-2) and whether the registered key goes with it (bit 3);
// then a parameter up to the first NUL (the query, digest, id or, for route 7, the whole path),
// then the body. A body of a run file's size gets its checksum made right, so the checks
// behind it are reached too.
#include <algorithm>
#include <memory>
#include <nlohmann/json.hpp>
#include <span>
#include <string>

#include "fuzz_support.h"
#include "records/run_file.h"
#include "server/sqlite_store.h"
#include "server/world_api.h"

using namespace vantrell;
using namespace vantrell::server;

namespace {

constexpr char kKey[] = "fuzz-key";

struct World {
    SqliteStore store{":memory:"};
    Courses courses = Courses::FromGameFolder(fuzz::GameDir());
    std::unique_ptr<WorldApi> api;
    World() {
        api = std::make_unique<WorldApi>(store, courses, fuzz::GameDir(), ApiLimits{0, 0});
        store.AddPlayer("Fuzz", PlayerKeyHash(kKey), 0);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static World world;
    if (size == 0) {
        return 0;
    }
    const uint8_t select = data[0];
    const std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const size_t cut = rest.find('\0');
    const std::string parameter = rest.substr(0, cut);
    std::string body = cut == std::string::npos ? std::string() : rest.substr(cut + 1);
    if (body.size() == kRunFileBytes) {
        constexpr size_t kSealed = kRunFileBytes - 32;
        const Sha256Digest checksum =
            Sha256Of(std::span(reinterpret_cast<const uint8_t*>(body.data()), kSealed));
        std::copy(checksum.begin(), checksum.end(), body.begin() + kSealed);
    }

    ApiRequest request;
    request.remote = "127.0.0.1";
    request.body = body;
    if (select & 8) {
        request.headers["authorization"] = std::string("Bearer ") + kKey;
    }
    switch (select & 7) {
        case 0:
            request.method = "POST";
            request.path = "/api/v1/players";
            break;
        case 1:
            request.method = "POST";
            request.path = "/api/v1/runs";
            break;
        case 2:
            request.method = "GET";
            request.path = "/api/v1/courses";
            break;
        case 3:
            request.method = "GET";
            request.path = "/api/v1/courses/" + HexDigest(world.courses.All()[0].digest) + "/runs";
            request.query["offset"] = parameter.substr(0, parameter.find('&'));
            request.query["limit"] =
                parameter.substr(std::min(parameter.size(), parameter.find('&') + 1));
            break;
        case 4:
            request.method = "GET";
            request.path = "/api/v1/runs/" + parameter;
            break;
        case 5:
            request.method = "GET";
            request.path = "/healthz";
            break;
        case 6:
            request.method = (select & 16) ? "POST" : "GET";
            request.path = "/metrics";
            break;
        default:
            request.method = (select & 16) ? "POST" : "GET";
            request.path = parameter;
            break;
    }
    const ApiResponse response = world.api->Handle(request);
    FUZZ_CHECK(response.status == 200 || response.status == 201 || response.status == 400 ||
               response.status == 401 || response.status == 403 || response.status == 404 ||
               response.status == 405 || response.status == 409 || response.status == 413 ||
               response.status == 422 || response.status == 429);
    if (request.path.starts_with("/api/") && response.contentType == "application/json") {
        const nlohmann::json answer = nlohmann::json::parse(response.body, nullptr, false);
        FUZZ_CHECK(answer.is_object());
        FUZZ_CHECK(response.status < 400 || answer["error"]["code"].is_string());
    }
    return 0;
}
