#include "server/world_api.h"

#include <sys/random.h>

#include <charconv>
#include <ctime>
#include <nlohmann/json.hpp>

#include "race/run_check.h"
#include "records/hiscore_table.h"
#include "records/record_names.h"
#include "records/run_file.h"

namespace vantrell::server {

namespace {

using nlohmann::json;

int64_t Now() {
    return static_cast<int64_t>(std::time(nullptr));
}

std::string IsoTime(int64_t when) {
    const std::time_t t = static_cast<std::time_t>(when);
    std::tm tm{};
    gmtime_r(&t, &tm);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &tm);
    return text;
}

ApiResponse Json(int status, const json& body) {
    ApiResponse response;
    response.status = status;
    response.body = body.dump();
    return response;
}

// A refusal: a stable code for programs and a line in English for people.
ApiResponse Refuse(int status, const char* code, const std::string& message) {
    return Json(status, {{"error", {{"code", code}, {"message", message}}}});
}

std::optional<Sha256Digest> ParseDigest(std::string_view hex) {
    Sha256Digest digest{};
    if (hex.size() != 2 * digest.size()) {
        return std::nullopt;
    }
    for (size_t i = 0; i < digest.size(); ++i) {
        const auto [end, error] =
            std::from_chars(hex.data() + 2 * i, hex.data() + 2 * i + 2, digest[i], 16);
        if (error != std::errc() || end != hex.data() + 2 * i + 2) {
            return std::nullopt;
        }
    }
    return digest;
}

std::optional<int64_t> ParseCount(const std::string& text, int64_t max) {
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > max) {
        return std::nullopt;
    }
    return value;
}

std::string NewKeyBytes() {
    std::array<uint8_t, 32> bytes{};
    size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = getrandom(bytes.data() + filled, bytes.size() - filled, 0);
        if (got < 0) {
            throw StoreUnavailable("no random bytes for a key");
        }
        filled += static_cast<size_t>(got);
    }
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::string Header(const ApiRequest& request, const std::string& name) {
    const auto found = request.headers.find(name);
    return found == request.headers.end() ? std::string() : found->second;
}

std::optional<std::string> BearerKey(const ApiRequest& request) {
    const std::string value = Header(request, "authorization");
    constexpr std::string_view kBearer = "Bearer ";
    if (value.size() <= kBearer.size() || value.compare(0, kBearer.size(), kBearer) != 0) {
        return std::nullopt;
    }
    return value.substr(kBearer.size());
}

json NameJson(const std::string& stored) {
    return {{"name", NameForDisplay(stored)}, {"name_sjis", Hex(stored)}};
}

}  // namespace

std::string NewPlayerKey() {
    return Hex(NewKeyBytes());
}

Sha256Digest PlayerKeyHash(std::string_view key) {
    return Sha256Of(std::span(reinterpret_cast<const uint8_t*>(key.data()), key.size()));
}

std::string Hex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(2 * bytes.size());
    for (const unsigned char byte : bytes) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 15];
    }
    return hex;
}

WorldApi::WorldApi(Store& store, const Courses& courses, const std::filesystem::path& gameFolder,
                   ApiLimits limits)
    : store_(store),
      courses_(courses),
      limits_(limits),
      perAddress_(limits.requestsPerAddress),
      perKey_(limits.runsPerKey) {
    SeedStaffRuns(gameFolder);
}

void WorldApi::SeedStaffRuns(const std::filesystem::path& gameFolder) {
    store_.AddPlayer(kStaffName, std::nullopt, Now());
    const std::optional<Player> staff = store_.PlayerByName(kStaffName);
    for (const Course& course : courses_.All()) {
        HiScoreTable table(gameFolder);
        table.Load(course.stage, course.records);
        table.Rank();
        for (int32_t rank = 1; rank <= kHiScoreSlots; ++rank) {
            const HiScoreEntry& entry = table.AtRank(rank);
            if (entry.Empty()) {
                continue;
            }
            const Drive drive = courses_.DriveOn(course, entry.recording);
            if (!drive.outcome.goal || drive.outcome.time != entry.time) {
                continue;  // a record that does not drive to its time is no staff run
            }
            const vantrell::RunFile file{course.stage, course.digest, kStaffName, entry.time,
                                         entry.recording};
            store_.Seed({course.digest, staff->id, rank - 1, entry.time, drive.inputs,
                         WriteRunFile(file), Now()});
        }
    }
}

