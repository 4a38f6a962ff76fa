// The world table through its real door: vantrell-server as a program on loopback, HTTP
// requests, a real SQLite file or PostgreSQL database. The same tests run on both stores.
#include <algorithm>

#include "race/headless_race.h"
#include "records/record_names.h"
#include "records/run_file.h"
#include "world_test_support.h"

namespace vantrell::test {
namespace {

using nlohmann::json;

class WorldTable : public ::testing::TestWithParam<std::string> {
  protected:
    FreshStore store_{GetParam()};
};

TEST_P(WorldTable, NamesRegisterOnceAsTheRecordFileWouldKeepThem) {
    ServerProcess server(ServerArgs(store_.address()));
    ASSERT_TRUE(server.ready());
    httplib::Client client = server.Client();

    const Answer ada = Register(client, "Ada");
    ASSERT_EQ(ada.status, 201) << ada.bytes;
    EXPECT_GE(ada.body["key"].get<std::string>().size(), 32u);  // 128 bits or more, in hex
    EXPECT_EQ(Register(client, "Ada").code(), "name_taken");
    EXPECT_EQ(Register(client, "staff").code(), "name_taken");  // the staff runs' name

    const Answer japanese = Register(client, "ゾエ");
    ASSERT_EQ(japanese.status, 201);
    EXPECT_EQ(japanese.body["name"], "ゾエ");
    EXPECT_EQ(japanese.body["name_sjis"], "835d8347");  // the bytes a record file keeps

    EXPECT_EQ(Register(client, "Zoë").code(), "name_unfit");  // no Shift-JIS form
    EXPECT_EQ(Register(client, "sixteen-letters!").code(), "name_too_long");
    EXPECT_EQ(Register(client, "").code(), "name_empty");
    EXPECT_EQ(ToAnswer(client.Post("/api/v1/players", "{\"nom\":1}", "application/json")).status,
              400);
    EXPECT_EQ(ToAnswer(client.Post("/api/v1/players", "not json", "application/json")).status, 400);
}

TEST_P(WorldTable, RunsAreDrivenRankedAndHandedOutAsGhosts) {
    ServerProcess server(ServerArgs(store_.address()));
    ASSERT_TRUE(server.ready());
    httplib::Client client = server.Client();
    const CourseRuns& runs = Stage1Runs();
    ASSERT_GE(runs.runs.size(), 3u);

    // Each course starts with the staff runs.
    const Answer courses = ToAnswer(client.Get("/api/v1/courses"));
    ASSERT_EQ(courses.status, 200);
    ASSERT_EQ(courses.body["courses"].size(), 5u);
    EXPECT_EQ(courses.body["courses"][0]["digest"], HexDigest(runs.course));
    EXPECT_EQ(courses.body["courses"][0]["runs"], kHiScoreSlots);

    const std::string key = Register(client, "Ada").body["key"];
    // Slowest first: each later one is faster than the last.
    std::vector<DrivenRun> mine(runs.runs.begin(), runs.runs.end());
    std::sort(mine.begin(), mine.end(), [](auto& a, auto& b) { return a.time > b.time; });
    const DrivenRun& slow = mine.front();
    const DrivenRun& fast = mine.back();
    ASSERT_LT(fast.time, slow.time);

    const Answer first = Send(client, key, RunFileBytes(runs, "Ada", slow.recording, slow.time));
    ASSERT_EQ(first.status, 201) << first.bytes;
    Answer board = Board(client, runs.course);
    ASSERT_EQ(board.body["total"], kHiScoreSlots + 1);
    const json& entry = board.body["runs"][first.body["rank"].get<int>() - 1];
    EXPECT_EQ(entry["name"], "Ada");
    EXPECT_EQ(entry["time"], slow.time);
    EXPECT_EQ(entry["id"], first.body["id"]);

    // The player's own place comes with their key, wherever it stands.
    const Answer own =
        ToAnswer(client.Get("/api/v1/courses/" + HexDigest(runs.course) + "/runs?limit=1",
                            {{"Authorization", "Bearer " + key}}));
    EXPECT_EQ(own.body["own"]["id"], first.body["id"]);
    EXPECT_EQ(own.body["own"]["rank"], first.body["rank"]);
    EXPECT_EQ(own.body["runs"].size(), 1u);

    // Not faster: told, nothing changes.
    const Answer again = Send(client, key, RunFileBytes(runs, "Ada", slow.recording, slow.time));
    EXPECT_EQ(again.code(), "not_faster");
    EXPECT_EQ(Board(client, runs.course).body, board.body);

    // Faster: it takes the place of the player's old best.
    const Answer better = Send(client, key, RunFileBytes(runs, "Ada", fast.recording, fast.time));
    ASSERT_EQ(better.status, 201) << better.bytes;
    board = Board(client, runs.course);
    EXPECT_EQ(board.body["total"], kHiScoreSlots + 1);
    int adas = 0;
    for (const json& run : board.body["runs"]) {
        adas += run["name"] == "Ada";
    }
    EXPECT_EQ(adas, 1);

    // The ghost: the very bytes sent, which drive to their time.
    const Answer ghost =
        ToAnswer(client.Get("/api/v1/runs/" + std::to_string(better.body["id"].get<int64_t>())));
    ASSERT_EQ(ghost.status, 200);
    const std::vector<uint8_t> sentBytes = RunFileBytes(runs, "Ada", fast.recording, fast.time);
    EXPECT_EQ(ghost.bytes, std::string(sentBytes.begin(), sentBytes.end()));
    const RunFileRead read = ReadRunFile(
        std::span(reinterpret_cast<const uint8_t*>(ghost.bytes.data()), ghost.bytes.size()));
    ASSERT_TRUE(read.run);
    HeadlessRace race(GameDir(), 0);
    EXPECT_EQ(race.Run(read.run->recording).time, fast.time);
    // A staff run is a ghost too, under the reserved name.
    const int64_t staffId = board.body["runs"][0]["id"];
    const Answer staff = ToAnswer(client.Get("/api/v1/runs/" + std::to_string(staffId)));
    ASSERT_EQ(staff.status, 200);
    EXPECT_EQ(ReadRunFile(std::span(reinterpret_cast<const uint8_t*>(staff.bytes.data()),
                                    staff.bytes.size()))
                  .run->name,
              "Staff");
    EXPECT_EQ(ToAnswer(client.Get("/api/v1/runs/999999")).status, 404);
}

TEST_P(WorldTable, RefusedRunsLeaveNothingStored) {
    ServerProcess server(ServerArgs(store_.address()));
    ASSERT_TRUE(server.ready());
    httplib::Client client = server.Client();
    const CourseRuns& runs = Stage1Runs();
    const std::string key = Register(client, "Ada").body["key"];
    const std::string other = Register(client, "Ben").body["key"];
    const DrivenRun& run = runs.runs.front();
    const std::vector<uint8_t> good = RunFileBytes(runs, "Ada", run.recording, run.time);
    const json before = Board(client, runs.course).body;

    EXPECT_EQ(Send(client, "", good).code(), "no_key");
    EXPECT_EQ(ToAnswer(client.Post("/api/v1/runs", std::string(good.begin(), good.end()),
                                   "application/octet-stream"))
                  .status,
              401);
    EXPECT_EQ(Send(client, std::string(64, '0'), good).code(), "unknown_key");
    std::vector<uint8_t> damaged = good;
    damaged[200] ^= 1;
    EXPECT_EQ(Send(client, key, damaged).code(), "damaged");
    EXPECT_EQ(Send(client, key, {}).code(), "damaged");
    std::vector<uint8_t> large = good;
    large.resize(20000);
    EXPECT_EQ(Send(client, key, large).status, 413);
    CourseRuns elsewhere = runs;
    elsewhere.course[0] ^= 1;  // another course, sealed as a whole file
    EXPECT_EQ(Send(client, key, RunFileBytes(elsewhere, "Ada", run.recording, run.time)).code(),
              "unknown_course");
    EXPECT_EQ(Send(client, other, good).code(), "name_not_key");
    EXPECT_EQ(Send(client, key, RunFileBytes(runs, "Ada", run.recording, run.time - 1)).code(),
              "time_not_driven");
    // The staff's best sent back under a new name, with other bytes after its finish.
    Recording copied = runs.best;
    std::fill(copied.begin() + runs.bestTime + 1, copied.end(), uint8_t{0x0a});
    const Answer copy = Send(client, key, RunFileBytes(runs, "Ada", copied, runs.bestTime));
    EXPECT_EQ(copy.code(), "duplicate") << copy.bytes;
    EXPECT_FALSE(copy.body["error"]["message"].get<std::string>().empty());

    EXPECT_EQ(Board(client, runs.course).body, before);
    // And a good run still goes in afterwards: nothing above was held against the key.
    EXPECT_EQ(Send(client, key, good).status, 201);
    // Another player's run sent again under a new name is a copy too.
    const std::string third = Register(client, "Cy").body["key"];
    const DrivenRun& next = runs.runs[1];
    ASSERT_EQ(Send(client, other, RunFileBytes(runs, "Ben", next.recording, next.time)).status,
              201);
    EXPECT_EQ(Send(client, third, RunFileBytes(runs, "Cy", next.recording, next.time)).code(),
              "duplicate");
}

TEST_P(WorldTable, ManyClientsLeaveExactlyTheAcceptedRunsOnTheBoard) {
    ServerProcess server(ServerArgs(store_.address()));
    ASSERT_TRUE(server.ready());
    const Ran load = RunCommand(std::string(VANTRELL_WORLD_LOAD) + " --server " + server.address() +
                                " --clients 16 --runs 400 --retry 10");
    EXPECT_EQ(load.status, 0) << load.output;
    EXPECT_NE(load.output.find(" 422: "), std::string::npos) << load.output;
    EXPECT_NE(load.output.find(" 409: "), std::string::npos) << load.output;
}

TEST_P(WorldTable, KilledUnderLoadKeepsEveryAcceptedRun) {
    auto server = std::make_unique<ServerProcess>(ServerArgs(store_.address()));
    ASSERT_TRUE(server->ready());
    const int port = server->port();
    const std::string command = std::string(VANTRELL_WORLD_LOAD) + " --server " +
                                server->address() + " --clients 16 --runs 800 --retry 30";
    std::thread killer([&] {
        // Once runs are arriving (every player is registered by then), kill it mid-stream.
        httplib::Client client = server->Client();
        for (int i = 0; i < 600; ++i) {
            const Answer courses = ToAnswer(client.Get("/api/v1/courses"));
            if (courses.status == 200 && courses.body["courses"][0]["runs"] > kHiScoreSlots + 2) {
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        server->Stop(SIGKILL);
        server = std::make_unique<ServerProcess>(ServerArgs(store_.address()), port);
    });
    const Ran load = RunCommand(command);
    killer.join();
    ASSERT_TRUE(server->ready());
    // Every run answered 201 (or accepted before its answer was lost) is on the board.
    EXPECT_EQ(load.status, 0) << load.output;
    if (GetParam() == "sqlite") {
        server->Stop(SIGKILL);
        const Ran check =
            RunCommand(std::string(VANTRELL_SERVER) + " admin --db " + store_.address() + " check");
        EXPECT_EQ(check.status, 0) << check.output;
        EXPECT_EQ(check.output, "ok\n");
    }
}

TEST_P(WorldTable, OperatorsRemoveRunsAndNamesAndIssueKeys) {
    ServerProcess server(ServerArgs(store_.address()));
    ASSERT_TRUE(server.ready());
    httplib::Client client = server.Client();
    const CourseRuns& runs = Stage1Runs();
    const std::string oldKey = Register(client, "Ada").body["key"];
    const DrivenRun& run = runs.runs.front();
    const Answer sent = Send(client, oldKey, RunFileBytes(runs, "Ada", run.recording, run.time));
    ASSERT_EQ(sent.status, 201);
    const std::string admin =
        std::string(VANTRELL_SERVER) + " admin --db '" + store_.address() + "' ";

    const Ran key = RunCommand(admin + "new-key Ada");
    ASSERT_EQ(key.status, 0) << key.output;
    const std::string newKey = key.output.substr(0, key.output.find('\n'));
    const DrivenRun& faster = *std::min_element(runs.runs.begin(), runs.runs.end(),
                                                [](auto& a, auto& b) { return a.time < b.time; });
    EXPECT_EQ(Send(client, oldKey, RunFileBytes(runs, "Ada", faster.recording, faster.time)).code(),
              "unknown_key");
    EXPECT_NE(Send(client, newKey, RunFileBytes(runs, "Ada", faster.recording, faster.time)).code(),
              "unknown_key");
    EXPECT_NE(RunCommand(admin + "new-key Nobody").status, 0);
    EXPECT_NE(RunCommand(admin + "remove-name Staff").status, 0);  // the staff runs stay

    if (GetParam() == "sqlite") {
        const std::string copy = (store_.scratch() / "backup.sqlite").string();
        const Ran backup = RunCommand(admin + "backup " + copy);
        ASSERT_EQ(backup.status, 0) << backup.output;
        const Ran check =
            RunCommand(std::string(VANTRELL_SERVER) + " admin --db sqlite:" + copy + " check");
        EXPECT_EQ(check.output, "ok\n");
        EXPECT_NE(RunCommand(admin + "backup " + copy).status, 0);  // never over a file
    }

    const int64_t staffRun = Board(client, runs.course).body["runs"][0]["id"];
    EXPECT_EQ(RunCommand(admin + "remove-run " + std::to_string(staffRun)).status, 0);
    EXPECT_NE(RunCommand(admin + "remove-run " + std::to_string(staffRun)).status, 0);
    EXPECT_EQ(RunCommand(admin + "remove-name Ada").status, 0);
    const Answer board = Board(client, runs.course);
    EXPECT_EQ(board.body["total"], kHiScoreSlots - 1);
    for (const json& entry : board.body["runs"]) {
        EXPECT_EQ(entry["name"], "Staff");
        EXPECT_NE(entry["id"], staffRun);
    }
    EXPECT_EQ(Register(client, "Ada").status, 201);  // the name is free again
}

INSTANTIATE_TEST_SUITE_P(Stores, WorldTable, ::testing::Values("sqlite", "postgresql"));

}  // namespace
}  // namespace vantrell::test
