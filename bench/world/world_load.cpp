// vantrell-world-load: many clients at once sending valid, invalid and duplicate runs to a
// world table server, then checking that the board holds exactly each player's last accepted
// run beside the staff runs. Prints accepted runs a second and the answers' latency.
//   vantrell-world-load --server HOST:PORT [--clients N] [--runs N] [--game DIR] [--retry S]
// --retry S: a request without an answer (the server was killed, say) is sent again for up to
// S seconds, so a load can run across a restart; an accepted run whose answer was lost comes
// back as "not faster" with its own time, and counts as accepted.
#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <nlohmann/json.hpp>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "io/sha256.h"
#include "support/world_runs.h"
#include "world/stage_count.h"

namespace {

using nlohmann::json;
using namespace vantrell;
using Clock = std::chrono::steady_clock;

struct Options {
    std::string host = "127.0.0.1";
    int port = 8080;
    int clients = 64;
    int runs = 3000;
    std::string game = VANTRELL_GAME_DIR;
    int retrySeconds = 0;
};

struct Submission {
    std::vector<uint8_t> bytes;
    int32_t course = 0;  // index into the courses
    int32_t time = 0;
    bool valid = false;  // the server should accept it when faster than the player's best
};

struct Tally {
    std::mutex mutex;
    std::map<int, int64_t> statuses;
    std::vector<double> latencies;  // milliseconds, submissions only
    int64_t accepted = 0;
    int64_t unanswered = 0;
};

// Sends with retries while the server does not answer; nothing when it never does.
httplib::Result Send(httplib::Client& client, const Options& options, const std::string& path,
                     const std::string& body, const char* type, const httplib::Headers& headers) {
    const auto deadline = Clock::now() + std::chrono::seconds(options.retrySeconds);
    while (true) {
        httplib::Result result = client.Post(path, headers, body, type);
        if (result || Clock::now() >= deadline) {
            return result;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

int Run(const Options& options) {
    std::vector<test::CourseRuns> courses;
    const int perCourse = options.runs / kStageCount + 1;
    for (int32_t stage = 0; stage < kStageCount; ++stage) {
        courses.push_back(test::MakeCourseRuns(options.game, stage, perCourse));
    }
    std::mt19937 random(std::random_device{}());
    const std::string prefix = "L" + std::to_string(random() % 100000) + "-";

    // Each client registers its own player, then sends its share: the valid runs of each
    // course slowest first (so most are faster than the last), with a damaged run, a wrong
    // claim and another's run resent under its name mixed in.
    std::vector<std::thread> threads;
    std::vector<std::string> names(options.clients);
    // Per player and course: the time of the last accepted run.
    std::vector<std::map<int32_t, int32_t>> last(options.clients);
    Tally tally;
    std::atomic<bool> failed = false;
    std::mutex gate;
    std::condition_variable allRegistered;
    int registeredCount = 0;
    const auto start = Clock::now();
    for (int c = 0; c < options.clients; ++c) {
        threads.emplace_back([&, c] {
            httplib::Client client(options.host, options.port);
            client.set_read_timeout(30, 0);
            client.set_keep_alive(true);
            client.set_tcp_nodelay(true);  // a request's body need not wait for an acknowledgement
            names[c] = prefix + std::to_string(c);
            const httplib::Result registered =
                Send(client, options, "/api/v1/players", json{{"name", names[c]}}.dump(),
                     "application/json", {});
            if (!registered || registered->status != 201) {
                std::fprintf(stderr, "register %s: %d\n", names[c].c_str(),
                             registered ? registered->status : -1);
                failed = true;
                std::lock_guard lock(gate);
                ++registeredCount;  // one fewer to wait for
                allRegistered.notify_all();
                return;
            }
            const std::string key = json::parse(registered->body)["key"];
            // Every player is registered before any run goes.
            {
                std::unique_lock lock(gate);
                if (++registeredCount == options.clients) {
                    allRegistered.notify_all();
                }
                allRegistered.wait(lock, [&] { return registeredCount >= options.clients; });
            }
            std::vector<Submission> mine;
            for (int32_t k = 0; k < kStageCount; ++k) {
                const test::CourseRuns& course = courses[static_cast<size_t>(k)];
                std::vector<test::DrivenRun> share;
                for (size_t i = static_cast<size_t>(c); i < course.runs.size();
                     i += static_cast<size_t>(options.clients)) {
                    share.push_back(course.runs[i]);
                }
                std::sort(share.begin(), share.end(),
                          [](const auto& a, const auto& b) { return a.time > b.time; });
                for (size_t i = 0; i < share.size(); ++i) {
                    const auto& run = share[i];
                    mine.push_back({test::RunFileBytes(course, names[c], run.recording, run.time),
                                    k, run.time, true});
                    if (i % 8 == 3) {  // claims a tick less than it drives
                        mine.push_back(
                            {test::RunFileBytes(course, names[c], run.recording, run.time - 1), k,
                             run.time - 1, false});
                    } else if (i % 8 == 5) {  // damaged on the way
                        Submission damaged{mine.back().bytes, k, run.time, false};
                        damaged.bytes[100] ^= 1;
                        mine.push_back(damaged);
                    } else if (i % 8 == 7) {  // the staff's best, with a changed tail
                        test::DrivenRun copy{course.best, course.bestTime};
                        copy.recording[kRecordingBytes - 1] ^= 0x0f;
                        mine.push_back(
                            {test::RunFileBytes(course, names[c], copy.recording, copy.time), k,
                             copy.time, false});
                    }
                }
            }
            const httplib::Headers auth = {{"Authorization", "Bearer " + key}};
            for (const Submission& run : mine) {
                const auto sent = Clock::now();
                const std::string body(run.bytes.begin(), run.bytes.end());
                const httplib::Result answer =
                    Send(client, options, "/api/v1/runs", body, "application/octet-stream", auth);
                const double ms =
                    std::chrono::duration<double, std::milli>(Clock::now() - sent).count();
                std::lock_guard lock(tally.mutex);
                if (!answer) {
                    ++tally.unanswered;
                    continue;
                }
                ++tally.statuses[answer->status];
                tally.latencies.push_back(ms);
                bool accepted = answer->status == 201;
                if (answer->status == 409 && run.valid) {
                    // Accepted before a restart whose answer was lost: its own time is the best.
                    const json refusal = json::parse(answer->body, nullptr, false);
                    accepted =
                        refusal.is_object() && refusal["error"]["code"] == "not_faster" &&
                        refusal["error"]["message"].get<std::string>().find(
                            "(" + std::to_string(run.time) + " ticks)") != std::string::npos &&
                        (!last[c].contains(run.course) || last[c][run.course] > run.time);
                }
                if (accepted != (run.valid && (!last[c].contains(run.course) ||
                                               last[c][run.course] > run.time))) {
                    std::fprintf(stderr, "%s: a run of %d ticks answered %d: %s\n",
                                 names[c].c_str(), run.time, answer->status, answer->body.c_str());
                    failed = true;
                }
                if (accepted) {
                    ++tally.accepted;
                    last[c][run.course] = run.time;
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();

    // The board: the staff runs and each player's last accepted run per course, nothing else.
    httplib::Client client(options.host, options.port);
    int64_t expectedOthers = 0;
    for (int32_t k = 0; k < kStageCount; ++k) {
        std::map<std::string, int32_t> onBoard;
        int64_t staff = 0;
        const std::string digest = HexDigest(courses[static_cast<size_t>(k)].course);
        for (int64_t offset = 0;; offset += 100) {
            const httplib::Result page = client.Get(
                "/api/v1/courses/" + digest + "/runs?limit=100&offset=" + std::to_string(offset));
            if (!page || page->status != 200) {
                std::fprintf(stderr, "the board of course %d did not come\n", k);
                return 1;
            }
            const json runs = json::parse(page->body)["runs"];
            for (const json& run : runs) {
                const std::string name = run["name"];
                if (name == "Staff") {
                    ++staff;
                } else if (name.starts_with(prefix)) {
                    if (onBoard.contains(name)) {
                        std::fprintf(stderr, "%s is on the board twice\n", name.c_str());
                        failed = true;
                    }
                    onBoard[name] = run["time"];
                }
            }
            if (runs.size() < 100) {
                break;
            }
        }
        for (int c = 0; c < options.clients; ++c) {
            const auto found = onBoard.find(names[c]);
            const bool expected = last[c].contains(k);
            expectedOthers += expected;
            if (expected != (found != onBoard.end()) || (expected && found->second != last[c][k])) {
                std::fprintf(stderr, "course %d: %s should have %d ticks on the board, has %d\n", k,
                             names[c].c_str(), expected ? last[c][k] : 0,
                             found == onBoard.end() ? 0 : found->second);
                failed = true;
            }
        }
        if (staff != kHiScoreSlots) {
            std::fprintf(stderr, "course %d: %lld staff runs\n", k, static_cast<long long>(staff));
            failed = true;
        }
    }

    std::sort(tally.latencies.begin(), tally.latencies.end());
    const auto at = [&](double q) {
        return tally.latencies.empty()
                   ? 0.0
                   : tally.latencies[static_cast<size_t>(q * (tally.latencies.size() - 1))];
    };
    std::printf(
        "%d clients, %zu answers in %.2f s: %lld accepted (%.0f a second), answers a second "
        "%.0f, latency median %.2f ms, p99 %.2f ms; unanswered %lld;",
        options.clients, tally.latencies.size(), seconds, static_cast<long long>(tally.accepted),
        tally.accepted / seconds, tally.latencies.size() / seconds, at(0.5), at(0.99),
        static_cast<long long>(tally.unanswered));
    for (const auto& [status, count] : tally.statuses) {
        std::printf(" %d: %lld", status, static_cast<long long>(count));
    }
    std::printf("\nboard: %lld player runs as expected%s\n", static_cast<long long>(expectedOthers),
                failed ? " -- NOT as expected" : "");
    return failed ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        const std::string value = argv[i + 1];
        if (flag == "--server") {
            const size_t colon = value.rfind(':');
            options.host = value.substr(0, colon);
            options.port = std::stoi(value.substr(colon + 1));
        } else if (flag == "--clients") {
            options.clients = std::stoi(value);
        } else if (flag == "--runs") {
            options.runs = std::stoi(value);
        } else if (flag == "--game") {
            options.game = value;
        } else if (flag == "--retry") {
            options.retrySeconds = std::stoi(value);
        } else {
            std::fprintf(stderr, "vantrell-world-load: %s: no such option\n", flag.c_str());
            return 2;
        }
    }
    return Run(options);
}