ApiResponse WorldApi::Handle(const ApiRequest& request) {
    std::string route = "other";
    ApiResponse response;
    try {
        response = Route(request, route);
    } catch (const StoreUnavailable& error) {
        response = Refuse(503, "unavailable",
                          "the world table's database cannot be reached; try again later");
        response.headers.emplace_back("Retry-After", "5");
    }
    if (request.path.starts_with("/api/")) {
        response.headers.emplace_back("Cache-Control", "no-store");
    }
    metrics_.CountRequest(route, response.status);
    return response;
}

ApiResponse WorldApi::Route(const ApiRequest& request, std::string& route) {
    const std::string& path = request.path;
    const bool get = request.method == "GET" || request.method == "HEAD";
    const bool post = request.method == "POST";
    if (path == "/healthz") {
        route = "/healthz";
        return Health();
    }
    if (path == "/metrics") {
        route = "/metrics";
        ApiResponse response;
        response.contentType = "text/plain; version=0.0.4";
        response.body = metrics_.Text();
        return response;
    }
    if (!path.starts_with("/api/")) {
        return Refuse(404, "not_found", "no such address");
    }
    if (const int32_t wait = perAddress_.Take(request.remote); wait > 0) {
        route = "limited";
        ApiResponse response =
            Refuse(429, "rate_limited", "too many requests from this address; wait a minute");
        response.headers.emplace_back("Retry-After", std::to_string(wait));
        return response;
    }
    constexpr std::string_view kCourses = "/api/v1/courses/";
    constexpr std::string_view kRuns = "/api/v1/runs/";
    constexpr std::string_view kPacks = "/api/v1/packs/";
    if (path == "/api/v1/players") {
        route = "/api/v1/players";
        return post ? RegisterPlayer(request) : Refuse(405, "method", "use POST");
    }
    if (path == "/api/v1/runs") {
        route = "/api/v1/runs";
        return post ? SubmitRun(request) : Refuse(405, "method", "use POST");
    }
    if (path == "/api/v1/courses") {
        route = "/api/v1/courses";
        return get ? ListCourses() : Refuse(405, "method", "use GET");
    }
    if (path.starts_with(kCourses) && path.ends_with("/runs")) {
        route = "/api/v1/courses/{digest}/runs";
        const std::string digest =
            path.substr(kCourses.size(), path.size() - kCourses.size() - std::strlen("/runs"));
        return get ? ListRuns(request, digest) : Refuse(405, "method", "use GET");
    }
    if (path.starts_with(kPacks)) {
        route = "/api/v1/packs/{digest}";
        return get ? PackFile(path.substr(kPacks.size())) : Refuse(405, "method", "use GET");
    }
    if (path.starts_with(kRuns)) {
        route = "/api/v1/runs/{id}";
        return get ? RunFileOf(path.substr(kRuns.size())) : Refuse(405, "method", "use GET");
    }
    return Refuse(404, "not_found", "no such address");
}

