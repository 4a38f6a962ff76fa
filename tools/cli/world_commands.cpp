// world: the tool as a client of a world table server (vantrell-server). A name registered
// there is kept with its key and the server's address in a key file, so later commands need
// neither; the key never leaves that file but in the Authorization header.
#include <httplib.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "common/file_bytes.h"
#include "io/atomic_save.h"
#include "io/file_bytes.h"
#include "race/course_digest.h"
#include "race/run_check.h"
#include "records/record_names.h"
#include "records/run_file.h"

namespace vantrell::cli {

namespace {

using nlohmann::json;

struct WorldArgs {
    std::string action;
    std::vector<std::string> positional;
    std::string server;
    std::string keyFile;
    std::string dir;
    std::string out;
    std::optional<int32_t> stage;
    int32_t rank = 1;
    int32_t offset = 0;
    int32_t limit = 20;
};

int32_t Number(const std::string& flag, const std::string& text) {
    try {
        size_t used = 0;
        const int value = std::stoi(text, &used);
        if (used == text.size()) {
            return value;
        }
    } catch (const std::exception&) {
    }
    throw CliError(flag + " " + text + ": give a whole number");
}

WorldArgs ParseWorld(const std::vector<std::string>& args) {
    WorldArgs world;
    if (args.size() < 2) {
        throw CliError("world: give register, send, table or ghost; see 'vantrell-tool --help'");
    }
    world.action = args[1];
    for (size_t i = 2; i < args.size(); ++i) {
        const std::string& flag = args[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= args.size()) {
                throw CliError(flag + ": give a value after it");
            }
            return args[++i];
        };
        if (flag == "--server") {
            world.server = value();
        } else if (flag == "--key") {
            world.keyFile = value();
        } else if (flag == "--dir") {
            world.dir = value();
        } else if (flag == "--out") {
            world.out = value();
        } else if (flag == "--stage") {
            world.stage = Number(flag, value());
        } else if (flag == "--rank") {
            world.rank = Number(flag, value());
        } else if (flag == "--offset") {
            world.offset = Number(flag, value());
        } else if (flag == "--limit") {
            world.limit = Number(flag, value());
        } else if (flag.starts_with("--")) {
            throw CliError(flag + ": not an option of world " + world.action);
        } else {
            world.positional.push_back(flag);
        }
    }
    return world;
}

std::filesystem::path DefaultKeyFile() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    const std::filesystem::path base = config && *config ? std::filesystem::path(config)
                                       : home            ? std::filesystem::path(home) / ".config"
                                                         : std::filesystem::path(".");
    return base / "vantrell" / "world-key";
}

struct KeyFile {
    std::string server;
    std::string name;  // as typed (UTF-8)
    std::string key;
};

std::filesystem::path KeyPath(const WorldArgs& world) {
    return world.keyFile.empty() ? DefaultKeyFile() : std::filesystem::path(world.keyFile);
}

KeyFile ReadKeyFile(const WorldArgs& world) {
    const std::filesystem::path path = KeyPath(world);
    std::ifstream in(path);
    if (!in) {
        throw CliError(path.string() + ": no key file; register a name first with " +
                       "'vantrell-tool world register NAME --server URL'");
    }
    const json content = json::parse(in, nullptr, false);
    if (!content.is_object() || !content.contains("key") || !content["key"].is_string() ||
        !content.contains("server") || !content.contains("name")) {
        throw CliError(path.string() + ": not a key file that 'world register' wrote");
    }
    return {content["server"], content["name"], content["key"]};
}

std::string ServerOf(const WorldArgs& world) {
    if (!world.server.empty()) {
        return world.server;
    }
    return ReadKeyFile(world).server;
}

httplib::Client Connect(const std::string& server) {
    if (!server.starts_with("http://") && !server.starts_with("https://")) {
        throw CliError("--server " + server +
                       ": give the address as http://HOST:PORT or https://HOST");
    }
    httplib::Client client(server);
    client.set_connection_timeout(5, 0);
    client.set_read_timeout(15, 0);
    client.set_tcp_nodelay(true);
    return client;
}

// The answer's JSON, or a CliError that says what went wrong in one line.
json Expect(const httplib::Result& result, const std::string& server, int status) {
    if (!result) {
        throw CliError(server + ": no answer (" + httplib::to_string(result.error()) +
                       "); is the server running?");
    }
    const json body = json::parse(result->body, nullptr, false);
    if (result->status != status) {
        if (body.is_object() && body.contains("error")) {
            throw CliError(
                "the world table refused: " + body["error"]["message"].get<std::string>() + " (" +
                body["error"]["code"].get<std::string>() + ")");
        }
        throw CliError(server + ": answered " + std::to_string(result->status));
    }
    return body;
}

int Register(const WorldArgs& world) {
    if (world.positional.size() != 1 || world.server.empty()) {
        throw CliError("world register: give the name and --server URL");
    }
    httplib::Client client = Connect(world.server);
    const json answer =
        Expect(client.Post("/api/v1/players", json{{"name", world.positional[0]}}.dump(),
                           "application/json"),
               world.server, 201);
    const std::string text =
        json{{"server", world.server}, {"name", answer["name"]}, {"key", answer["key"]}}.dump(2) +
        "\n";
    const std::filesystem::path path = KeyPath(world);
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    if (const std::optional<SaveFailure> failure = SaveFile(path, BytesOf(text))) {
        throw CliError(path.string() + ": the key could not be saved (" + failure->error.message() +
                       "); the name is registered, but its key is " +
                       answer["key"].get<std::string>());
    }
    chmod(path.c_str(), 0600);  // the key is the name's password
    std::printf("registered %s on %s; key kept in %s\n", answer["name"].get<std::string>().c_str(),
                world.server.c_str(), path.string().c_str());
    return 0;
}

