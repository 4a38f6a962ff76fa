// The world table as it runs for real: several servers on one PostgreSQL, the database going
// away and coming back, the limits, and the browser build served beside the API.
#include <fstream>

#include "pack/stage_pack.h"
#include "world_test_support.h"

namespace vantrell::test {
namespace {

TEST(WorldDeploy, TwoServersOnOnePostgresShareOneBoard) {
    FreshStore store("postgresql");
    ServerProcess first(ServerArgs(store.address()));
    ServerProcess second(ServerArgs(store.address()));
    ASSERT_TRUE(first.ready() && second.ready());
    httplib::Client a = first.Client();
    httplib::Client b = second.Client();
    const CourseRuns& runs = Stage1Runs();

    const std::string key = Register(a, "Ada").body["key"];
    EXPECT_EQ(Register(b, "Ada").code(), "name_taken");
    const DrivenRun& run = runs.runs.front();
    const Answer sent = Send(b, key, RunFileBytes(runs, "Ada", run.recording, run.time));
    ASSERT_EQ(sent.status, 201) << sent.bytes;
    EXPECT_EQ(Board(a, runs.course).body, Board(b, runs.course).body);
    EXPECT_EQ(Board(a, runs.course).body["total"], kHiScoreSlots + 1);
    // Staff runs were seeded once, though both servers started on the same board.
    const Answer courses = ToAnswer(b.Get("/api/v1/courses"));
    EXPECT_EQ(courses.body["courses"][1]["runs"], kHiScoreSlots);
}

TEST(WorldDeploy, ADatabaseThatGoesAwayIsAnswered503UntilItIsBack) {
    FreshStore store("postgresql");
    ServerProcess server(ServerArgs(store.address()));
    ASSERT_TRUE(server.ready());
    httplib::Client client = server.Client();
    const CourseRuns& runs = Stage1Runs();
    const std::string key = Register(client, "Ada").body["key"];

    const std::string cluster = std::string("bash ") + VANTRELL_SOURCE_DIR +
                                "/scripts/pg_cluster.sh %s " + VANTRELL_PG_STATE;
    const auto control = [&](const char* what) {
        char line[1024];
        std::snprintf(line, sizeof line, cluster.c_str(), what);
        return RunCommand(line);
    };
    const Ran paused = control("pause");
    ASSERT_EQ(paused.status, 0) << paused.output;
    const DrivenRun& run = runs.runs.front();
    const Answer meanwhile = Send(client, key, RunFileBytes(runs, "Ada", run.recording, run.time));
    EXPECT_EQ(meanwhile.status, 503);
    EXPECT_EQ(ToAnswer(client.Get("/healthz")).status, 503);
    EXPECT_EQ(ToAnswer(client.Get("/api/v1/courses")).status, 503);
    const Ran resumed = control("resume");
    ASSERT_EQ(resumed.status, 0) << resumed.output;

    EXPECT_EQ(ToAnswer(client.Get("/healthz")).status, 200);
    const Answer after = Send(client, key, RunFileBytes(runs, "Ada", run.recording, run.time));
    EXPECT_EQ(after.status, 201) << after.bytes;
}

TEST(WorldDeploy, LimitsAnswer429WithRetryAfter) {
    FreshStore store("sqlite");
    ServerProcess server({"--db", store.address(), "--game", GameDir().string(),
                          "--requests-per-minute", "5", "--runs-per-minute", "2"});
    ASSERT_TRUE(server.ready());
    httplib::Client client = server.Client();
    const std::string key = Register(client, "Ada").body["key"];  // 1
    const CourseRuns& runs = Stage1Runs();
    const std::vector<uint8_t> wrong =
        RunFileBytes(runs, "Ada", runs.runs[0].recording, runs.runs[0].time - 1);
    EXPECT_EQ(Send(client, key, wrong).status, 422);  // 2
    EXPECT_EQ(Send(client, key, wrong).status, 422);  // 3
    const httplib::Result third = client.Post("/api/v1/runs", {{"Authorization", "Bearer " + key}},
                                              std::string(wrong.begin(), wrong.end()),
                                              "application/octet-stream");  // 4
    ASSERT_TRUE(third);
    EXPECT_EQ(third->status, 429);  // the key's two runs a minute
    EXPECT_GT(std::stoi(third->get_header_value("Retry-After")), 0);
    EXPECT_EQ(ToAnswer(client.Get("/api/v1/courses")).status, 200);  // 5
    const httplib::Result sixth = client.Get("/api/v1/courses");
    ASSERT_TRUE(sixth);
    EXPECT_EQ(sixth->status, 429);  // the address's five requests a minute
    EXPECT_TRUE(sixth->has_header("Retry-After"));
    EXPECT_EQ(ToAnswer(client.Get("/healthz")).status, 200);  // health is never limited
}

TEST(WorldDeploy, ServesTheBrowserBuildByItsServingRules) {
    FreshStore store("sqlite");
    const std::filesystem::path www = store.scratch() / "www";
    std::filesystem::create_directories(www);
    const auto write = [&](const std::string& name, const std::string& bytes) {
        std::ofstream(www / name, std::ios::binary) << bytes;
    };
    write("index.html", "<!doctype html><title>page</title>");
    write("index.html.gz", "GZ-BYTES");
    write("index.html.br", "BR-BYTES");
    write("vantrell.wasm", "WASM");
    std::ofstream(store.scratch() / "secret.txt") << "secret";
    std::vector<std::string> args = ServerArgs(store.address());
    args.insert(args.end(), {"--www", www.string()});
    ServerProcess server(args);
    ASSERT_TRUE(server.ready());
    httplib::Client client = server.Client();
    client.set_decompress(false);

    httplib::Result br = client.Get("/", {{"Accept-Encoding", "gzip, br"}});
    ASSERT_TRUE(br);
    EXPECT_EQ(br->body, "BR-BYTES");
    EXPECT_EQ(br->get_header_value("Content-Encoding"), "br");
    EXPECT_EQ(br->get_header_value("Vary"), "Accept-Encoding");
    EXPECT_EQ(br->get_header_value("Content-Type"), "text/html; charset=utf-8");
    EXPECT_EQ(br->get_header_value("Cache-Control"), "no-cache");
    httplib::Result gz = client.Get("/index.html", {{"Accept-Encoding", "br;q=0, gzip"}});
    ASSERT_TRUE(gz);
    EXPECT_EQ(gz->body, "GZ-BYTES");
    httplib::Result plain = client.Get("/index.html", {{"Accept-Encoding", "identity"}});
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->body, "<!doctype html><title>page</title>");
    EXPECT_NE(plain->get_header_value("ETag"), br->get_header_value("ETag"));
    httplib::Result again = client.Get(
        "/index.html",
        {{"Accept-Encoding", "identity"}, {"If-None-Match", plain->get_header_value("ETag")}});
    ASSERT_TRUE(again);
    EXPECT_EQ(again->status, 304);
    httplib::Result wasm = client.Get("/vantrell.wasm");
    ASSERT_TRUE(wasm);
    EXPECT_EQ(wasm->get_header_value("Content-Type"), "application/wasm");
    httplib::Result challenge = client.Get("/?run=12");
    ASSERT_TRUE(challenge);
    EXPECT_EQ(challenge->get_header_value("Cache-Control"), "no-store");
    EXPECT_EQ(ToAnswer(client.Get("/api/v1/courses")).status, 200);
    httplib::Result api = client.Get("/api/v1/courses");
    EXPECT_EQ(api->get_header_value("Cache-Control"), "no-store");
    httplib::Result outside = client.Get("/../secret.txt");
    ASSERT_TRUE(outside);
    EXPECT_EQ(outside->status, 404);
    httplib::Result encoded = client.Get("/%2e%2e/secret.txt");
    ASSERT_TRUE(encoded);
    EXPECT_EQ(encoded->status, 404);
}

}  // namespace
}  // namespace vantrell::test