ApiResponse WorldApi::RegisterPlayer(const ApiRequest& request) {
    const json body = json::parse(request.body, nullptr, false);
    if (!body.is_object() || !body.contains("name") || !body["name"].is_string()) {
        return Refuse(400, "bad_request", "send JSON with the name: {\"name\": \"...\"}");
    }
    const std::string typed = body["name"].get<std::string>();
    const std::optional<std::string> name = EncodeName(typed);
    if (typed.empty()) {
        return Refuse(422, "name_empty", "a name is needed");
    }
    if (!name) {
        return Refuse(422, "name_unfit",
                      "the name holds a character a record file cannot keep (Shift-JIS)");
    }
    if (name->size() > kNameBytes) {
        return Refuse(422, "name_too_long", "the name is over 15 bytes in Shift-JIS");
    }
    std::string folded = *name;
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (folded == "staff") {
        return Refuse(409, "name_taken", "that name is taken; choose another");
    }
    const std::string key = NewPlayerKey();
    if (!store_.AddPlayer(*name, PlayerKeyHash(key), Now())) {
        return Refuse(409, "name_taken", "that name is taken; choose another");
    }
    json answer = NameJson(*name);
    answer["key"] = key;
    return Json(201, answer);
}

ApiResponse WorldApi::SubmitRun(const ApiRequest& request) {
    const std::optional<std::string> key = BearerKey(request);
    if (!key) {
        return Refuse(401, "no_key", "no player key: send Authorization: Bearer KEY");
    }
    if (const int32_t wait = perKey_.Take(*key); wait > 0) {
        ApiResponse response =
            Refuse(429, "rate_limited", "too many runs with this key; wait a minute");
        response.headers.emplace_back("Retry-After", std::to_string(wait));
        return response;
    }
    if (request.body.size() > kRunFileBytes) {
        return Refuse(413, "too_large", "a run file is 2494 bytes");
    }
    const std::optional<Player> player = store_.PlayerByKey(PlayerKeyHash(*key));
    if (!player) {
        return Refuse(401, "unknown_key", "this key belongs to no name here; register first");
    }
    const RunFileRead read = ReadRunFile(
        std::span(reinterpret_cast<const uint8_t*>(request.body.data()), request.body.size()));
    if (!read.run) {
        return Refuse(422, "damaged", "the run file " + read.problem);
    }
    const vantrell::RunFile& run = *read.run;
    const Course* course = courses_.Find(run.course);
    if (!course) {
        return Refuse(422, "unknown_course",
                      "made on a course this world table does not know; nothing stored");
    }
    if (run.name != player->name) {
        return Refuse(403, "name_not_key",
                      "the run is set under " + NameForDisplay(run.name) +
                          ", not under this key's name " + NameForDisplay(player->name));
    }
    const auto start = std::chrono::steady_clock::now();
    const Drive drive = courses_.DriveOn(*course, run.recording);
    metrics_.CountVerified(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    if (!drive.outcome.goal || drive.outcome.time != run.time) {
        return Refuse(422, "time_not_driven",
                      "claims " + std::to_string(run.time) +
                          " ticks, but its recording drives to " + OutcomeText(drive.outcome) +
                          "; nothing stored");
    }
    const std::vector<uint8_t> bytes(request.body.begin(), request.body.end());
    const SubmitResult result =
        store_.Submit({run.course, player->id, 0, run.time, drive.inputs, bytes, Now()});
    switch (result.outcome) {
        case SubmitOutcome::NotFaster:
            return Refuse(409, "not_faster",
                          "not faster than your best on this course (" +
                              std::to_string(result.bestTime) + " ticks); nothing stored");
        case SubmitOutcome::Duplicate:
            return Refuse(409, "duplicate",
                          "the same run is on the board under another name; nothing stored");
        case SubmitOutcome::Stored:
            break;
    }
    json answer = NameJson(player->name);
    answer["id"] = result.id;
    answer["rank"] = result.rank;
    answer["time"] = run.time;
    answer["course"] = HexDigest(run.course);
    answer["stage"] = course->pack ? json(nullptr) : json(run.stage + 1);
    ApiResponse response = Json(201, answer);
    response.headers.emplace_back("Location", "/api/v1/runs/" + std::to_string(result.id));
    return response;
}

ApiResponse WorldApi::ListCourses() {
    json list = json::array();
    for (const Course& course : courses_.All()) {
        json entry = {{"digest", HexDigest(course.digest)},
                      {"runs", store_.BoardSize(course.digest)}};
        if (course.pack) {
            entry["pack"] = {{"name", course.pack->nameEn},
                             {"name_ja", course.pack->nameJa},
                             {"author", course.pack->author},
                             {"version", course.pack->version},
                             {"digest", HexDigest(course.pack->digest)},
                             {"bytes", course.pack->bytes.size()}};
        } else {
            entry["stage"] = course.stage + 1;
        }
        list.push_back(entry);
    }
    return Json(200, {{"courses", list}});
}

ApiResponse WorldApi::ListRuns(const ApiRequest& request, const std::string& digestHex) {
    const std::optional<Sha256Digest> digest = ParseDigest(digestHex);
    const Course* course = digest ? courses_.Find(*digest) : nullptr;
    if (!course) {
        return Refuse(404, "unknown_course", "no such course on this world table");
    }
    const auto get = [&](const char* name, int64_t fallback, int64_t max) {
        const auto found = request.query.find(name);
        return found == request.query.end() ? std::optional<int64_t>(fallback)
                                            : ParseCount(found->second, max);
    };
    const std::optional<int64_t> offset = get("offset", 0, 1'000'000'000);
    const std::optional<int64_t> limit = get("limit", 50, 100);
    if (!offset || !limit) {
        return Refuse(400, "bad_request", "offset is 0 or more, limit 0 to 100");
    }
    const auto entryOf = [](const BoardRun& run) {
        json entry = NameJson(run.name);
        entry["rank"] = run.rank;
        entry["id"] = run.id;
        entry["time"] = run.time;
        entry["when"] = IsoTime(run.when);
        return entry;
    };
    json runs = json::array();
    for (const BoardRun& run : store_.Board(course->digest, *offset, *limit)) {
        runs.push_back(entryOf(run));
    }
    json answer = {{"course", digestHex},
                   {"stage", course->pack ? json(nullptr) : json(course->stage + 1)},
                   {"total", store_.BoardSize(course->digest)},
                   {"runs", runs}};
    // With the player's key, their own place too, wherever it is on the board.
    if (const std::optional<std::string> key = BearerKey(request)) {
        if (const std::optional<Player> player = store_.PlayerByKey(PlayerKeyHash(*key))) {
            const std::optional<BoardRun> own = store_.RunOf(course->digest, player->id);
            answer["own"] = own ? entryOf(*own) : json(nullptr);
        }
    }
    return Json(200, answer);
}

ApiResponse WorldApi::RunFileOf(const std::string& idText) {
    const std::optional<int64_t> id = ParseCount(idText, INT64_MAX);
    const std::optional<std::vector<uint8_t>> bytes = id ? store_.RunFileBytes(*id) : std::nullopt;
    if (!bytes) {
        return Refuse(404, "no_run", "no such run on this world table");
    }
    ApiResponse response;
    response.contentType = "application/octet-stream";
    response.body.assign(bytes->begin(), bytes->end());
    response.headers.emplace_back("Content-Disposition",
                                  "attachment; filename=\"world-" + idText + ".run\"");
    return response;
}

ApiResponse WorldApi::PackFile(const std::string& digestHex) {
    const std::optional<Sha256Digest> digest = ParseDigest(digestHex);
    const Course* course = digest ? courses_.FindPack(*digest) : nullptr;
    if (!course) {
        return Refuse(404, "no_pack", "no such stage pack on this world table");
    }
    ApiResponse response;
    response.contentType = "application/zip";
    response.body.assign(course->pack->bytes.begin(), course->pack->bytes.end());
    response.headers.emplace_back("Content-Disposition",
                                  "attachment; filename=\"" + course->pack->fileName + "\"");
    return response;
}

ApiResponse WorldApi::Health() {
    if (!store_.Healthy()) {
        return Refuse(503, "unavailable", "the database cannot be reached");
    }
    ApiResponse response;
    response.contentType = "text/plain";
    response.body = "ok\n";
    return response;
}

}  // namespace vantrell::server