std::vector<uint8_t> RunToSend(const WorldArgs& world, const KeyFile& key) {
    if (!world.positional.empty()) {
        std::string why;
        std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(world.positional[0], &why);
        if (!bytes) {
            throw CliError(world.positional[0] + ": " + why);
        }
        return std::move(*bytes);
    }
    if (!world.stage) {
        throw CliError(
            "world send: give a run file, or --stage N [--rank K] for a run of the table");
    }
    CliOptions local;
    local.stage = world.stage;
    local.dir = world.dir;
    const int32_t stage = RequireStage(local);
    const std::filesystem::path dir = GameDirectory(local, stage);
    HiScoreTable table(dir);
    table.Load(stage);
    table.Rank();
    if (world.rank < 1 || world.rank > kHiScoreSlots || table.AtRank(world.rank).Empty()) {
        throw CliError("--rank " + std::to_string(world.rank) + ": no run there on " +
                       StageName(stage));
    }
    const HiScoreEntry& entry = table.AtRank(world.rank);
    const std::optional<std::string> name = EncodeName(key.name);
    if (!name || *name != entry.name) {
        throw CliError(StageName(stage) + " rank " + std::to_string(world.rank) + " is " +
                       NameForDisplay(entry.name) + "'s run, not " + key.name +
                       "'s; the world table takes runs under the registered name");
    }
    const std::optional<Sha256Digest> course = CourseDigest(dir, stage);
    if (!course) {
        throw CliError(StageName(stage) + ": its files cannot be read");
    }
    return WriteRunFile({stage, *course, entry.name, entry.time, entry.recording});
}

int Send(const WorldArgs& world) {
    const KeyFile key = ReadKeyFile(world);
    const std::string server = world.server.empty() ? key.server : world.server;
    const std::vector<uint8_t> bytes = RunToSend(world, key);
    httplib::Client client = Connect(server);
    const json answer =
        Expect(client.Post("/api/v1/runs", {{"Authorization", "Bearer " + key.key}},
                           std::string(bytes.begin(), bytes.end()), "application/octet-stream"),
               server, 201);
    // The server numbers stages as the menus do; a pack's course has no number.
    const std::string where = answer["stage"].is_number()
                                  ? "stage " + std::to_string(answer["stage"].get<int>())
                                  : std::string("its course");
    std::printf("on the world table of %s at rank %lld: %s, %d ticks (run %lld)\n", where.c_str(),
                answer["rank"].get<long long>(), answer["name"].get<std::string>().c_str(),
                answer["time"].get<int>(), answer["id"].get<long long>());
    return 0;
}

int Table(const WorldArgs& world) {
    CliOptions local;
    local.stage = world.stage;
    local.dir = world.dir;
    const int32_t stage = RequireStage(local);
    const std::optional<Sha256Digest> course = CourseDigest(GameDirectory(local, stage), stage);
    if (!course) {
        throw CliError(StageName(stage) + ": its files cannot be read");
    }
    const std::string server = ServerOf(world);
    httplib::Client client = Connect(server);
    const std::string path = "/api/v1/courses/" + HexDigest(*course) +
                             "/runs?offset=" + std::to_string(world.offset) +
                             "&limit=" + std::to_string(world.limit);
    const httplib::Result result = client.Get(path);
    if (result && result->status == 404) {
        throw CliError(server + " keeps no table for " + StageName(stage) +
                       " as this folder's files make it");
    }
    const json answer = Expect(result, server, 200);
    std::printf("%s on %s: %lld runs\n rank  time  run  when                  name\n",
                StageName(stage).c_str(), server.c_str(), answer["total"].get<long long>());
    for (const json& run : answer["runs"]) {
        std::printf("%5lld %5d %4lld  %s  %s\n", run["rank"].get<long long>(),
                    run["time"].get<int>(), run["id"].get<long long>(),
                    run["when"].get<std::string>().c_str(), run["name"].get<std::string>().c_str());
    }
    return 0;
}

int Ghost(const WorldArgs& world) {
    if (world.positional.size() != 1 || world.out.empty()) {
        throw CliError(
            "world ghost: give the run's number (world table lists it) and --out FILE.run");
    }
    const std::string server = ServerOf(world);
    httplib::Client client = Connect(server);
    const httplib::Result result = client.Get("/api/v1/runs/" + world.positional[0]);
    if (!result || result->status != 200) {
        Expect(result, server, 200);
    }
    const std::vector<uint8_t> bytes(result->body.begin(), result->body.end());
    const RunFileRead read = ReadRunFile(bytes);
    if (!read.run) {
        throw CliError("run " + world.positional[0] + " from " + server + ": " + read.problem +
                       "; nothing written");
    }
    tools::WriteFileBytes(world.out, bytes);
    std::printf(
        "run %s: %s, %s, %d ticks, written to %s; race it in the game with "
        "\"Race a run file\"\n",
        world.positional[0].c_str(), NameForDisplay(read.run->name).c_str(),
        StageName(read.run->stage).c_str(), static_cast<int>(read.run->time), world.out.c_str());
    return 0;
}

}  // namespace

int RunWorld(const std::vector<std::string>& args) {
    const WorldArgs world = ParseWorld(args);
    if (world.action == "register") {
        return Register(world);
    }
    if (world.action == "send") {
        return Send(world);
    }
    if (world.action == "table") {
        return Table(world);
    }
    if (world.action == "ghost") {
        return Ghost(world);
    }
    throw CliError("world " + world.action + ": give register, send, table or ghost");
}

}  // namespace vantrell::cli