namespace vantrell::test {
namespace {

TEST(WorldTool, RegistersSendsListsAndFetchesGhosts) {
    FreshStore store("sqlite");
    ServerProcess server(ServerArgs(store.address()));
    ASSERT_TRUE(server.ready());
    const std::string tool = std::string(VANTRELL_TOOL) + " world ";
    const std::string key = (store.scratch() / "key").string();
    const std::string url = "http://" + server.address();

    const Ran registered = RunCommand(tool + "register Ada --server " + url + " --key " + key);
    ASSERT_EQ(registered.status, 0) << registered.output;
    EXPECT_EQ(std::filesystem::status(key).permissions() & std::filesystem::perms::others_read,
              std::filesystem::perms::none);
    const Ran taken = RunCommand(tool + "register Ada --server " + url + " --key " + key + "2");
    EXPECT_EQ(taken.status, 2);
    EXPECT_NE(taken.output.find("(name_taken)"), std::string::npos) << taken.output;

    const CourseRuns& runs = Stage1Runs();
    const DrivenRun& run = runs.runs.front();
    const std::filesystem::path file = store.scratch() / "mine.run";
    const std::vector<uint8_t> bytes = RunFileBytes(runs, "Ada", run.recording, run.time);
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    const Ran sent = RunCommand(tool + "send " + file.string() + " --key " + key);
    ASSERT_EQ(sent.status, 0) << sent.output;
    EXPECT_NE(sent.output.find(std::to_string(run.time) + " ticks"), std::string::npos);
    EXPECT_NE(sent.output.find("on the world table of stage 1 at rank "), std::string::npos)
        << sent.output;
    const Ran again = RunCommand(tool + "send " + file.string() + " --key " + key);
    EXPECT_EQ(again.status, 2);
    EXPECT_NE(again.output.find("not faster"), std::string::npos) << again.output;
    // Rank 1 of the local table is the staff's, not Ada's: refused before anything is sent.
    const Ran notMine = RunCommand(tool + "send --stage 1 --key " + key);
    EXPECT_EQ(notMine.status, 2);

    const Ran table = RunCommand(tool + "table --stage 1 --limit 100 --key " + key);
    ASSERT_EQ(table.status, 0) << table.output;
    EXPECT_EQ(table.output.rfind("stage 1 on " + url + ": 11 runs", 0), 0u) << table.output;
    const size_t line = table.output.find(" Ada");
    ASSERT_NE(line, std::string::npos) << table.output;

    httplib::Client client = server.Client();
    const Answer board = Board(client, runs.course);
    int64_t id = 0;
    for (const auto& entry : board.body["runs"]) {
        if (entry["name"] == "Ada") {
            id = entry["id"];
        }
    }
    const std::filesystem::path ghost = store.scratch() / "ghost.run";
    const Ran fetched = RunCommand(tool + "ghost " + std::to_string(id) + " --out " +
                                   ghost.string() + " --server " + url);
    ASSERT_EQ(fetched.status, 0) << fetched.output;
    std::ifstream in(ghost, std::ios::binary);
    const std::vector<uint8_t> got((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(got, bytes);
    const Ran missing =
        RunCommand(tool + "ghost 99999 --out " + ghost.string() + " --server " + url);
    EXPECT_EQ(missing.status, 2);
    server.Stop(SIGTERM);
    const Ran offline = RunCommand(tool + "table --stage 1 --key " + key);
    EXPECT_EQ(offline.status, 2);
    EXPECT_NE(offline.output.find("no answer"), std::string::npos) << offline.output;
}

}  // namespace
}  // namespace vantrell::test

namespace vantrell::test {
namespace {

TEST(WorldDeploy, TakesRunsOnStagePacksAndHandsThePacksOut) {
    const std::filesystem::path packs = GameDir().parent_path() / "packs";
    FreshStore store("sqlite");
    std::vector<std::string> args = ServerArgs(store.address());
    args.insert(args.end(), {"--stages", packs.string()});
    ServerProcess server(args);
    ASSERT_TRUE(server.ready());
    httplib::Client client = server.Client();

    const Answer courses = ToAnswer(client.Get("/api/v1/courses"));
    ASSERT_EQ(courses.body["courses"].size(), 7u);  // five stages, two packs
    const nlohmann::json& lakeside = courses.body["courses"][5];
    ASSERT_TRUE(lakeside.contains("pack"));
    EXPECT_EQ(lakeside["pack"]["name"], "Lakeside Loop");
    EXPECT_EQ(lakeside["runs"], kHiScoreSlots);  // the pack's own records

    // The pack as the server hands it out: the very file, which the reader takes.
    const httplib::Result fetched =
        client.Get("/api/v1/packs/" + lakeside["pack"]["digest"].get<std::string>());
    ASSERT_TRUE(fetched && fetched->status == 200);
    std::ifstream in(packs / "lakeside.vstage", std::ios::binary);
    const std::string file((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(fetched->body, file);
    const PackRead read = ReadStagePack(
        std::span(reinterpret_cast<const uint8_t*>(fetched->body.data()), fetched->body.size()));
    ASSERT_TRUE(read.pack) << read.problem;
    EXPECT_EQ(HexDigest(read.pack->manifest.course), lakeside["digest"]);

    // A run on the pack's course, made where the pack is unpacked as a game folder's stage.
    ScratchDir unpacked;
    for (const auto& [name, bytes] : PackGameFiles(*read.pack)) {
        std::ofstream(unpacked / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes->data()),
                   static_cast<std::streamsize>(bytes->size()));
    }
    const CourseRuns runs = MakeCourseRuns(unpacked.path(), kPackStage, 1);
    ASSERT_EQ(runs.runs.size(), 1u);
    const std::string key = Register(client, "Ada").body["key"];
    const Answer sent =
        Send(client, key, RunFileBytes(runs, "Ada", runs.runs[0].recording, runs.runs[0].time));
    ASSERT_EQ(sent.status, 201) << sent.bytes;
    EXPECT_EQ(Board(client, runs.course).body["total"], kHiScoreSlots + 1);
    EXPECT_EQ(ToAnswer(client.Get("/api/v1/packs/" + std::string(64, 'a'))).status, 404);

    // A folder with a broken pack: the server says which, and does not start.
    ScratchDir broken;
    std::ofstream(broken / "cut.vstage", std::ios::binary) << file.substr(0, file.size() / 2);
    const Ran refused = RunCommand(
        std::string(VANTRELL_SERVER) + " --listen 127.0.0.1:" + std::to_string(FreePort()) +
        " --db sqlite:" + (broken / "w.sqlite").string() + " --stages " + broken.path().string());
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.output.find("cut.vstage"), std::string::npos) << refused.output;
}

}  // namespace
}  // namespace vantrell::test
