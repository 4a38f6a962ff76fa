// What the world table's tests share: a store of either kind, fresh for each test (a SQLite file
// in a scratch folder, or a new database in the PostgreSQL cluster the suite started), and the
// API's calls as a client makes them.
#pragma once

#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "server_process.h"
#include "support/scratch_dir.h"
#include "support/world_runs.h"

namespace vantrell::test {

// The cluster's folder, as scripts/pg_cluster.sh wrote it (the suite's environment starts it).
inline std::string PgHost() {
    std::ifstream state(VANTRELL_PG_STATE);
    std::string dir;
    std::getline(state, dir);
    return dir;
}

// A database address nobody else uses: `kind` is "sqlite" or "postgresql".
class FreshStore {
  public:
    explicit FreshStore(const std::string& kind) {
        if (kind == "sqlite") {
            address_ = "sqlite:" + (scratch_ / "world.sqlite").string();
            return;
        }
        static std::atomic<int> next = 0;
        const std::string name = "t" + std::to_string(getpid()) + "_" + std::to_string(next++);
        const Ran made = RunCommand("/usr/lib/postgresql/15/bin/createdb -h " + PgHost() +
                                    " -U vantrell " + name);
        EXPECT_EQ(made.status, 0) << made.output;
        address_ = "postgresql:///" + name + "?host=" + PgHost() + "&user=vantrell";
    }
    const std::string& address() const { return address_; }
    const ScratchDir& scratch() const { return scratch_; }

  private:
    ScratchDir scratch_;
    std::string address_;
};

inline std::vector<std::string> ServerArgs(const std::string& db) {
    return {
        "--db", db, "--game", GameDir().string(), "--requests-per-minute", "0", "--runs-per-minute",
        "0"};
}

struct Answer {
    int status = 0;
    nlohmann::json body;
    std::string bytes;
    std::string code() const {
        return body.is_object() && body.contains("error") ? body["error"]["code"].get<std::string>()
                                                          : std::string();
    }
};

inline Answer ToAnswer(const httplib::Result& result) {
    Answer answer;
    if (result) {
        answer.status = result->status;
        answer.bytes = result->body;
        answer.body = nlohmann::json::parse(result->body, nullptr, false);
    }
    return answer;
}

inline Answer Register(httplib::Client& client, const std::string& name) {
    return ToAnswer(
        client.Post("/api/v1/players", nlohmann::json{{"name", name}}.dump(), "application/json"));
}

inline Answer Send(httplib::Client& client, const std::string& key,
                   const std::vector<uint8_t>& file) {
    return ToAnswer(client.Post("/api/v1/runs", {{"Authorization", "Bearer " + key}},
                                std::string(file.begin(), file.end()), "application/octet-stream"));
}

inline Answer Board(httplib::Client& client, const Sha256Digest& course, int offset = 0,
                    int limit = 100) {
    return ToAnswer(client.Get("/api/v1/courses/" + HexDigest(course) + "/runs?offset=" +
                               std::to_string(offset) + "&limit=" + std::to_string(limit)));
}

// The runs of stage 1 the tests send, made once.
inline const CourseRuns& Stage1Runs() {
    static const CourseRuns runs = MakeCourseRuns(GameDir(), 0, 40);
    return runs;
}

}  // namespace vantrell::test
