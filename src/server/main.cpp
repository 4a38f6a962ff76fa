// vantrell-server: the world table. Every run it is sent is driven again before it is ranked.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "io/game_directory.h"
#include "server/admin.h"
#include "server/http_server.h"
#include "server/sqlite_store.h"

namespace {

using namespace vantrell;
using namespace vantrell::server;

void PrintHelp() {
    std::printf(
        "vantrell-server [--listen HOST:PORT] [--db ADDRESS] [--game DIR] [--stages DIR]\n"
        "                [--www DIR]\n"
        "                [--requests-per-minute N] [--runs-per-minute N] [--threads N]\n"
        "vantrell-server admin [--db ADDRESS] COMMAND\n"
        "vantrell-server --help\n"
        "\n"
        "Serves the world table's API (docs/world-api.md) and, given --www, the browser build.\n"
        "  --listen HOST:PORT   where to listen; 127.0.0.1:8080 unless given. TLS belongs to a\n"
        "                       reverse proxy in front.\n"
        "  --db ADDRESS         sqlite:PATH (one file, the default sqlite:vantrell-world.sqlite)\n"
        "                       or postgresql://USER@HOST:PORT/DATABASE for several servers\n"
        "  --game DIR           the game folder whose stages it accepts runs for (default: the\n"
        "                       game's own folder, as the game finds it)\n"
        "  --stages DIR         stage packs (*.vstage) it also accepts runs for and hands out\n"
        "  --www DIR            the browser build (build-web/www) to serve beside the API\n"
        "  --requests-per-minute N, --runs-per-minute N\n"
        "                       limits per address and per key (600 and 60; 0: none)\n"
        "  --threads N          requests served at once, one a kept-open connection (64)\n"
        "\n"
        "Admin commands (the server may be running):\n"
        "  remove-run ID        takes a run off the board\n"
        "  remove-name NAME     removes a name and its runs\n"
        "  new-key NAME         gives the name a new key (the old one stops working) and prints "
        "it\n"
        "  backup FILE          copies a SQLite database, online, into a new file\n"
        "  check                PRAGMA integrity_check of a SQLite database\n");
}

struct Options {
    std::string listen = "127.0.0.1:8080";
    std::string db = "sqlite:vantrell-world.sqlite";
    std::string game;
    std::string www;
    std::string stages;
    ApiLimits limits;
    int threads = 64;
    std::vector<std::string> rest;
};

int ToInt(const std::string& flag, const std::string& text) {
    try {
        size_t used = 0;
        const int value = std::stoi(text, &used);
        if (used == text.size() && value >= 0) {
            return value;
        }
    } catch (const std::exception&) {
    }
    throw std::invalid_argument(flag + " " + text + ": give a whole number, 0 or more");
}

Options Parse(int argc, char** argv, int first) {
    Options options;
    for (int i = first; i < argc; ++i) {
        const std::string flag = argv[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                throw std::invalid_argument(flag + ": give a value after it");
            }
            return argv[++i];
        };
        if (flag == "--listen") {
            options.listen = value();
        } else if (flag == "--db") {
            options.db = value();
        } else if (flag == "--game") {
            options.game = value();
        } else if (flag == "--www") {
            options.www = value();
        } else if (flag == "--stages") {
            options.stages = value();
        } else if (flag == "--requests-per-minute") {
            options.limits.requestsPerAddress = ToInt(flag, value());
        } else if (flag == "--runs-per-minute") {
            options.limits.runsPerKey = ToInt(flag, value());
        } else if (flag == "--threads") {
            options.threads = std::max(1, ToInt(flag, value()));
        } else if (flag.starts_with("--")) {
            throw std::invalid_argument(flag + ": no such option; see --help");
        } else {
            options.rest.push_back(flag);
        }
    }
    return options;
}

int RunServer(const Options& options) {
    const size_t colon = options.listen.rfind(':');
    if (colon == std::string::npos || !options.rest.empty()) {
        throw std::invalid_argument(colon == std::string::npos
                                        ? "--listen " + options.listen + ": give HOST:PORT"
                                        : options.rest.front() + ": unexpected; see --help");
    }
    ListenOptions listen;
    listen.host = options.listen.substr(0, colon);
    listen.port = ToInt("--listen", options.listen.substr(colon + 1));
    listen.www = options.www;
    listen.threads = options.threads;
    std::string error;
    const std::filesystem::path game = FindGameDirectory(options.game, CurrentPlaces(), error);
    if (game.empty()) {
        throw std::runtime_error(error);
    }
    Courses courses = Courses::FromGameFolder(game);
    if (!options.stages.empty()) {
        courses.AddPacks(options.stages);
    }
    const std::unique_ptr<Store> store = OpenStore(options.db);
    WorldApi api(*store, courses, game, options.limits);
    if (!Serve(api, listen, error)) {
        throw std::runtime_error(error);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc > 1 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
            PrintHelp();
            return 0;
        }
        if (argc > 1 && !std::strcmp(argv[1], "admin")) {
            const Options options = Parse(argc, argv, 2);
            return RunAdmin(options.db, options.rest);
        }
        return RunServer(Parse(argc, argv, 1));
    } catch (const std::invalid_argument& error) {
        std::fprintf(stderr, "vantrell-server: %s\n", error.what());
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vantrell-server: %s\n", error.what());
        return 1;
    }
}
